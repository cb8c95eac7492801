#pragma once

#include <string>

// Asks Xlib whether the X display can be opened, before SFML tries: SFML aborts the process
// when it cannot open one. Empty when the display opens; otherwise one line saying why not.
std::string DisplayProblem();
