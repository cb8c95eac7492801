#include "dialogue/Speaker.hpp"

#include "state/SettingManager.hpp"

#include <algorithm>
#include <initializer_list>
#include <string_view>

namespace
{
// Page speakers of one or more dialogues: `pages` gives the speakers of pages 0, 1, 2, ... in
// order as digits; after it the pattern repeats (`tail` is '*') or every later page is spoken
// by `tail`. A dialogue no rule names is spoken by the door throughout.
struct Rule
{
    std::initializer_list<std::int32_t> dialogues;
    std::string_view pages;
    char tail;
};

// clang-format off
const Rule kRules[] = {
    {{8},                              "01",                 '*'},
    {{32},                             "00223",              '2'},
    {{45},                             "20",                 '4'},
    {{46},                             "",                   '4'},
    {{47},                             "044440404",          '0'},
    {{50},                             "0000000255552",      '0'},
    {{51},                             "",                   '6'},
    {{52, 53, 54, 55, 56, 64, 72},     "03",                 '*'},
    {{57, 59, 61, 65, 67, 69, 75},     "30",                 '*'},
    {{63, 71, 99},                     "",                   '3'},
    {{81},                             "28",                 '2'},
    {{84},                             "09",                 '*'},
    {{86},                             "",                   '9'},
    {{90},                             "707077700007070707", '0'},
    {{91},                             "7",                  '0'},
    {{93, 102},                        "87",                 '0'},
    {{94, 101, 114, 115},              "07",                 '0'},
    {{95},                             "73",                 '*'},
    {{97, 103, 106, 110},              "",                   '7'},
    {{98},                             "037",                '0'},
    {{100},                            "70",                 '*'},
    {{108},                            "770",                '7'},
    {{111},                            "8",                  '7'},
    {{112},                            "",                   '8'},
    {{113},                            "070708070787077",    '0'},
    {{116},                            "404440474",          '0'},
    {{117},                            "440",                '4'},
    {{118},                            "47",                 '4'},
    {{120},                            "770770",             '7'},
    {{123},                            "04",                 '0'},
    {{124},                            "",                   '2'},
};

const char* const kNames[] = {"Door", "Door (right)", "Brown Door", "Bridge", "Dragon",
                              "Unknown", "Narrator", "Wizard", "Eagle", "Big Door"};
// clang-format on

std::int32_t Digit(char c)
{
    return c - '0';
}
} // namespace

std::int32_t Speaker(std::int32_t dialogNumber, std::int32_t page)
{
    for (const Rule& rule : kRules)
    {
        if (std::find(rule.dialogues.begin(), rule.dialogues.end(), dialogNumber) == rule.dialogues.end())
            continue;
        const auto count = static_cast<std::int32_t>(rule.pages.size());
        if (page >= 0 && page < count)
            return Digit(rule.pages[static_cast<std::size_t>(page)]);
        if (rule.tail == '*' && page >= 0)
            return Digit(rule.pages[static_cast<std::size_t>(page % count)]);
        return rule.tail == '*' ? Digit(rule.pages[0]) : Digit(rule.tail);
    }
    return speaker::Door;
}

const char* SpeakerName(std::int32_t speaker)
{
    return speaker >= 0 && speaker <= 9 ? kNames[speaker] : "";
}

sf::Color SpeakerColour(std::int32_t speaker)
{
    // clang-format off
    static const sf::Color kColours[] = {
        sf::Color::White,         sf::Color::White,         sf::Color(196, 128, 70),  sf::Color(21, 160, 179),
        sf::Color(120, 200, 96),  sf::Color(190, 250, 255), sf::Color(120, 232, 110), sf::Color(243, 207, 252),
        sf::Color(196, 140, 80),  sf::Color(212, 175, 55),
    };
    // clang-format on
    if (speaker == speaker::Door || speaker == speaker::DoorRight)
        return PlayerColour();
    return speaker >= 0 && speaker <= 9 ? kColours[speaker] : sf::Color::White;
}
