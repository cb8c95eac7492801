// The settings file is plain text the player can edit. Whatever it holds, loading it gives the
// table its text parses to and hands the audio manager a finite level for each volume,
// saving that table and loading it again gives the same table, and every value can be read
// as text, as a number and as a player colour.
#include "Support.hpp"
#include "resources/ResourceManager.hpp"
#include "state/SettingManager.hpp"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = fuzz::ScratchPath("settings.txt");
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto table = SettingManager::Parse(text);

    SettingManager& settings = SettingManager::getInstance();
    settings.path = path;
    fuzz::WriteBytes(path, data, size);
    settings.Set("Stale", "1");
    ResourceManager::getInstance().volumeLevels.clear();
    settings.Load();
    fuzz::Require(settings.values == table, "loading the file differs from parsing its text");
    for (const char* key : {"SFX Volume", "Music Volume", "Dialogue Volume"})
    {
        const auto& levels = ResourceManager::getInstance().volumeLevels;
        const auto level = levels.find(key);
        fuzz::Require(level != levels.end(), "loading does not hand a volume level down");
        fuzz::Require(std::isfinite(level->second), "a volume level handed down is not finite");
    }

    fuzz::Require(SettingManager::Parse(settings.Serialise()) == table,
                  "the written table parses differently");
    fuzz::Require(settings.Save(), "the settings could not be saved");
    settings.values.clear();
    settings.Load();
    fuzz::Require(settings.values == table, "a saved table loads back differently");

    for (const auto& [key, value] : table)
    {
        fuzz::Require(settings.Get(key, "") == value, "Get does not return the stored text");
        const double number = settings.GetNumber(key, 0.0);
        settings.GetInteger(key, 0);
        HueColour(number);
    }
    PlayerColour();
    return 0;
}
