#include "dialogue/Script.hpp"

#include <algorithm>

std::string Script(std::int32_t n)
{
    const ScriptRow* end = kScriptRows + kScriptRowCount;
    const ScriptRow* row = std::lower_bound(
        kScriptRows, end, n, [](const ScriptRow& r, std::int32_t key) { return r.number < key; });
    if (row == end || row->number != n)
        return "Missing Dialog #" + std::to_string(n);
    return row->text;
}

std::vector<std::string> SplitPages(const std::string& text)
{
    static const std::string marker = "<b>";
    std::vector<std::string> pages;
    std::size_t start = 0;
    for (std::size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, start))
    {
        pages.push_back(text.substr(start, at - start));
        start = at + marker.size();
    }
    pages.push_back(text.substr(start));
    return pages;
}
