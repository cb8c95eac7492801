#pragma once

#include <string>

// Size of the loading-screen tip table; the loading screen picks rand() mod this.
constexpr int kTipCount = 123;
// The tip that gives the big door's code, shown after a wrong code.
constexpr int kCodeTip = 77;

// Tip text number i, or "I ran out of tips" for any number outside the table.
std::string Tip(int i);
