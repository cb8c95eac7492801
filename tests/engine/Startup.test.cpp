// Runs the real game executable as a child process in a private working directory.
#include "support/Harness.hpp"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
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
constexpr double kSlowdown = 3.0;
#else
constexpr double kSlowdown = 1.0;
#endif

// The game started in `dir` (with its output caught in files there), killed when this goes out
// of scope.
class GameProcess
{
  public:
    explicit GameProcess(const fs::path& dir, const char* display = nullptr)
        : out(dir / "stdout.txt"), err(dir / "stderr.txt")
    {
        pid = fork();
        if (pid == 0)
        {
            const int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            const int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (chdir(dir.c_str()) != 0 || outFd < 0 || errFd < 0)
                _exit(126);
            dup2(outFd, STDOUT_FILENO);
            dup2(errFd, STDERR_FILENO);
            if (display != nullptr)
                setenv("DISPLAY", display, 1);
            execl(HINGEWALK_EXECUTABLE, HINGEWALK_EXECUTABLE, static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~GameProcess()
    {
        if (pid > 0 && !status)
        {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }

    // The exit status if the process ended within `seconds`.
    std::optional<int> WaitForExit(double seconds)
    {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds * kSlowdown);
        while (!status && std::chrono::steady_clock::now() < deadline)
        {
            int raw = 0;
            if (waitpid(pid, &raw, WNOHANG) == pid)
                status = raw;
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return status;
    }
    bool StillRunningAfter(double seconds) { return !WaitForExit(seconds).has_value(); }

    std::string Stdout() const { return ReadFile(out); }
    std::string Stderr() const { return ReadFile(err); }

    pid_t pid = -1;

  private:
    fs::path out;
    fs::path err;
    std::optional<int> status;
};
} // namespace

// Each test prepares a scratch directory like the game's own (data links, important/ with the
// measuring tape) and then breaks what it needs broken.
TEST(Startup, WithoutTheMeasuringTapeTheGameEndsAtOnceWithOneAndDoesNothing)
{
    const testsupport::ScratchDirectory dir;
    fs::remove("important/LoadBearingMeasuringTape.jpg");
    // No usable display: a window attempt would fail loudly.
    GameProcess game(dir.Path(), ":no-such-display");
    const std::optional<int> status = game.WaitForExit(10.0);
    ASSERT_TRUE(status.has_value()) << "still running";
    ASSERT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), 1);
    EXPECT_EQ(game.Stdout(), "");
    EXPECT_EQ(game.Stderr(), "");
    EXPECT_FALSE(fs::exists("log.txt"));
}

TEST(Startup, WithItsDataTheGameKeepsRunningAndItsLogStaysEmpty)
{
    const testsupport::ScratchDirectory dir;
    WriteFile("important/LoadBearingMeasuringTape.jpg", ""); // only its existence counts
    GameProcess game(dir.Path());
    EXPECT_TRUE(game.StillRunningAfter(2.0)) << game.Stderr();
    ASSERT_TRUE(fs::exists("log.txt"));
    EXPECT_EQ(fs::file_size("log.txt"), 0u);
}

TEST(Startup, ALoadingLengthThatIsNoNumberDoesNotStopTheGame)
{
    const testsupport::ScratchDirectory dir;
    WriteFile("important/settings.txt", "Loading Length:abc;");
    GameProcess game(dir.Path());
    EXPECT_TRUE(game.StillRunningAfter(1.5)) << game.Stderr();
}

TEST(Startup, AStartUpErrorEndsTheGameWithItsMessage)
{
    const auto expectFailure = [](const std::string& message)
    {
        GameProcess game(fs::current_path());
        const std::optional<int> status = game.WaitForExit(15.0);
        ASSERT_TRUE(status.has_value()) << "still running, expected: " << message;
        EXPECT_FALSE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0);
        EXPECT_NE(game.Stderr().find(message + "\n"), std::string::npos) << game.Stderr();
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
