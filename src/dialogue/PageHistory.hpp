#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

// A page as it was shown: which dialogue and page, who spoke it, and its text.
struct ShownPage
{
    std::int32_t dialogue = -1;
    std::int32_t page = 0;
    std::int32_t speaker = 0;
    std::string text;
};

// The pages shown in this run, newest last, for the backlog; only the last kKept are kept.
class PageHistory
{
public:
    static constexpr std::size_t kKept = 50;

    void Add(ShownPage page);
    void Clear() { pages.clear(); }
    const std::deque<ShownPage>& Pages() const { return pages; }

private:
    std::deque<ShownPage> pages;
};
