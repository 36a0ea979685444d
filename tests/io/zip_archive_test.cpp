// The zip archive reader: the scan, the name rules, the lookup and the opening of entries.
#include "LogCapture.h"
#include "TestFiles.h"
#include "ZipBuilder.h"

#include "io/DiskInputFile.h"
#include "io/ZipArchiveReader.h"
#include "platform/system/Logger.h"

#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

using namespace nox::audio;
using namespace dravon_test;

namespace {

Bytes pattern(std::size_t count, int seed = 0) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + seed);
    return bytes;
}

//! A reader over an archive held in memory; the reader keeps the file alive.
ZipArchiveReader* readerOf(const Bytes& archive, bool ignoreCase = false,
                           bool ignorePaths = false) {
    IInputFile* file = memoryFile(archive, "archive.zip");
    ZipArchiveReader* reader = new ZipArchiveReader(file, ignoreCase, ignorePaths);
    file->decRef();
    return reader;
}

ZipArchiveReader* readerOfDisk(const char* path, bool ignoreCase = false,
                               bool ignorePaths = false) {
    IInputFile* file = createDiskInputFile(path);
    EXPECT_NE(file, nullptr) << path;
    ZipArchiveReader* reader = new ZipArchiveReader(file, ignoreCase, ignorePaths);
    if (file)
        file->decRef();
    return reader;
}

//! The whole content of the entry `name`, read with one oversized request; "missing" when it
//! does not open.
Bytes contentOf(ZipArchiveReader* reader, const char* name) {
    IInputFile* file = reader->openFile(name);
    if (!file)
        return Bytes{'m', 'i', 's', 's', 'i', 'n', 'g'};
    Bytes bytes(static_cast<std::size_t>(file->getSize()) + 100);
    s32 got = file->read(bytes.data(), static_cast<u32>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(got < 0 ? 0 : got));
    file->decRef();
    return bytes;
}

class ZipArchiveTest : public ::testing::Test {
protected:
    void SetUp() override { logger_ = acquireProcessLogger(); }
    void TearDown() override { releaseProcessLogger(logger_); }
    ILogger* logger_ = nullptr;
};

} // namespace

TEST_F(ZipArchiveTest, NameRulesOfBothFlagsWithSlashesAndBackslashes) {
    Bytes archive = ZipBuilder().add("Sounds/Drums/Kick.WAV", pattern(10)).build();
    struct Case {
        bool ignoreCase, ignorePaths;
        const char* name;
        bool found;
    } cases[] = {
        {true, true, "kick.wav", true},
        {true, true, "KICK.wav", true},
        {true, true, "other/dir/Kick.Wav", true},
        {true, true, "c:\\games\\KICK.WAV", true},
        {true, true, "Sounds/Drums/Kick.WAV", true},
        {true, false, "sounds/drums/kick.wav", true},
        {true, false, "SOUNDS/Drums/KICK.wav", true},
        {true, false, "kick.wav", false},
        {true, false, "sounds\\drums\\kick.wav", false},
        {false, true, "Kick.WAV", true},
        {false, true, "x\\y/Kick.WAV", true},
        {false, true, "kick.wav", false},
        {false, false, "Sounds/Drums/Kick.WAV", true},
        {false, false, "sounds/drums/kick.wav", false},
        {false, false, "Kick.WAV", false},
    };
    for (const Case& c : cases) {
        ZipArchiveReader* reader = readerOf(archive, c.ignoreCase, c.ignorePaths);
        EXPECT_EQ(reader->findEntry(c.name) >= 0, c.found)
            << c.name << " case " << c.ignoreCase << " paths " << c.ignorePaths;
        reader->decRef();
    }
}

TEST_F(ZipArchiveTest, EntryNamesAreDerivedFromTheStoredName) {
    ZipArchiveReader* reader =
        readerOf(ZipBuilder().add("Dir/Sub/Name.TXT", pattern(1)).add("/Root", pattern(1)).build(),
                 true, true);
    ASSERT_EQ(reader->getEntryCount(), 2);
    const ZipEntry& root = reader->getEntry(0);
    const ZipEntry& nested = reader->getEntry(1);
    // A '/' that is the first character is no separator: the key is the whole name.
    EXPECT_STREQ(root.keyName.c_str(), "/root");
    EXPECT_STREQ(root.path.c_str(), "");
    EXPECT_EQ(reader->findEntry("/Root"), 0);
    EXPECT_STREQ(nested.fullName.c_str(), "dir/sub/name.txt");
    EXPECT_STREQ(nested.keyName.c_str(), "name.txt");
    EXPECT_STREQ(nested.path.c_str(), "dir/sub/");
    EXPECT_EQ(nested.dataOffset, 30 + 16);
    reader->decRef();
}

TEST_F(ZipArchiveTest, EntriesAreSortedBySignedBytesAndFoundByBisection) {
    ZipBuilder builder;
    const char* names[] = {"m", "b", "\xE9x", "ab", "a", "zz", "c", "k"};
    for (int i = 0; i < 8; ++i)
        builder.add(names[i], Bytes{static_cast<std::uint8_t>(i)});
    ZipArchiveReader* reader = readerOf(builder.build());
    ASSERT_EQ(reader->getEntryCount(), 8);
    const char* sorted[] = {"\xE9x", "a", "ab", "b", "c", "k", "m", "zz"};
    for (int i = 0; i < 8; ++i)
        EXPECT_STREQ(reader->getEntry(i).keyName.c_str(), sorted[i]);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(contentOf(reader, names[i]), Bytes{static_cast<std::uint8_t>(i)}) << names[i];
    EXPECT_EQ(reader->findEntry("aa"), -1);
    EXPECT_EQ(reader->findEntry(""), -1);
    reader->decRef();
}

TEST_F(ZipArchiveTest, StoredEntryOfZipIsASectionNamedByItsKey) {
    writeFile("zipt_stored.bin", pattern(1000, 3));
    writeFile("zipt_other.txt", Bytes{'h', 'i'});
    runShell(
        "rm -f zipt_stored.zip && mkdir -p zipt_dir && cp zipt_stored.bin zipt_dir/Stored.BIN");
    runZip("-0 zipt_stored.zip zipt_dir/Stored.BIN zipt_other.txt");
    ZipArchiveReader* reader = readerOfDisk("zipt_stored.zip", true, true);
    IInputFile* file = reader->openFile("STORED.bin");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->getSize(), 1000);
    EXPECT_EQ(file->getPos(), 0);
    EXPECT_STREQ(file->getFileName(), "stored.bin");
    Bytes first(600), rest(600);
    EXPECT_EQ(file->read(first.data(), 600), 600);
    EXPECT_EQ(file->read(rest.data(), 600), 400);
    EXPECT_EQ(file->read(rest.data(), 600), 0);
    first.insert(first.end(), rest.begin(), rest.begin() + 400);
    EXPECT_EQ(first, pattern(1000, 3));
    EXPECT_TRUE(file->seek(10, false));
    EXPECT_EQ(file->getPos(), 10);
    file->decRef();
    EXPECT_EQ(contentOf(reader, "zipt_other.txt"), (Bytes{'h', 'i'}));
    reader->decRef();
}

TEST_F(ZipArchiveTest, EntryStaysReadableAfterTheReaderIsGone) {
    ZipArchiveReader* reader = readerOf(ZipBuilder().add("a", pattern(50)).build());
    IInputFile* file = reader->openFile("a");
    reader->decRef();
    ASSERT_NE(file, nullptr);
    Bytes bytes(50);
    EXPECT_EQ(file->read(bytes.data(), 50), 50);
    EXPECT_EQ(bytes, pattern(50));
    file->decRef();
}

TEST_F(ZipArchiveTest, DeflatedEntryIsFoundButNotOpenedAndLogsNothing) {
    Bytes text(4000, 'a');
    writeFile("zipt_deflate.txt", text);
    runShell("rm -f zipt_deflated.zip");
    runZip("zipt_deflated.zip zipt_deflate.txt");
    ZipArchiveReader* reader = readerOfDisk("zipt_deflated.zip");
    ASSERT_EQ(reader->getEntryCount(), 1);
    EXPECT_EQ(reader->getEntry(0).header.compressionMethod, 8);
    StdoutCapture capture;
    EXPECT_EQ(reader->findEntry("zipt_deflate.txt"), 0);
    EXPECT_EQ(reader->openFile("zipt_deflate.txt"), nullptr);
    EXPECT_EQ(capture.take(), "");
    reader->decRef();
}

TEST_F(ZipArchiveTest, OtherCompressionMethodLogsAnErrorWithTheKeyName) {
    ZipArchiveReader* reader =
        readerOf(ZipBuilder().add("Music/Song.OGG", pattern(20), 12).build(), true, true);
    StdoutCapture capture;
    EXPECT_EQ(reader->openFile("song.ogg"), nullptr);
    EXPECT_EQ(capture.takeLines(),
              std::vector<std::string>{"file has unsupported compression method.: song.ogg"});
    reader->decRef();
}

TEST_F(ZipArchiveTest, ArchivesWithoutLeadingHeaderYieldNoEntries) {
    Bytes stub = pattern(200);
    stub[0] = 'M';
    stub[1] = 'Z';
    const Bytes archives[] = {ZipBuilder().stub(stub).add("a", pattern(5)).build(), Bytes{},
                              Bytes{'P', 'K', 3}, pattern(100)};
    for (const Bytes& archive : archives) {
        ZipArchiveReader* reader = readerOf(archive);
        EXPECT_EQ(reader->getEntryCount(), 0);
        EXPECT_EQ(reader->findEntry("a"), -1);
        EXPECT_EQ(reader->openFile("a"), nullptr);
        reader->decRef();
    }
    ZipArchiveReader* none = new ZipArchiveReader(nullptr, true, true);
    EXPECT_EQ(none->openFile("a"), nullptr);
    EXPECT_EQ(none->openEntry(0), nullptr);
    none->decRef();
}

TEST_F(ZipArchiveTest, TruncatedArchiveKeepsWholeHeadersAndReadsWhatIsLeft) {
    Bytes archive = ZipBuilder().add("first", pattern(100)).add("second", pattern(100, 1)).build();
    // Cut inside the second entry's data: both headers are whole.
    Bytes cutInData(archive.begin(), archive.begin() + 30 + 5 + 100 + 30 + 6 + 40);
    writeFile("zipt_cut.zip", cutInData);
    Bytes second = pattern(100, 1);
    ZipArchiveReader* readers[] = {readerOf(cutInData), readerOfDisk("zipt_cut.zip")};
    for (ZipArchiveReader* reader : readers) {
        ASSERT_EQ(reader->getEntryCount(), 2);
        EXPECT_EQ(contentOf(reader, "first"), pattern(100));
        EXPECT_EQ(contentOf(reader, "second"), Bytes(second.begin(), second.begin() + 40));
        reader->decRef();
    }
    // Cut inside the second header or its name: only the first entry.
    for (std::size_t cut : {30 + 5 + 100 + 10, 30 + 5 + 100 + 33}) {
        ZipArchiveReader* reader = readerOf(Bytes(archive.begin(), archive.begin() + cut));
        EXPECT_EQ(reader->getEntryCount(), 1) << cut;
        EXPECT_EQ(contentOf(reader, "first"), pattern(100));
        reader->decRef();
    }
}

TEST_F(ZipArchiveTest, StreamedEntriesTakeTheirSizesFromTheCentralDirectory) {
    Bytes archive = ZipBuilder()
                        .addStreamed("one", pattern(300), true)
                        .addStreamed("two", pattern(20, 5), false)
                        .add("three", pattern(7, 9))
                        .build();
    ZipArchiveReader* reader = readerOf(archive);
    ASSERT_EQ(reader->getEntryCount(), 3);
    EXPECT_EQ(contentOf(reader, "one"), pattern(300));
    EXPECT_EQ(contentOf(reader, "two"), pattern(20, 5));
    EXPECT_EQ(contentOf(reader, "three"), pattern(7, 9));
    reader->decRef();

    // Without a central directory the streamed entry's end cannot be found: the scan stops.
    reader = readerOf(ZipBuilder()
                          .add("before", pattern(3))
                          .addStreamed("lost", pattern(30), true)
                          .add("after", pattern(3))
                          .withoutCentralDirectory()
                          .build());
    EXPECT_EQ(reader->getEntryCount(), 1);
    EXPECT_GE(reader->findEntry("before"), 0);
    reader->decRef();
}

TEST_F(ZipArchiveTest, ReadsArchivesThatZipWritesInStreamingMode) {
    writeFile("zipt_a.bin", pattern(1000, 2));
    writeFile("zipt_b.bin", pattern(24, 4));
    runShell("rm -f zipt_fd.zip zipt_stdin.zip zipt_pipe.zip");
    // Forced data descriptors: bit 3 on every entry, a signed descriptor after each.
    runZip("-0 -fd zipt_fd.zip zipt_a.bin zipt_b.bin");
    // Input from a pipe: sizes of 0xFFFFFFFF in the local header, the real ones in a zip64 field.
    runShell("cat zipt_b.bin | zip -q -0 zipt_stdin.zip -");
    // Output to a pipe: bit 3, zip64 local field, a 24-byte descriptor; then a stored entry.
    runShell("(cat zipt_b.bin | zip -q - - | cat > zipt_pipe.zip)");
    ZipArchiveReader* fd = readerOfDisk("zipt_fd.zip");
    ASSERT_EQ(fd->getEntryCount(), 2);
    EXPECT_EQ(contentOf(fd, "zipt_a.bin"), pattern(1000, 2));
    EXPECT_EQ(contentOf(fd, "zipt_b.bin"), pattern(24, 4));
    fd->decRef();
    ZipArchiveReader* fromStdin = readerOfDisk("zipt_stdin.zip");
    ASSERT_EQ(fromStdin->getEntryCount(), 1);
    EXPECT_EQ(contentOf(fromStdin, "-"), pattern(24, 4));
    fromStdin->decRef();
    ZipArchiveReader* piped = readerOfDisk("zipt_pipe.zip");
    ASSERT_EQ(piped->getEntryCount(), 1);
    EXPECT_EQ(piped->getEntry(0).header.uncompressedSize, 24u);
    EXPECT_EQ(piped->findEntry("-"), 0);
    piped->decRef();
}

namespace {

//! Reads `files` round-robin, `chunk` bytes at a time, until all are at their end; returns what
//! each one read.
std::vector<Bytes> readInterleaved(const std::vector<IInputFile*>& files, u32 chunk) {
    std::vector<Bytes> read(files.size());
    Bytes buffer(chunk);
    for (bool more = true; more;) {
        more = false;
        for (std::size_t i = 0; i < files.size(); ++i) {
            s32 got = files[i]->read(buffer.data(), chunk);
            read[i].insert(read[i].end(), buffer.begin(), buffer.begin() + got);
            more = more || got > 0;
        }
    }
    return read;
}

//! An archive of `count` entries "e<i>", each of a size and pattern of its own.
Bytes archiveOf(int count) {
    ZipBuilder builder;
    for (int i = 0; i < count; ++i)
        builder.add("e" + std::to_string(i), pattern(200 + i * 37, i));
    return builder.build();
}

} // namespace

TEST_F(ZipArchiveTest, EntriesReadInterleavedEachReadTheirOwnBytes) {
    ZipArchiveReader* reader = readerOf(archiveOf(2));
    IInputFile* first = reader->openFile("e0");
    Bytes start(50);
    ASSERT_EQ(first->read(start.data(), 50), 50);
    // Opening another entry leaves the one being read where it was.
    IInputFile* second = reader->openFile("e1");
    std::vector<Bytes> read = readInterleaved({first, second}, 16);
    start.insert(start.end(), read[0].begin(), read[0].end());
    EXPECT_EQ(start, pattern(200, 0));
    EXPECT_EQ(read[1], pattern(237, 1));
    first->decRef();
    second->decRef();
    reader->decRef();
}

TEST_F(ZipArchiveTest, ManyEntriesReadInterleaved) {
    ZipArchiveReader* reader = readerOf(archiveOf(40));
    std::vector<IInputFile*> files;
    for (int i = 0; i < 40; ++i)
        files.push_back(reader->openFile(("e" + std::to_string(i)).c_str()));
    // The same entry opened twice reads twice.
    files.push_back(reader->openFile("e7"));
    std::vector<Bytes> read = readInterleaved(files, 7);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(read[i], pattern(200 + i * 37, i)) << i;
    EXPECT_EQ(read[40], read[7]);
    for (IInputFile* file : files)
        file->decRef();
    reader->decRef();
}

TEST_F(ZipArchiveTest, EntriesOpenedAndReadFromSeveralThreads) {
    writeFile("zipt_threads.zip", archiveOf(8));
    ZipArchiveReader* reader = readerOfDisk("zipt_threads.zip");
    std::vector<std::thread> threads;
    std::vector<int> wrong(4, 0);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([reader, t, &wrong] {
            for (int round = 0; round < 10; ++round) {
                std::vector<IInputFile*> files;
                for (int i = 0; i < 8; ++i)
                    files.push_back(reader->openFile(("e" + std::to_string((i + t) % 8)).c_str()));
                std::vector<Bytes> read = readInterleaved(files, 13 + t);
                for (int i = 0; i < 8; ++i) {
                    int entry = (i + t) % 8;
                    wrong[t] += read[i] != pattern(200 + entry * 37, entry);
                    files[i]->decRef();
                }
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(wrong, std::vector<int>(4, 0));
    reader->decRef();
}
