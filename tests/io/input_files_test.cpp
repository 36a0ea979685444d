#include "io/DiskInputFile.h"
#include "io/DiskOutputFile.h"
#include "io/MemoryInputFile.h"
#include "io/SectionInputFile.h"

#include "TestFiles.h"

#include <gtest/gtest.h>
#include <numeric>
#include <vector>

using namespace nox::audio;
using dravon_test::Bytes;

namespace {

Bytes counting(std::size_t size) {
    Bytes bytes(size);
    std::iota(bytes.begin(), bytes.end(), 0);
    return bytes;
}

} // namespace

TEST(MemoryInputFile, ReadAtTheEndReturnsWhatIsLeftThenNothing) {
    Bytes ten = counting(10);
    IInputFile* file = createMemoryInputFile(ten.data(), 10, "ten", false);
    ASSERT_TRUE(file->seek(8, false));
    u8 buffer[5] = {};
    EXPECT_EQ(file->read(buffer, 5), 2);
    EXPECT_EQ(buffer[0], 8);
    EXPECT_EQ(buffer[1], 9);
    EXPECT_EQ(file->read(buffer, 5), 0);
    EXPECT_EQ(file->getPos(), 10);
    EXPECT_STREQ(file->getFileName(), "ten");
    file->decRef();
}

TEST(MemoryInputFile, SeekBoundaries) {
    Bytes ten = counting(10);
    IInputFile* file = createMemoryInputFile(ten.data(), 10, "ten", false);
    EXPECT_FALSE(file->seek(-1, true));
    EXPECT_EQ(file->getPos(), 0);
    EXPECT_TRUE(file->seek(10, false));
    EXPECT_FALSE(file->seek(11, false));
    EXPECT_EQ(file->getPos(), 10);
    EXPECT_TRUE(file->seek(-4, true));
    EXPECT_EQ(file->getPos(), 6);
    EXPECT_FALSE(file->seek(2147483647, true)) << "no overflow into a valid position";
    EXPECT_EQ(file->getPos(), 6);
    u8 huge[16];
    EXPECT_EQ(file->read(huge, 0xFFFFFFFFu), 4) << "an enormous request reads only the rest";
    file->decRef();
}

TEST(MemoryInputFile, OwnedMemoryIsFreedWithTheFile) {
    // Leak checkers catch a file that forgets to free memory it owns.
    u8* owned = new u8[3]{1, 2, 3};
    IInputFile* file = createMemoryInputFile(owned, 3, "owned", true);
    EXPECT_EQ(file->getSize(), 3);
    file->decRef();
}

TEST(SectionInputFile, WindowOntoTheUnderlyingFile) {
    Bytes data = counting(2000);
    IInputFile* archive = createMemoryInputFile(data.data(), 2000, "archive", false);
    ASSERT_TRUE(archive->seek(1000, false));
    IInputFile* section = createSectionInputFile("entry.wav", archive, 100);
    EXPECT_EQ(archive->getReferenceCount(), 2);
    EXPECT_EQ(section->getPos(), 0);
    EXPECT_EQ(section->getSize(), 100);
    EXPECT_TRUE(section->seek(100, false));
    EXPECT_EQ(section->getPos(), 100);
    EXPECT_FALSE(section->seek(101, false));
    EXPECT_EQ(section->getPos(), 100);
    ASSERT_TRUE(section->seek(80, false));
    u8 buffer[50];
    EXPECT_EQ(section->read(buffer, 50), 20);
    EXPECT_EQ(buffer[0], static_cast<u8>(1080 & 0xFF));
    EXPECT_EQ(section->read(buffer, 50), 0);
    // A relative seek is cut at the section's end.
    ASSERT_TRUE(section->seek(10, false));
    EXPECT_TRUE(section->seek(500, true));
    EXPECT_EQ(section->getPos(), 100);
    section->decRef();
    EXPECT_EQ(archive->getReferenceCount(), 1);
    archive->decRef();
}

TEST(SectionInputFile, SectionsOverOneFileKeepTheirOwnPositions) {
    Bytes data = counting(300);
    IInputFile* archive = createMemoryInputFile(data.data(), 300, "archive", false);
    archive->seek(100, false);
    IInputFile* first = createSectionInputFile("a", archive, 50);
    archive->seek(200, false);
    IInputFile* second = createSectionInputFile("b", archive, 50);
    ASSERT_TRUE(first->seek(10, false));
    EXPECT_EQ(second->getPos(), 0);
    u8 byte = 0;
    EXPECT_EQ(second->read(&byte, 1), 1);
    EXPECT_EQ(byte, 200);
    EXPECT_EQ(first->read(&byte, 1), 1);
    EXPECT_EQ(byte, 110);
    EXPECT_TRUE(first->seek(-20, false)) << "a position before the section start is not refused";
    EXPECT_EQ(first->read(&byte, 1), 1);
    EXPECT_EQ(byte, 80);
    EXPECT_FALSE(first->seek(-101, false)) << "but one before the file's first byte is";
    EXPECT_FALSE(first->seek(-200, true));
    EXPECT_EQ(first->getPos(), -19);
    first->decRef();
    second->decRef();
    archive->decRef();
}

TEST(DiskInputFile, EmptyOrMissingNameGivesNoFile) {
    EXPECT_EQ(createDiskInputFile(""), nullptr);
    EXPECT_EQ(createDiskInputFile("does-not-exist.bin"), nullptr);
}

TEST(DiskFiles, WrittenBytesReadBackWithTheirSize) {
    IOutputFile* out = createDiskOutputFile("disk-file.bin", false);
    ASSERT_NE(out, nullptr);
    Bytes data = counting(100);
    EXPECT_EQ(out->write(data.data(), 100), 100);
    EXPECT_EQ(out->getPos(), 100);
    out->decRef();
    out = createDiskOutputFile("disk-file.bin", true);
    EXPECT_EQ(out->write(data.data(), 10), 10);
    out->decRef();

    IInputFile* in = createDiskInputFile("disk-file.bin");
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(in->getSize(), 110);
    EXPECT_STREQ(in->getFileName(), "disk-file.bin");
    ASSERT_TRUE(in->seek(95, false));
    u8 buffer[20];
    EXPECT_EQ(in->read(buffer, 20), 15);
    EXPECT_EQ(buffer[5], 0) << "the appended bytes follow";
    EXPECT_TRUE(in->seek(500, false)) << "seeking past the end is not refused";
    EXPECT_EQ(in->read(buffer, 20), 0);
    in->decRef();
    EXPECT_EQ(createDiskOutputFile("", false), nullptr);
    EXPECT_EQ(createDiskOutputFile("no-such-dir/x.bin", false), nullptr);
}
