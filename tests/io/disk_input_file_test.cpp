// Disk files share one descriptor per file on disk, and each keeps its own position.
#include "TestFiles.h"

#include "io/DiskInputFile.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

#ifdef __linux__
#include <dirent.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace nox::audio;
using dravon_test::Bytes;

namespace {

Bytes pattern(std::size_t count, int seed = 0) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 11 + seed);
    return bytes;
}

//! Reads 5 bytes from `file`'s position: true when they are the pattern's bytes at `at`.
bool readsPatternAt(IInputFile* file, s32 at, int seed = 0) {
    u8 got[5] = {};
    Bytes expected = pattern(static_cast<std::size_t>(at) + 5, seed);
    return file->read(got, 5) == 5 &&
           Bytes(got, got + 5) == Bytes(expected.end() - 5, expected.end());
}

bool seeksAndReadsPatternAt(IInputFile* file, s32 at, int seed = 0) {
    return file->seek(at, false) && readsPatternAt(file, at, seed);
}

std::vector<IInputFile*> openMany(const char* name, int count) {
    std::vector<IInputFile*> files;
    for (int i = 0; i < count; ++i)
        files.push_back(createDiskInputFile(name));
    return files;
}

void releaseAll(const std::vector<IInputFile*>& files) {
    for (IInputFile* file : files)
        if (file)
            file->decRef();
}

} // namespace

TEST(DiskInputFile, FilesOfOneNameReadEachTheirOwnBytes) {
    dravon_test::writeFile("dif_shared.bin", pattern(5000));
    std::vector<IInputFile*> files = openMany("dif_shared.bin", 300);
    for (int i = 0; i < 300; ++i)
        ASSERT_NE(files[i], nullptr) << i;
    // Every file moves before any reads: a shared position would show.
    for (int i = 0; i < 300; ++i)
        files[i]->seek(i * 13, false);
    for (int i = 0; i < 300; ++i) {
        EXPECT_TRUE(readsPatternAt(files[i], i * 13)) << i;
        EXPECT_EQ(files[i]->getPos(), i * 13 + 5);
    }
    releaseAll(files);
}

TEST(DiskInputFile, SizeIsMeasuredWhenEachFileOpens) {
    dravon_test::writeFile("dif_growing.bin", pattern(10));
    IInputFile* before = createDiskInputFile("dif_growing.bin");
    std::FILE* append = std::fopen("dif_growing.bin", "ab");
    ASSERT_NE(append, nullptr);
    std::fwrite(pattern(10).data(), 1, 10, append);
    std::fclose(append);
    IInputFile* after = createDiskInputFile("dif_growing.bin");
    ASSERT_NE(before, nullptr);
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(before->getSize(), 10);
    EXPECT_EQ(after->getSize(), 20);
    EXPECT_FALSE(before->seek(-1, false));
    EXPECT_TRUE(before->seek(0x7FFFFFFF, false)) << "seeking past the end is not refused";
    EXPECT_FALSE(before->seek(1, true)) << "but positions stay 32-bit";
    EXPECT_EQ(before->getPos(), 0x7FFFFFFF);
    before->decRef();
    after->decRef();
}

TEST(DiskInputFile, ReadsOfEverySizeAcrossTheReadAhead) {
    const u32 block = DiskInputFile::readAheadSize;
    Bytes whole = pattern(3 * block + 100, 5);
    dravon_test::writeFile("dif_sizes.bin", whole);
    IInputFile* file = createDiskInputFile("dif_sizes.bin");
    ASSERT_NE(file, nullptr);
    Bytes read;
    Bytes buffer(2 * block);
    // Small reads that end exactly at, and straddle, a block's end; a large one from inside a
    // block; then the short end of the file.
    for (u32 size : {1u, block - 2, 1u, 3u, block + 1, 5u, 2 * block})
        read.insert(read.end(), buffer.begin(), buffer.begin() + file->read(buffer.data(), size));
    EXPECT_EQ(read, whole);
    EXPECT_EQ(file->read(buffer.data(), 1), 0);
    // Back into what was read ahead, and forward past it.
    EXPECT_TRUE(seeksAndReadsPatternAt(file, 3 * block - 50, 5));
    EXPECT_TRUE(seeksAndReadsPatternAt(file, 7, 5));
    EXPECT_TRUE(seeksAndReadsPatternAt(file, block + 7, 5));
    file->decRef();
}

TEST(DiskInputFile, ThreadsOpeningAndReadingOneFile) {
    dravon_test::writeFile("dif_threads.bin", pattern(4096, 3));
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t, &failures] {
            for (int i = 0; i < 200; ++i) {
                IInputFile* file = createDiskInputFile("dif_threads.bin");
                failures[t] += !file || !seeksAndReadsPatternAt(file, (i * 37 + t) % 4000, 3);
                releaseAll({file});
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}

#ifdef __linux__

namespace {

int openDescriptors() {
    DIR* directory = opendir("/proc/self/fd");
    if (!directory)
        return -1;
    int count = 0;
    while (readdir(directory))
        ++count;
    closedir(directory);
    return count;
}

} // namespace

TEST(DiskInputFile, ThreeHundredFilesOfOneNameHoldOneDescriptor) {
    dravon_test::writeFile("dif_count.bin", pattern(100));
    int before = openDescriptors();
    std::vector<IInputFile*> files = openMany("dif_count.bin", 300);
    EXPECT_EQ(openDescriptors() - before, 1);
    releaseAll(files);
    EXPECT_EQ(openDescriptors(), before) << "the last file closes the descriptor";
}

TEST(DiskInputFile, FilesAreSharedByIdentityNotByName) {
    dravon_test::writeFile("dif_old.bin", pattern(100, 1));
    unlink("dif_link.bin");
    ASSERT_EQ(link("dif_old.bin", "dif_link.bin"), 0);
    int before = openDescriptors();
    IInputFile* old = createDiskInputFile("dif_old.bin");
    IInputFile* link = createDiskInputFile("dif_link.bin");
    EXPECT_EQ(openDescriptors() - before, 1) << "two names of one file";
    // Replaced on disk: the same name now reaches another file.
    dravon_test::writeFile("dif_new.bin", pattern(100, 2));
    ASSERT_EQ(std::rename("dif_new.bin", "dif_old.bin"), 0);
    IInputFile* replaced = createDiskInputFile("dif_old.bin");
    EXPECT_EQ(openDescriptors() - before, 2);
    EXPECT_TRUE(seeksAndReadsPatternAt(old, 20, 1));
    EXPECT_TRUE(seeksAndReadsPatternAt(link, 20, 1));
    EXPECT_TRUE(seeksAndReadsPatternAt(replaced, 20, 2));
    releaseAll({old, link, replaced});
}

TEST(DiskInputFile, AtTheDescriptorLimitFilesOfOneNameStillOpen) {
    dravon_test::writeFile("dif_limit.bin", pattern(100));
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    // A few to spare: joining a shared descriptor takes a second one for a moment, and the
    // sanitizers take some of their own.
    rlimit low = saved;
    low.rlim_cur = static_cast<rlim_t>(openDescriptors() + 8);
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);
    std::vector<IInputFile*> files = openMany("dif_limit.bin", 300);
    setrlimit(RLIMIT_NOFILE, &saved);
    for (int i = 0; i < 300; ++i)
        ASSERT_NE(files[i], nullptr) << i;
    EXPECT_TRUE(seeksAndReadsPatternAt(files[150], 60));
    releaseAll(files);
}

#endif
