// The game's own folders, atomic saves and the best-times file.

#include <gtest/gtest.h>

#include "LevelTestFiles.h"
#include "platform/AtomicFile.h"
#include "platform/DataFolders.h"
#include "platform/FileStepHook.h"
#include "sim/BestTimes.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velmora;
using namespace velmora::platform;
using velmora::testing::readText;
using velmora::testing::TempFolder;

namespace {

std::vector<std::string> folderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Sets an environment variable for one test and puts the old value back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedVariable() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

struct HookGuard {
    ~HookGuard() { setFileStepHook({}); }
};

// Fails the count-th call of step (counting from 1) with errorCode.
FileStepHook failAt(FileStep step, int count, int errorCode) {
    auto seen = std::make_shared<int>(0);
    return [=](FileStep now) { return now == step && ++*seen == count ? errorCode : 0; };
}

// Over one write chunk, so that a save takes two writes.
const std::string kNewContent(kWriteChunk + 1000, 'n');

}  // namespace

TEST(DataFolders, FollowXdgVariablesAndFallBackOnHome) {
    struct Case {
        const char* config;
        const char* data;
        std::string expectedConfig;
        std::string expectedData;
    };
    const Case cases[] = {
        {"/xdg/config", "/xdg/data/", "/xdg/config/vizazuv", "/xdg/data/vizazuv"},
        // Relative and empty values are not base folders and are ignored.
        {"relative/config", "", "/home/player/.config/vizazuv",
         "/home/player/.local/share/vizazuv"},
        {nullptr, nullptr, "/home/player/.config/vizazuv", "/home/player/.local/share/vizazuv"},
    };
    ScopedVariable home("HOME", "/home/player");
    for (const Case& c : cases) {
        ScopedVariable config("XDG_CONFIG_HOME", c.config);
        ScopedVariable data("XDG_DATA_HOME", c.data);
        EXPECT_EQ(configFolderPath(), c.expectedConfig);
        EXPECT_EQ(dataFolderPath(), c.expectedData);
    }
}

TEST(DataFolders, AreMadePrivateWhenFirstNeeded) {
    TempFolder temp;
    ScopedVariable config("XDG_CONFIG_HOME", temp.file("config").c_str());
    ScopedVariable data("XDG_DATA_HOME", temp.file("deep/data").c_str());
    EXPECT_EQ(configFolder(), temp.file("config/vizazuv"));
    EXPECT_EQ(replaysFolder(), temp.file("deep/data/vizazuv/replays"));
    for (const char* made : {"config/vizazuv", "deep/data/vizazuv", "deep/data/vizazuv/replays"}) {
        struct stat info {};
        ASSERT_EQ(stat(temp.file(made).c_str(), &info), 0) << made;
        EXPECT_EQ(info.st_mode & 0777, 0700u) << made;
    }
}

TEST(DataFolders, AnUnusableFolderSaysSoOnceAndPlaysOn) {
    TempFolder temp;
    temp.writeText("file", "not a folder");
    ScopedVariable data("XDG_DATA_HOME", temp.file("file/below").c_str());
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(dataFolder(), "");
    EXPECT_EQ(replaysFolder(), "");
    EXPECT_EQ(BestTimes::defaultPath(), "");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Cannot write to " + temp.file("file/below/vizazuv") +
                  ": Not a directory; playing on without saving.\n");
}

TEST(AtomicFile, AFailedStepKeepsTheOldFileAndLeavesNothingBehind) {
    struct Case {
        FileStep step;
        int count;
        int errorCode;
        std::string expectedError;
    };
    const Case cases[] = {
        {FileStep::open, 1, EACCES, "creating a temporary file failed: Permission denied"},
        {FileStep::write, 1, ENOSPC, "writing failed: No space left on device"},
        // Half the new file written, then the disk fills up.
        {FileStep::write, 2, ENOSPC, "writing failed: No space left on device"},
        {FileStep::sync, 1, EIO, "flushing to disk failed: Input/output error"},
        {FileStep::close, 1, EIO, "closing failed: Input/output error"},
        {FileStep::rename, 1, EXDEV, "replacing the old file failed: Invalid cross-device link"},
    };
    TempFolder temp;
    const std::string path = temp.file("best-times.txt");
    HookGuard guard;
    for (const Case& c : cases) {
        SCOPED_TRACE(fileStepName(c.step));
        temp.writeText("best-times.txt", "old");
        setFileStepHook(failAt(c.step, c.count, c.errorCode));
        std::string error;
        EXPECT_FALSE(writeFileAtomically(path, kNewContent, error));
        EXPECT_EQ(error, "Cannot save " + path + ": " + c.expectedError);
        EXPECT_EQ(readText(path), "old");
        EXPECT_EQ(folderEntries(temp.path()), std::vector<std::string>{"best-times.txt"});
    }

    // Past the rename the new file is in place, and the caller hears that it
    // may not be on the disk yet.
    setFileStepHook(failAt(FileStep::syncFolder, 1, EIO));
    std::string error;
    EXPECT_FALSE(writeFileAtomically(path, kNewContent, error));
    EXPECT_EQ(error, "Saved " + path +
                         ", but flushing its folder failed (Input/output error): the new file may "
                         "not survive a power cut");
    EXPECT_EQ(readText(path), kNewContent);

    setFileStepHook({});
    EXPECT_TRUE(writeFileAtomically(path, "newest", error)) << error;
    EXPECT_EQ(readText(path), "newest");
    EXPECT_EQ(folderEntries(temp.path()), std::vector<std::string>{"best-times.txt"});

    EXPECT_FALSE(writeFileAtomically(temp.file("best-times.txt/x"), "x", error));
    EXPECT_EQ(error, "Cannot save " + temp.file("best-times.txt/x") +
                         ": creating a temporary file failed: Not a directory");
}

TEST(AtomicFile, AWriterKilledAtAnyStepLeavesTheOldOrTheNewFileWhole) {
    TempFolder temp;
    const std::string path = temp.file("replay.vzr");
    HookGuard guard;
    std::vector<FileStep> steps;
    setFileStepHook([&](FileStep step) {
        steps.push_back(step);
        return 0;
    });
    std::string error;
    ASSERT_TRUE(writeFileAtomically(temp.file("scratch"), kNewContent, error)) << error;
    setFileStepHook({});
    ASSERT_EQ(steps.size(), 8u);  // two writes

    bool renamed = false;
    for (std::size_t killAt = 0; killAt < steps.size(); ++killAt) {
        SCOPED_TRACE(std::to_string(killAt) + " " + fileStepName(steps[killAt]));
        temp.writeText("replay.vzr", "the old replay");
        std::cout.flush();
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::size_t calls = 0;
            setFileStepHook([&](FileStep) {
                if (calls++ == killAt) _exit(0);
                return 0;
            });
            std::string childError;
            writeFileAtomically(path, kNewContent, childError);
            _exit(1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "not killed at its step";
        // Killed just before this step: once the rename has run, the new file.
        EXPECT_EQ(readText(path), renamed ? kNewContent : "the old replay");
        renamed = renamed || steps[killAt] == FileStep::rename;
    }
    EXPECT_TRUE(renamed);
    // The next save clears what the killed ones left.
    ASSERT_TRUE(writeFileAtomically(path, "the next replay", error)) << error;
    EXPECT_EQ(folderEntries(temp.path()), (std::vector<std::string>{"replay.vzr", "scratch"}));
}

TEST(AtomicFile, ReadingStopsAtTheSizeLimit) {
    TempFolder temp;
    temp.writeText("file", "12345");
    std::string bytes, error;
    EXPECT_EQ(readWholeFile(temp.file("file"), 5, bytes, error), ReadResult::ok);
    EXPECT_EQ(bytes, "12345");
    EXPECT_EQ(readWholeFile(temp.file("file"), 4, bytes, error), ReadResult::tooLarge);
    EXPECT_EQ(error, "Cannot read " + temp.file("file") + ": larger than 4 bytes");
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(readWholeFile(temp.file("none"), 4, bytes, error), ReadResult::missing);
    EXPECT_EQ(readWholeFile(temp.path(), 4, bytes, error), ReadResult::failed);
    // A pipe in a save's place is refused, not waited on (the alarm ends a
    // test that waits).
    ASSERT_EQ(mkfifo(temp.file("pipe").c_str(), 0600), 0);
    alarm(10);
    EXPECT_EQ(readWholeFile(temp.file("pipe"), 4, bytes, error), ReadResult::failed);
    alarm(0);
    EXPECT_EQ(error, "Cannot read " + temp.file("pipe") + ": not a regular file");
}

TEST(AtomicFile, KeepAsideNeverReplacesAnEarlierKeptFile) {
    TempFolder temp;
    const std::string path = temp.file("best-times.txt");
    temp.writeText("best-times.txt.bad", "first");
    temp.writeText("best-times.txt", "second");
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(keepAside(path, "is not a best-times file (binary data)"), path + ".bad.1");
    temp.writeText("best-times.txt", "third");
    EXPECT_EQ(keepAside(path, "is damaged"), path + ".bad.2");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              path + " is not a best-times file (binary data); kept it aside as " + path +
                  ".bad.1.\n" + path + " is damaged; kept it aside as " + path + ".bad.2.\n");
    EXPECT_EQ(readText(path + ".bad"), "first");
    EXPECT_EQ(readText(path + ".bad.1"), "second");
    EXPECT_EQ(readText(path + ".bad.2"), "third");
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(BestTimes, KeepTheBestPerLevelAcrossSessions) {
    TempFolder temp;
    ScopedVariable data("XDG_DATA_HOME", temp.path().c_str());
    const std::string path = BestTimes::defaultPath();
    ASSERT_EQ(path, temp.file("vizazuv/best-times.txt"));
    {
        BestTimes times(path);
        EXPECT_TRUE(times.record("0123456789abcdef", 3200));
        EXPECT_FALSE(times.record("0123456789abcdef", 3300));
        EXPECT_TRUE(times.record("0123456789abcdef", 3100));
        EXPECT_TRUE(times.record("other", 90));
        EXPECT_FALSE(times.record("two words", 90));
    }
    EXPECT_EQ(readText(path), "# vizazuv best times 1\n0123456789abcdef 3100\nother 90\n");
    const BestTimes again(path);
    EXPECT_EQ(again.best("0123456789abcdef"), 3100u);
    EXPECT_EQ(again.best("unknown"), std::nullopt);
}

TEST(BestTimes, BadLinesAreNamedSkippedAndKept) {
    TempFolder temp;
    const std::string path = temp.file("best-times.txt");
    temp.writeText("best-times.txt",
                   "# vizazuv best times 1\r\nlevel-a 500\r\n# kept comment\n\nlevel-b fast\n"
                   "level-c 10 20\nlevel-d -3\nlevel-e 0\nlevel-a 400\nlevel-f 77");
    ::testing::internal::CaptureStdout();
    BestTimes times(path);
    std::string expected;
    for (int line : {5, 6, 7, 8}) {
        expected += path + " line " + std::to_string(line) +
                    ": expected a level key and a number of steps; skipped\n";
    }
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), expected);
    EXPECT_EQ(times.best("level-a"), 400u);
    EXPECT_EQ(times.best("level-f"), 77u);
    EXPECT_EQ(times.best("level-b"), std::nullopt);

    EXPECT_TRUE(times.record("level-g", 60));
    EXPECT_EQ(readText(path),
              "# vizazuv best times 1\nlevel-a 400\n# kept comment\n\nlevel-b fast\n"
              "level-c 10 20\nlevel-d -3\nlevel-e 0\nlevel-f 77\nlevel-g 60\n");
}

TEST(BestTimes, AFileItCannotTakeIsNeverWrittenOver) {
    struct Case {
        std::string content;
        std::string expectedLine;  // after the path
        std::optional<std::uint32_t> expectedBest;
        bool keptAside;
    };
    const Case cases[] = {
        {std::string("\x89PNG\r\n\x1a\n\0\0", 10),
         " is not a best-times file (binary data); kept it aside as ", std::nullopt, true},
        {std::string(kMaxBestTimesBytes + 1, '#'),
         " is not a best-times file (over 64 KB); kept it aside as ", std::nullopt, true},
        // Read as far as it goes, but a newer game's file is left to it.
        {"# vizazuv best times 2\nlevel 100\n",
         " was written by a newer version of the game (format 2); not saving over it.\n", 100u,
         false},
    };
    for (const Case& c : cases) {
        TempFolder temp;
        const std::string path = temp.file("best-times.txt");
        temp.writeText("best-times.txt", c.content);
        ::testing::internal::CaptureStdout();
        BestTimes times(path);
        EXPECT_EQ(times.best("level"), c.expectedBest);
        EXPECT_TRUE(times.record("level", 50));
        EXPECT_TRUE(times.record("level", 40));
        const std::string output = ::testing::internal::GetCapturedStdout();
        if (c.keptAside) {
            EXPECT_EQ(output, path + c.expectedLine + path + ".bad.\n");
            EXPECT_EQ(readText(path + ".bad"), c.content);
            EXPECT_EQ(readText(path), "# vizazuv best times 1\nlevel 40\n");
        } else {
            EXPECT_EQ(output, path + c.expectedLine);
            EXPECT_EQ(readText(path), c.content);
        }
    }
}
