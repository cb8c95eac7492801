#pragma once

#include "core/Manager.hpp"

#include <SFML/Graphics/Color.hpp>
#include <cstdint>
#include <string>
#include <unordered_map>

// The player's settings and unlocks: text keys to text values, kept in one line of
// "key:value;" entries. Readers bring their own defaults; text that holds no finite number reads
// as the default.
class SettingManager : public Manager<SettingManager>
{
public:
    std::string path = "important/settings.txt";
    std::unordered_map<std::string, std::string> values;

    void Reset();
    void Load();
    // False when the file could not be written; the previous file and the values held here are
    // then left as they were. The first failure says on standard error where the settings could
    // not be saved (a read-only folder fails every save: the player hears of it once).
    bool Save() const;
    std::string Get(const std::string& key, const std::string& fallback) const;
    // The setting as a number (standard conversion: leading number, rest ignored); `fallback`
    // when the key is absent or its text holds no finite number ("nan", "inf", "1e400").
    double GetNumber(const std::string& key, double fallback) const;
    std::int32_t GetInteger(const std::string& key, std::int32_t fallback) const;
    void Set(const std::string& key, const std::string& value);

    static std::unordered_map<std::string, std::string> Parse(const std::string& text);
    std::string Serialise() const;

private:
    mutable bool saveFailureReported = false;

    // The audio manager keeps its own copy of the volume levels; it hears of every change here.
    void HandDownVolume(const std::string& key) const;
};

sf::Color HueColour(double hue);
// The colour of the player's door, from the "Hue" setting.
sf::Color PlayerColour();
