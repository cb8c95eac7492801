#include "state/SavedGame.hpp"

#include "state/BigAccessingOfData.hpp"
#include "state/SettingManager.hpp"

#include <charconv>
#include <iostream>
#include <string>

namespace
{
constexpr std::int32_t kLastGameScene = 15;

const char* const kScene = "Saved Scene";

// The recorded flags: their keys and where each lives in the record.
struct FlagKey
{
    const char* key;
    bool SavedGame::*flag;
};
const FlagKey kFlags[] = {
    {"Saved Chicken",     &SavedGame::hasChicken   },
    {"Saved Code Intro",  &SavedGame::codeIntroSeen},
    {"Saved Code Solved", &SavedGame::codeSolved   },
    {"Saved Seen End",    &SavedGame::seenEnd      },
    {"Saved Creator",     &SavedGame::creator      },
    {"Saved Two Players", &SavedGame::twoPlayers   },
};

bool IsOne(const char* key)
{
    return SettingManager::getInstance().Get(key, "0") == "1";
}

// The note is one line whatever the file holds.
std::string Printable(const std::string& text)
{
    std::string shown;
    for (const char c : text.substr(0, 40))
        shown += c >= ' ' && c <= '~' ? c : '?';
    return shown;
}

std::nullopt_t Ignored(const char* key, const char* problem)
{
    const auto& values = SettingManager::getInstance().values;
    const auto found = values.find(key);
    std::cerr << "Continue: the saved game is ignored: \"" << key << "\" "
              << (found == values.end() ? std::string("is missing")
                                        : "is \"" + Printable(found->second) + "\", " + problem)
              << "\n";
    return std::nullopt;
}
} // namespace

bool SavedGame::IsGameScene(std::int32_t n)
{
    return n >= 0 && n <= kLastGameScene;
}

SavedGame SavedGame::Now(std::int32_t scene)
{
    const BigAccessingOfData& data = BigAccessingOfData::getInstance();
    SavedGame game;
    game.scene = scene;
    game.hasChicken = data.hasChicken;
    game.codeIntroSeen = data.codeIntroSeen;
    game.codeSolved = data.codeSolved;
    game.seenEnd = IsOne("SeenEnd");
    game.creator = IsOne("Creator");
    game.twoPlayers = IsOne("Multiplayer");
    return game;
}

std::optional<SavedGame> SavedGame::Load()
{
    const SettingManager& settings = SettingManager::getInstance();
    bool any = settings.values.count(kScene) != 0;
    for (const FlagKey& flag : kFlags)
        any = any || settings.values.count(flag.key) != 0;
    if (!any)
        return std::nullopt;

    SavedGame game;
    const std::string scene = settings.Get(kScene, "");
    const char* end = scene.data() + scene.size();
    const auto [stop, error] = std::from_chars(scene.data(), end, game.scene);
    if (scene.empty() || error != std::errc() || stop != end)
        return Ignored(kScene, "not a scene number");
    if (!IsGameScene(game.scene))
        return Ignored(kScene, "not a game scene (0 to 15)");
    for (const FlagKey& flag : kFlags)
    {
        const std::string value = settings.Get(flag.key, "");
        if (value != "0" && value != "1")
            return Ignored(flag.key, "not 0 or 1");
        game.*flag.flag = value == "1";
    }
    return game;
}

void SavedGame::Clear()
{
    auto& values = SettingManager::getInstance().values;
    values.erase(kScene);
    for (const FlagKey& flag : kFlags)
        values.erase(flag.key);
}

void SavedGame::Record() const
{
    SettingManager& settings = SettingManager::getInstance();
    settings.Set(kScene, std::to_string(scene));
    for (const FlagKey& flag : kFlags)
        settings.Set(flag.key, this->*flag.flag ? "1" : "0");
}

void SavedGame::Restore() const
{
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    data.hasChicken = hasChicken;
    data.codeIntroSeen = codeIntroSeen;
    data.codeSolved = codeSolved;
    SettingManager& settings = SettingManager::getInstance();
    if (seenEnd)
        settings.Set("SeenEnd", "1");
    if (creator)
        settings.Set("Creator", "1");
}
