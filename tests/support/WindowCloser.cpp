#include "support/WindowCloser.hpp"

#include <X11/Xlib.h>
#include <cstring>
#include <thread>

namespace testsupport
{
namespace
{
Window FindWindow(Display* display, Window window, const char* title)
{
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name != nullptr)
    {
        const bool match = std::strcmp(name, title) == 0;
        XFree(name);
        if (match)
            return window;
    }
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count))
        for (unsigned i = 0; i < count && found == 0; ++i)
            found = FindWindow(display, children[i], title);
    if (children != nullptr)
        XFree(children);
    return found;
}

void SendDeleteRequest(Display* display, Window window)
{
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}
} // namespace

bool AskWindowToClose(const char* title, std::chrono::milliseconds appear, std::chrono::milliseconds settle)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return false;
    const auto deadline = std::chrono::steady_clock::now() + appear;
    Window window = 0;
    while (window == 0 && std::chrono::steady_clock::now() < deadline)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        window = FindWindow(display, DefaultRootWindow(display), title);
    }
    if (window != 0)
    {
        std::this_thread::sleep_for(settle);
        SendDeleteRequest(display, window);
    }
    XCloseDisplay(display);
    return window != 0;
}
} // namespace testsupport
