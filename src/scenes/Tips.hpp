#pragma once

#include <string>

// Size of the loading-screen tip table; the loading screen picks rand() mod this.
constexpr int kTipCount = 123;

// Tip text number i, or "I ran out of tips" for any number outside the table.
std::string Tip(int i);
