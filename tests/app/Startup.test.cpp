// Runs the real game executable as a child process in a private working directory, prepared like
// the game's own (data links, important/ with the measuring tape) and then broken as needed.
#include "support/Harness.hpp"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
// Last: Xlib defines macros (None, Bool, Status) that would break the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace fs = std::filesystem;
using testsupport::ReadFile;

namespace
{
#if defined(__SANITIZE_ADDRESS__)
constexpr int kSlowdown = 3;
#else
constexpr int kSlowdown = 1;
#endif

// The window below `window` (itself included) whose class name is `className`, or 0.
Window FindWindow(Display* display, Window window, const std::string& className)
{
    XClassHint hint{};
    if (XGetClassHint(display, window, &hint))
    {
        const bool match = hint.res_name != nullptr && className == hint.res_name;
        XFree(hint.res_name);
        XFree(hint.res_class);
        if (match)
            return window;
    }
    Window root = 0, parent = 0, found = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count))
        for (unsigned i = 0; i < count && found == 0; ++i)
            found = FindWindow(display, children[i], className);
    if (children != nullptr)
        XFree(children);
    return found;
}

// Waits up to `appear` for a window whose class name (WM_CLASS) is `className`, waits `settle`
// more, then asks it to close the way a window manager's close button does. False if no such
// window appeared. SFML names the class after the program's argv[0], so a child started with an
// argv[0] of its own is found and no other program's window is touched.
bool AskWindowToClose(const std::string& className, std::chrono::milliseconds appear,
                      std::chrono::milliseconds settle)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return false;
    // Other tests' windows come and go while the tree is searched: a vanished one is no error
    // (Xlib's default handler would end this process).
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    const auto deadline = std::chrono::steady_clock::now() + appear;
    Window window = 0;
    while (window == 0 && std::chrono::steady_clock::now() < deadline)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        window = FindWindow(display, DefaultRootWindow(display), className);
    }
    if (window != 0)
    {
        std::this_thread::sleep_for(settle);
        // What a window manager's close button sends.
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
        XFlush(display);
    }
    XCloseDisplay(display);
    return window != 0;
}
} // namespace

TEST(Startup, AStartUpFailureEndsTheGameWithOneAndItsMessage)
{
    // Without the measuring tape the game ends silently before it opens anything: it gets no
    // usable display, where a window attempt would fail loudly.
    const char* const cases[][3] = {
        {"important/LoadBearingMeasuringTape.jpg", "DISPLAY=:no-such-display", ""                                                        },
        {"font-fixed-v3.ttf",                      "",                         "DisplayManager: failed to load font: font-fixed-v3.ttf\n"}
    };
    for (const auto& [missing, environment, message] : cases)
    {
        const testsupport::ScratchDirectory dir;
        fs::remove(missing);
        const std::string command = std::string(environment) + " timeout -s KILL " +
                                    std::to_string(15 * kSlowdown) + " " + HINGEWALK_EXECUTABLE +
                                    " >stdout.txt 2>stderr.txt";
        const int status = std::system(command.c_str());
        const std::string output = ReadFile("stdout.txt") + ReadFile("stderr.txt");
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << missing;
        EXPECT_TRUE(*message ? output.find(message) != std::string::npos
                             : output.empty() && !fs::exists("log.txt"))
            << output;
    }
}

// The whole program: main runs the loop until the window is closed, then returns 0 with its log
// empty, even with a loading length that is no number.
TEST(Startup, ClosingTheWindowEndsTheGameWithZero)
{
    const testsupport::ScratchDirectory dir;
    testsupport::WriteFile("important/settings.txt", "Loading Length:abc;");
    // An argv[0] of its own names the game's window class, so this test closes its own game only.
    const std::string name = "hingewalk-test-" + std::to_string(getpid());
    const std::string command = "timeout -s KILL " + std::to_string(20 * kSlowdown) + " bash -c 'exec -a " +
                                name + " " + HINGEWALK_EXECUTABLE + "' >stdout.txt 2>stderr.txt";
    auto game = std::async(std::launch::async, [&] { return std::system(command.c_str()); });
    EXPECT_TRUE(AskWindowToClose(name, std::chrono::seconds(10 * kSlowdown),
                                 std::chrono::milliseconds(500 * kSlowdown)))
        << "no game window appeared";
    const int status = game.get();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << ReadFile("stderr.txt");
    EXPECT_TRUE(fs::exists("log.txt") && fs::file_size("log.txt") == 0);
}
