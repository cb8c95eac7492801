// hingewalk-script: prints the script the program carries, one dialogue per block and each
// page on its own line after the name of the speaker the game shows for it, so the story can
// be proofread end to end as the player meets it.
//   hingewalk-script [N ...]      (all dialogues, or the ones named)
#include "dialogue/Script.hpp"
#include "dialogue/Speaker.hpp"

#include <cstdlib>
#include <iostream>
#include <string>

namespace
{
void Print(std::int32_t n)
{
    std::cout << "@ " << n << "\n";
    const std::vector<std::string> pages = SplitPages(Script(n));
    for (std::size_t p = 0; p < pages.size(); ++p)
    {
        const std::string name = SpeakerName(Speaker(n, static_cast<std::int32_t>(p)));
        std::string text = pages[p];
        // Explicit line breaks continue under the text, as in the script file.
        for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
            text.insert(at + 1, std::string(name.size() + 2, ' '));
        std::cout << name << ": " << text << "\n";
    }
    std::cout << "\n";
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 1)
        for (std::size_t i = 0; i < kScriptRowCount; ++i)
            Print(kScriptRows[i].number);
    for (int i = 1; i < argc; ++i)
        Print(std::atoi(argv[i]));
    return 0;
}
