#include "support/WindowCloser.hpp"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <thread>

namespace testsupport
{
namespace
{
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
} // namespace

bool AskWindowToClose(const std::string& className, std::chrono::milliseconds appear,
                      std::chrono::milliseconds settle)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return false;
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
} // namespace testsupport
