#include "core/Manager.hpp"

#include <algorithm>
#include <utility>
#include <vector>

namespace
{
std::vector<std::pair<int, void (*)()>>& Resets()
{
    // Built on first use: managers register while other statics are still being built.
    static std::vector<std::pair<int, void (*)()>> resets;
    return resets;
}
} // namespace

void managers::Register(void (*reset)(), int stage)
{
    auto& resets = Resets();
    // Stable: managers of one stage reset in the order they were built.
    const auto after =
        std::upper_bound(resets.begin(), resets.end(), stage,
                         [](int s, const std::pair<int, void (*)()>& entry) { return s < entry.first; });
    resets.insert(after, {stage, reset});
}

void managers::ResetAll()
{
    for (const auto& [stage, reset] : Resets())
        reset();
}
