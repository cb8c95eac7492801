#pragma once

#include <chrono>

namespace testsupport
{
// Waits up to `appear` for a top-level window with this title on the display, waits `settle`
// more, then asks it to close the way a window manager's close button does. False if no such
// window appeared.
bool AskWindowToClose(const char* title, std::chrono::milliseconds appear, std::chrono::milliseconds settle);
} // namespace testsupport
