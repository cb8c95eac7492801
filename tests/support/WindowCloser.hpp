#pragma once

#include <chrono>
#include <string>

namespace testsupport
{
// Waits up to `appear` for a window whose class name (WM_CLASS) is `className`, waits `settle`
// more, then asks it to close the way a window manager's close button does. False if no such
// window appeared. SFML names the class after the program's argv[0], so a child started with an
// argv[0] of its own is found and no other program's window is touched.
bool AskWindowToClose(const std::string& className, std::chrono::milliseconds appear,
                      std::chrono::milliseconds settle);
} // namespace testsupport
