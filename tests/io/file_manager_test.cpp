#include "io/FileManager.h"
#include "io/MemoryInputFile.h"

#include "TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>

using namespace nox::audio;

namespace {

// A provider holding one named file in memory.
class OneFileProvider : public IFileProvider {
public:
    OneFileProvider(const char* name, const char* text) : name_(name), text_(text) {}
    IInputFile* openFile(const char* fileName) override {
        ++asked;
        if (name_ != fileName)
            return nullptr;
        return createMemoryInputFile(const_cast<char*>(text_.data()),
                                     static_cast<s32>(text_.size()), fileName, false);
    }
    int asked = 0;

private:
    std::string name_;
    std::string text_;
};

std::string firstLine(IInputFile* file) {
    char buffer[64] = {};
    file->read(buffer, sizeof buffer - 1);
    return buffer;
}

class FileManagerTest : public testing::Test {
protected:
    void SetUp() override { manager = createFileManager(); }
    void TearDown() override { manager->decRef(); }
    IFileManager* manager = nullptr;
};

} // namespace

TEST_F(FileManagerTest, ProvidersAreAskedInOrderBeforeTheDisk) {
    dravon_test::writeFile("shared.txt", {'d', 'i', 's', 'k'});
    OneFileProvider* first = new OneFileProvider("other.txt", "first");
    OneFileProvider* second = new OneFileProvider("shared.txt", "second");
    manager->addFileProvider(first);
    manager->addFileProvider(second);
    manager->addFileProvider(nullptr);
    EXPECT_EQ(first->getReferenceCount(), 2);

    IInputFile* file = manager->openFile("shared.txt");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(firstLine(file), "second");
    file->decRef();

    IInputFile* disk = manager->openFile("only-on-nothing.txt");
    EXPECT_EQ(disk, nullptr);
    EXPECT_EQ(first->asked, 2);
    first->decRef();
    second->decRef();
}

TEST_F(FileManagerTest, DiskIsReachedWhenNoProviderHasTheName) {
    dravon_test::writeFile("disk-only.txt", {'d', 'i', 's', 'k'});
    OneFileProvider* provider = new OneFileProvider("x", "y");
    manager->addFileProvider(provider);
    provider->decRef();
    IInputFile* file = manager->openFile("disk-only.txt");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(firstLine(file), "disk");
    file->decRef();
}

TEST_F(FileManagerTest, ExistenceIgnoresProviders) {
    OneFileProvider* provider = new OneFileProvider("provided.txt", "p");
    manager->addFileProvider(provider);
    provider->decRef();
    EXPECT_FALSE(manager->fileExists("provided.txt"));
    dravon_test::writeFile("exists.txt", {'x'});
    EXPECT_TRUE(manager->fileExists("exists.txt"));
    EXPECT_FALSE(manager->fileExists(nullptr));
}

TEST_F(FileManagerTest, PathSplitting) {
    EXPECT_STREQ(manager->getFileBaseName("/games/sounds/boom.wav").c_str(), "boom.wav");
    EXPECT_STREQ(manager->getFileDirectory("/games/sounds/boom.wav").c_str(), "/games/sounds/");
    EXPECT_STREQ(manager->getFileBaseName("boom").c_str(), "boom");
    EXPECT_STREQ(manager->getFileDirectory("boom").c_str(), "");
}

TEST_F(FileManagerTest, DirectoriesAndWorkingDirectory) {
    std::string start = manager->getWorkingDirectory();
    EXPECT_TRUE(manager->createDirectory("made-dir"));
    EXPECT_TRUE(manager->createDirectory("made-dir")) << "an existing directory counts as made";
    EXPECT_FALSE(manager->createDirectory("no/such/parent/dir"));
    ASSERT_TRUE(manager->changeWorkingDirectory("made-dir"));
    const std::string made = manager->getWorkingDirectory();
    EXPECT_EQ(made, (std::filesystem::path(start) / "made-dir").string());
    dravon_test::writeFile("inside.bin", {1, 2, 3});
    manager->createDirectory("sub");

    IDirectoryListing* listing = manager->createDirectoryListing();
    std::set<std::string> names;
    for (u32 i = 0; i < listing->getFileCount(); ++i) {
        std::string name = listing->getFileName(static_cast<s32>(i));
        names.insert(name);
        EXPECT_EQ(std::string(listing->getFullFileName(static_cast<s32>(i))), made + "/" + name);
        EXPECT_EQ(listing->isDirectory(static_cast<s32>(i)), name != "inside.bin");
    }
    EXPECT_EQ(names, (std::set<std::string>{".", "..", "inside.bin", "sub"}));
    EXPECT_EQ(listing->getFileName(-1), nullptr);
    EXPECT_EQ(listing->getFullFileName(static_cast<s32>(listing->getFileCount())), nullptr);
    EXPECT_FALSE(listing->isDirectory(99));
    listing->decRef();

    EXPECT_TRUE(manager->changeWorkingDirectory(start.c_str()));
    EXPECT_FALSE(manager->changeWorkingDirectory("no-such-directory"));
    EXPECT_EQ(std::string(manager->getWorkingDirectory()), start);
}

TEST_F(FileManagerTest, OutputFilesOpenOnTheDisk) {
    IOutputFile* out = manager->openOutputFile("manager-out.bin", false);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(out->write("abc", 3), 3);
    EXPECT_STREQ(out->getFileName(), "manager-out.bin");
    out->decRef();
    EXPECT_EQ(dravon_test::readFile("manager-out.bin").size(), 3u);
}
