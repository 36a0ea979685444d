// The file manager with mounted archives: the search order, the existence test, the factories.
#include "LogCapture.h"
#include "TestFiles.h"
#include "ZipBuilder.h"

#include "io/FileManager.h"
#include "platform/system/Logger.h"
#include "xml/IAttributeSet.h"

#include <atomic>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

using namespace nox::audio;
using namespace dravon_test;

namespace {

//! Supplies one name with fixed content and counts how often it was asked.
class OneFileProvider : public IFileProvider {
public:
    OneFileProvider(const char* name, const Bytes& content) : name_(name), content_(content) {}
    IInputFile* openFile(const char* fileName) override {
        ++asked;
        return name_ == fileName ? memoryFile(content_, fileName) : nullptr;
    }
    int asked = 0;

private:
    std::string name_;
    Bytes content_;
};

std::string firstBytes(IInputFile* file) {
    if (!file)
        return "(null)";
    char text[16] = {};
    file->read(text, sizeof text - 1);
    file->decRef();
    return text;
}

class FileManagerZipTest : public ::testing::Test {
protected:
    void SetUp() override {
        logger_ = acquireProcessLogger();
        manager_ = createFileManager();
    }
    void TearDown() override {
        manager_->decRef();
        releaseProcessLogger(logger_);
    }
    ILogger* logger_ = nullptr;
    IFileManager* manager_ = nullptr;
};

} // namespace

TEST_F(FileManagerZipTest, ArchivesComeBeforeProvidersAndTheDisk) {
    writeFile("fmz_order.zip",
              ZipBuilder().add("Sfx/Fmz_Shared.txt", Bytes{'z', 'i', 'p'}).build());
    writeFile("fmz_second.zip", ZipBuilder().add("fmz_shared.txt", Bytes{'t', 'w', 'o'}).build());
    writeFile("fmz_shared.txt", Bytes{'d', 'i', 's', 'k'});
    OneFileProvider* provider = new OneFileProvider("fmz_shared.txt", Bytes{'p', 'r', 'o', 'v'});
    manager_->addFileProvider(provider);
    EXPECT_EQ(firstBytes(manager_->openFile("fmz_shared.txt")), "prov");
    ASSERT_TRUE(manager_->addZipArchive("fmz_order.zip", true, true));
    ASSERT_TRUE(manager_->addZipArchive("fmz_second.zip", false, false));
    int askedBefore = provider->asked;
    // Mounting order decides between archives; the provider is not asked.
    EXPECT_EQ(firstBytes(manager_->openFile("FMZ_SHARED.TXT")), "zip");
    EXPECT_EQ(provider->asked, askedBefore);
    EXPECT_EQ(firstBytes(manager_->openFile("fmz_shared.txt")), "zip");
    provider->decRef();
}

TEST_F(FileManagerZipTest, ArchiveEntryWinsOverADiskFileOfTheSameName) {
    writeFile("fmz_same.txt", Bytes{'d', 'i', 's', 'k'});
    writeFile("fmz_same.zip", ZipBuilder().add("fmz_same.txt", Bytes{'z', 'i', 'p'}).build());
    EXPECT_EQ(firstBytes(manager_->openFile("fmz_same.txt")), "disk");
    ASSERT_TRUE(manager_->addZipArchive("fmz_same.zip", false, false));
    EXPECT_EQ(firstBytes(manager_->openFile("fmz_same.txt")), "zip");
}

TEST_F(FileManagerZipTest, DeflatedEntryExistsButOpensFromProvidersOrDisk) {
    writeFile("fmz_deflated.txt", Bytes(3000, 'd'));
    runShell("rm -f fmz_deflated.zip");
    runZip("fmz_deflated.zip fmz_deflated.txt");
    runShell("rm -f fmz_deflated.txt");
    ASSERT_TRUE(manager_->addZipArchive("fmz_deflated.zip", false, false));
    StdoutCapture capture;
    EXPECT_TRUE(manager_->fileExists("fmz_deflated.txt"));
    EXPECT_EQ(manager_->openFile("fmz_deflated.txt"), nullptr);
    OneFileProvider* provider = new OneFileProvider("fmz_deflated.txt", Bytes{'p'});
    manager_->addFileProvider(provider);
    EXPECT_EQ(firstBytes(manager_->openFile("fmz_deflated.txt")), "p");
    EXPECT_EQ(capture.take(), "");
    provider->decRef();
    writeFile("fmz_deflated.txt", Bytes{'d', 'i', 's', 'k'});
    EXPECT_EQ(firstBytes(manager_->openFile("fmz_deflated.txt")), "p");
}

TEST_F(FileManagerZipTest, ExistenceTestAsksArchivesAndDiskButNotProviders) {
    writeFile("fmz_exists.zip", ZipBuilder().add("Dir/Inside.wav", Bytes{1}).build());
    OneFileProvider* provider = new OneFileProvider("only-provided.wav", Bytes{1});
    manager_->addFileProvider(provider);
    EXPECT_FALSE(manager_->fileExists("inside.wav"));
    ASSERT_TRUE(manager_->addZipArchive("fmz_exists.zip", true, true));
    EXPECT_TRUE(manager_->fileExists("any/dir\\INSIDE.wav"));
    EXPECT_FALSE(manager_->fileExists("only-provided.wav"));
    EXPECT_EQ(provider->asked, 0);
    EXPECT_TRUE(manager_->fileExists("fmz_exists.zip"));
    provider->decRef();
}

TEST_F(FileManagerZipTest, MountingNeedsADiskFileButNotAZipArchive) {
    EXPECT_FALSE(manager_->addZipArchive("fmz_missing.zip", true, true));
    EXPECT_FALSE(manager_->addZipArchive("", true, true));
    // Archives are never opened through a provider.
    OneFileProvider* provider =
        new OneFileProvider("fmz_provided.zip", ZipBuilder().add("x", Bytes{1}).build());
    manager_->addFileProvider(provider);
    EXPECT_FALSE(manager_->addZipArchive("fmz_provided.zip", false, false));
    provider->decRef();
    writeFile("fmz_text.zip", Bytes{'n', 'o', 't', ' ', 'z', 'i', 'p'});
    EXPECT_TRUE(manager_->addZipArchive("fmz_text.zip", false, false));
    EXPECT_FALSE(manager_->fileExists("x"));
}

TEST_F(FileManagerZipTest, XmlAndAttributeFactories) {
    EXPECT_EQ(manager_->createXmlReader(static_cast<IInputFile*>(nullptr)), nullptr);
    EXPECT_EQ(manager_->createXmlReaderUtf8(static_cast<IInputFile*>(nullptr)), nullptr);
    EXPECT_EQ(manager_->createXmlReader("fmz_no_such.xml"), nullptr);
    EXPECT_EQ(manager_->createXmlReaderUtf8("fmz_no_such.xml"), nullptr);
    EXPECT_EQ(manager_->createXmlWriter("fmz_no_dir/out.xml"), nullptr);

    IXmlWriter* writer = manager_->createXmlWriter("fmz_out.xml");
    ASSERT_NE(writer, nullptr);
    writer->writeElement(u"a", true);
    writer->decRef();
    EXPECT_EQ(readFile("fmz_out.xml"), (Bytes{'<', 0, 'a', 0, ' ', 0, '/', 0, '>', 0}));

    // The readers open through the archives like every other file.
    writeFile("fmz_xml.zip", ZipBuilder().add("doc.xml", Bytes{'<', 'e', ' ', '/', '>'}).build());
    ASSERT_TRUE(manager_->addZipArchive("fmz_xml.zip", false, false));
    IXmlReader16* wide = manager_->createXmlReader("doc.xml");
    IXmlReader8* narrow = manager_->createXmlReaderUtf8("doc.xml");
    ASSERT_NE(wide, nullptr);
    ASSERT_NE(narrow, nullptr);
    EXPECT_TRUE(wide->read());
    EXPECT_TRUE(narrow->read());
    EXPECT_EQ(std::u16string(wide->getNodeName()), u"e");
    EXPECT_STREQ(narrow->getNodeName(), "e");
    EXPECT_TRUE(narrow->isEmptyElement());
    wide->decRef();
    narrow->decRef();

    int context = 0;
    IAttributeSet* attributes = manager_->createAttributeSet(&context);
    ASSERT_NE(attributes, nullptr);
    EXPECT_EQ(attributes->getContext(), &context);
    EXPECT_EQ(attributes->getAttributeCount(), 0);
    attributes->decRef();
}

TEST_F(FileManagerZipTest, ThreadsOpenWhileAnotherMountsArchivesAndAddsProviders) {
    const int added = 20;
    writeFile("fmz_base.zip", ZipBuilder().add("fmz_in_zip.txt", Bytes{'z', 'i', 'p'}).build());
    writeFile("fmz_on_disk.txt", Bytes{'d', 'i', 's', 'k'});
    for (int k = 0; k < added; ++k)
        writeFile("fmz_more" + std::to_string(k) + ".zip",
                  ZipBuilder().add("more" + std::to_string(k), Bytes{'m'}).build());
    ASSERT_TRUE(manager_->addZipArchive("fmz_base.zip", false, false));
    std::atomic<bool> adding{true};
    std::thread adder([this, &adding] {
        for (int k = 0; k < added; ++k) {
            manager_->addZipArchive(("fmz_more" + std::to_string(k) + ".zip").c_str(), false,
                                    false);
            std::string name = "provided" + std::to_string(k);
            OneFileProvider* provider = new OneFileProvider(name.c_str(), Bytes{'p'});
            manager_->addFileProvider(provider);
            provider->decRef();
        }
        adding = false;
    });
    std::vector<std::thread> openers;
    std::vector<int> wrong(3, 0);
    for (int t = 0; t < 3; ++t)
        openers.emplace_back([this, t, &adding, &wrong] {
            for (int round = 0; adding || round < 50; ++round) {
                wrong[t] += firstBytes(manager_->openFile("fmz_in_zip.txt")) != "zip";
                wrong[t] += firstBytes(manager_->openFile("fmz_on_disk.txt")) != "disk";
                wrong[t] += !manager_->fileExists("fmz_in_zip.txt");
                std::string later = std::to_string(round % added);
                manager_->fileExists(("more" + later).c_str());
                IInputFile* provided = manager_->openFile(("provided" + later).c_str());
                wrong[t] += provided && firstBytes(provided) != "p";
            }
        });
    adder.join();
    for (std::thread& opener : openers)
        opener.join();
    EXPECT_EQ(wrong, std::vector<int>(3, 0));
    for (int k = 0; k < added; ++k) {
        EXPECT_EQ(firstBytes(manager_->openFile(("more" + std::to_string(k)).c_str())), "m");
        EXPECT_EQ(firstBytes(manager_->openFile(("provided" + std::to_string(k)).c_str())), "p");
    }
}
