#pragma once

#include <string>
#include <vector>

// Named test arrangements: small fixed worlds that show one feature at known places.
// Build returns false when there is no arrangement of that name.
bool BuildArrangement(const std::string& name);
std::vector<std::string> ArrangementNames();
