#include "dialogue/PageHistory.hpp"

#include <utility>

void PageHistory::Add(ShownPage page)
{
    // A wordless page shows nothing worth reading back.
    if (page.text.find_first_not_of(" \n") == std::string::npos)
        return;
    pages.push_back(std::move(page));
    if (pages.size() > kKept)
        pages.pop_front();
}
