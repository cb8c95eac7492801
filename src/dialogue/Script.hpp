#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One dialogue of the script, as the build generates it from data/script/dialogue.txt: the
// pages joined by "<b>" (a "\n" inside a page breaks the line), and one digit per page naming
// the speaker the writer wrote down, so that tests can hold it against the speaker rule.
struct ScriptRow
{
    std::int32_t number;
    const char* text;
    const char* speakers;
};

// Sorted by number.
extern const ScriptRow kScriptRows[];
extern const std::size_t kScriptRowCount;

// The text of dialogue n; "Missing Dialog #n" for a number the script does not have.
std::string Script(std::int32_t n);
// The pages of a dialogue text: split at every "<b>", empty pages kept.
std::vector<std::string> SplitPages(const std::string& text);
