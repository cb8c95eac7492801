// Runs the real game executable as a child process in a private working directory.
#include "support/Harness.hpp"
#include "support/WindowCloser.hpp"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using testsupport::ReadFile;
using testsupport::WriteFile;

namespace
{
#if defined(__SANITIZE_ADDRESS__)
constexpr int kSlowdown = 3;
#else
constexpr int kSlowdown = 1;
#endif
constexpr int kStillRunning = -1;

// Runs the game in the working directory, its output caught in stdout.txt and stderr.txt, for at
// most `seconds`. Returns its exit code, or kStillRunning when it had to be killed.
int RunGame(int seconds, const std::string& environment = "")
{
    const std::string command = environment + " timeout -s KILL " + std::to_string(seconds * kSlowdown) +
                                " " + HINGEWALK_EXECUTABLE + " >stdout.txt 2>stderr.txt";
    const int status = std::system(command.c_str());
    if (!WIFEXITED(status))
        return -2;
    return WEXITSTATUS(status) == 128 + 9 ? kStillRunning : WEXITSTATUS(status);
}
} // namespace

// Each test prepares a scratch directory like the game's own (data links, important/ with the
// measuring tape) and then breaks what it needs broken.
TEST(Startup, WithoutTheMeasuringTapeTheGameEndsAtOnceWithOneAndDoesNothing)
{
    const testsupport::ScratchDirectory dir;
    fs::remove("important/LoadBearingMeasuringTape.jpg");
    // No usable display: a window attempt would fail loudly.
    EXPECT_EQ(RunGame(10, "DISPLAY=:no-such-display"), 1);
    EXPECT_EQ(ReadFile("stdout.txt") + ReadFile("stderr.txt"), "");
    EXPECT_FALSE(fs::exists("log.txt"));
}

TEST(Startup, AStartUpErrorEndsTheGameWithItsMessage)
{
    const auto expectFailure = [](const std::string& message)
    {
        const int code = RunGame(15);
        EXPECT_NE(code, kStillRunning) << "expected: " << message;
        EXPECT_NE(code, 0);
        EXPECT_NE(ReadFile("stderr.txt").find(message + "\n"), std::string::npos) << ReadFile("stderr.txt");
    };
    {
        const testsupport::ScratchDirectory dir;
        fs::remove("font-fixed-v3.ttf");
        expectFailure("DisplayManager: failed to load font: font-fixed-v3.ttf");
    }
    {
        const testsupport::ScratchDirectory dir;
        // A sprites folder of its own whose first shared sprite is broken.
        fs::remove("sprites");
        WriteFile("sprites/Bridge.txt", "0x3\n0\nwhite\n#\n#\n#\n");
        expectFailure("ResourceManager: non-positive dimensions in: sprites/Bridge.txt");
    }
}

// A settings file whose loading length is no number does not stop the game either.
TEST(Startup, ClosingTheWindowEndsTheGameWithZeroAndAnEmptyLog)
{
    const testsupport::ScratchDirectory dir;
    WriteFile("important/LoadBearingMeasuringTape.jpg", ""); // only its existence counts
    WriteFile("important/settings.txt", "Loading Length:abc;");
    // An argv[0] of its own names the game's window class, so this test closes its own game only.
    const std::string name = "hingewalk-test-" + std::to_string(getpid());
    const pid_t game = fork();
    ASSERT_GE(game, 0);
    if (game == 0)
    {
        std::freopen("stdout.txt", "w", stdout);
        std::freopen("stderr.txt", "w", stderr);
        execl(HINGEWALK_EXECUTABLE, name.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }

    // Once it reaches its frame loop (the splash), the close arrives.
    const bool closed = testsupport::AskWindowToClose(name, std::chrono::seconds(10 * kSlowdown),
                                                      std::chrono::milliseconds(500 * kSlowdown));
    int status = 0;
    for (int i = 0; closed && i < 100 * kSlowdown && waitpid(game, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (waitpid(game, &status, WNOHANG) == 0)
    {
        kill(game, SIGKILL);
        waitpid(game, &status, 0);
        FAIL() << (closed ? "the game did not end when its window was closed" : "no game window appeared")
               << "\n"
               << ReadFile("stderr.txt");
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << ReadFile("stderr.txt");
    ASSERT_TRUE(fs::exists("log.txt"));
    EXPECT_EQ(fs::file_size("log.txt"), 0u);
}
