#include "display/DisplayCheck.hpp"

#include <cstdlib>
// Last: Xlib defines macros (None, Bool, Status) that would break other headers.
#include <X11/Xlib.h>

std::string DisplayProblem()
{
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0')
        return "Hingewalk needs a graphical desktop: no X display is set (DISPLAY is not set)";
    Display* display = XOpenDisplay(name);
    if (display == nullptr)
        return std::string("Hingewalk cannot open the X display \"") + name +
               "\" (no desktop there, or this user may not use it)";
    XCloseDisplay(display);
    return {};
}
