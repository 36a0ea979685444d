#include "engine/PluginLoader.h"

#include "LogCapture.h"
#include "TestFiles.h"
#include "drivers/null/NullSoundEngine.h"
#include "platform/system/FileSystem.h"
#include "platform/system/Logger.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace nox::audio;
using namespace dravon_test;

namespace {

std::string currentDirectory() {
    char buffer[1024];
    getCurrentDirectory(buffer, sizeof buffer);
    return buffer;
}

// The directory of this program, without its trailing separator; the test plug-ins dvptest.dll
// (with the entry point) and dvpnoentry.dll (without) are built into it.
std::string programDirectory() {
    char path[1024];
    getExecutablePath(path, sizeof path);
    return std::filesystem::path(path).parent_path().string();
}

void copyFile(const std::string& from, const std::string& to) {
    writeFile(to, readFile(from));
}

const char* const loadedLine = "Loaded plugin: dvptest.dll";
const char* const noEntryLine =
    "Could not find function 'dravonPluginInit' in plugin: dvpnoentry.dll";

// Each test runs in a directory of its own under the tests' working directory.
class PluginLoaderTest : public testing::Test {
protected:
    void SetUp() override {
        saved_ = currentDirectory();
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        directory_ =
            (std::filesystem::path(saved_) / ("plugins-" + std::string(info->name()))).string();
        std::filesystem::remove_all(directory_);
        std::filesystem::create_directory(directory_);
        ASSERT_TRUE(changeCurrentDirectory(directory_.c_str()));
        fileManager_ = createFileManager();
        StdoutCapture banner;
        engine_ = new NullSoundEngine(fileManager_, 0);
    }
    void TearDown() override {
        engine_->decRef();
        fileManager_->decRef();
        changeCurrentDirectory(saved_.c_str());
    }

    // The lines that one scan of a new loader writes.
    std::vector<std::string> scan() {
        PluginLoader* loader = new PluginLoader(engine_, fileManager_);
        StdoutCapture capture;
        loader->scanForPlugins();
        loader->decRef();
        return capture.takeLines();
    }

    std::string saved_, directory_;
    IFileManager* fileManager_ = nullptr;
    NullSoundEngine* engine_ = nullptr;
};

std::vector<std::string> sorted(std::vector<std::string> lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

} // namespace

TEST(PluginFileName, DvpPrefixAndDllInsideAfterLowerCasing) {
    for (const char* name : {"DVPmp3.DLL", "dvpmp3.dll.bak", "dvpx.dll", "dvp.dll.so"}) {
        CharString lower(name);
        lower.makeLower();
        EXPECT_TRUE(PluginLoader::isPluginFileName(lower)) << name;
    }
    for (const char* name : {"dvp.dll", "mydvp.dll", "dvpmp3.so", "dvpmp3dll", ""}) {
        CharString lower(name);
        lower.makeLower();
        EXPECT_FALSE(PluginLoader::isPluginFileName(lower)) << name;
    }
}

TEST_F(PluginLoaderTest, ProgramDirectoryScannedTwiceLoadsEachPluginOnce) {
    // Its text lacks the trailing separator of the program's directory, so both scans run.
    ASSERT_TRUE(changeCurrentDirectory(programDirectory().c_str()));
    // The library without the entry point gives one error line and no "Loaded plugin" line.
    EXPECT_EQ(sorted({noEntryLine, loadedLine}), sorted(scan()));
    EXPECT_EQ(programDirectory(), currentDirectory());
}

TEST_F(PluginLoaderTest, WorkingDirectoryIsSearchedSecondAndRestored) {
    writeFile("dvpbroken.dll", Bytes{'n', 'o', 't', ' ', 'E', 'L', 'F'});
    std::filesystem::create_directory("dvpfolder.dll");
    // Already handled in the program's directory, and not a plug-in name at all.
    const std::string plugin = (std::filesystem::path(programDirectory()) / "dvptest.dll").string();
    copyFile(plugin, "dvptest.dll");
    copyFile(plugin, "mydvp.dll");
    std::vector<std::string> lines = scan();
    ASSERT_EQ(4u, lines.size());
    std::vector<std::string> fromProgram(lines.begin(), lines.begin() + 2);
    std::vector<std::string> fromWorking(lines.begin() + 2, lines.end());
    EXPECT_EQ(sorted({noEntryLine, loadedLine}), sorted(fromProgram));
    // Directories pass the name test like files, and fail to load.
    EXPECT_EQ(
        sorted({"Could not load plugin: dvpbroken.dll", "Could not load plugin: dvpfolder.dll"}),
        sorted(fromWorking));
    EXPECT_EQ(directory_, currentDirectory());
}

TEST_F(PluginLoaderTest, FailuresAreErrorsAndSuccessIsInformation) {
    writeFile("dvpbroken.dll", Bytes{0, 1, 2, 3});
    ILogger* logger = acquireProcessLogger();
    logger->setLogLevel(LOG_LEVEL_ERROR);
    std::vector<std::string> lines = scan();
    logger->setLogLevel(LOG_LEVEL_INFO);
    releaseProcessLogger(logger);
    EXPECT_EQ(sorted({noEntryLine, "Could not load plugin: dvpbroken.dll"}), sorted(lines));
}

TEST_F(PluginLoaderTest, EngineWithTheOptionAsksPluginLoadersFirst) {
    StdoutCapture capture;
    NullSoundEngine* engine = new NullSoundEngine(fileManager_, ENGINE_OPT_LOAD_PLUGINS);
    std::vector<std::string> lines = capture.takeLines();
    ASSERT_EQ(4u, lines.size());
    EXPECT_EQ("Dravon 3D Sound Engine version 0.8.1", lines[0]);
    EXPECT_EQ(sorted({noEntryLine, loadedLine}), sorted({lines[1], lines[2]}));
    EXPECT_EQ("Using NULL driver", lines[3]);

    // Both the WAV loader and the plug-in's want this name: the plug-in is asked first, so the
    // WAV reader never sees the file and logs nothing.
    IInputFile* file = memoryFile(Bytes{'T', 'E', 'S', 'T'}, "a.wav.tst");
    StdoutCapture quiet;
    IAudioStream* stream = engine->openAudioStream(file);
    EXPECT_EQ("", quiet.take());
    ASSERT_NE(nullptr, stream);
    EXPECT_EQ(8000, stream->getFormat().sampleRate);
    stream->decRef();
    file->decRef();
    engine->decRef();
}

TEST_F(PluginLoaderTest, EngineWithoutTheOptionLoadsNothing) {
    StdoutCapture capture;
    NullSoundEngine* engine = new NullSoundEngine(fileManager_, 0);
    IInputFile* file = memoryFile(Bytes{'T', 'E', 'S', 'T'}, "a.tst");
    EXPECT_EQ(nullptr, engine->openAudioStream(file));
    // Only the WAV reader, in the second pass, says anything about the file.
    EXPECT_EQ((std::vector<std::string>{"Dravon 3D Sound Engine version 0.8.1", "Using NULL driver",
                                        "Unknown wave header in file",
                                        "Could not open audio stream for sound file: a.tst"}),
              capture.takeLines());
    file->decRef();
    engine->decRef();
}
