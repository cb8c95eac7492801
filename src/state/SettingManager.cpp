#include "state/SettingManager.hpp"

#include "resources/ResourceManager.hpp"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>

namespace
{
const sf::Color kDefaultPlayerColour(212, 130, 59, 255);
constexpr double kDefaultVolume = 96.0;
const char* const kVolumeKeys[] = {"SFX Volume", "Music Volume", "Dialogue Volume"};
} // namespace

std::unordered_map<std::string, std::string> SettingManager::Parse(const std::string& text)
{
    std::unordered_map<std::string, std::string> parsed;
    std::size_t start = 0;
    // Every entry ends with ';': text after the last one is not an entry.
    for (std::size_t end = text.find(';'); end != std::string::npos; end = text.find(';', start))
    {
        const std::string piece = text.substr(start, end - start);
        const std::size_t colon = piece.find(':');
        if (!piece.empty() && colon != std::string::npos)
            parsed[piece.substr(0, colon)] = piece.substr(colon + 1);
        start = end + 1;
    }
    return parsed;
}

std::string SettingManager::Serialise() const
{
    std::string text;
    for (const auto& [key, value] : values)
        text.append(key).append(":").append(value).append(";");
    return text;
}

void SettingManager::Reset()
{
    values.clear();
    path = "important/settings.txt";
    saveFailureReported = false;
}

void SettingManager::Load()
{
    std::ifstream file(path, std::ios::binary);
    if (file.is_open())
    {
        std::stringstream content;
        content << file.rdbuf();
        values = Parse(content.str());
    }
    else
    {
        values.clear();
    }
    for (const char* key : kVolumeKeys)
        HandDownVolume(key);
}

bool SettingManager::Save() const
{
    // Write beside the file and rename over it, so a crash or a full disk mid-write never
    // leaves a truncated settings file behind.
    const std::string temporary = path + ".tmp";
    bool written = false;
    errno = 0;
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (file.is_open())
        {
            file << Serialise();
            file.flush();
            written = file.good();
        }
    }
    if (written && std::rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    const int reason = errno;
    std::remove(temporary.c_str());
    if (!saveFailureReported)
    {
        saveFailureReported = true;
        std::error_code ignored;
        const std::filesystem::path where = std::filesystem::absolute(path, ignored);
        std::cerr << "Settings cannot be saved to " << (where.empty() ? path : where.string()) << " ("
                  << (reason != 0 ? std::strerror(reason) : "write failed")
                  << "): the game goes on, and changes last until it closes.\n";
    }
    return false;
}

std::string SettingManager::Get(const std::string& key, const std::string& fallback) const
{
    const auto it = values.find(key);
    return it == values.end() ? fallback : it->second;
}

double SettingManager::GetNumber(const std::string& key, double fallback) const
{
    const auto it = values.find(key);
    if (it == values.end())
        return fallback;
    try
    {
        const double value = std::stod(it->second);
        return std::isfinite(value) ? value : fallback;
    }
    catch (const std::exception&)
    {
        return fallback;
    }
}

std::int32_t SettingManager::GetInteger(const std::string& key, std::int32_t fallback) const
{
    const auto it = values.find(key);
    if (it == values.end())
        return fallback;
    try
    {
        return std::stoi(it->second);
    }
    catch (const std::exception&)
    {
        return fallback;
    }
}

void SettingManager::Set(const std::string& key, const std::string& value)
{
    values[key] = value;
    for (const char* volumeKey : kVolumeKeys)
        if (key == volumeKey)
            HandDownVolume(key);
}

void SettingManager::HandDownVolume(const std::string& key) const
{
    // Converting a double beyond a float's range is undefined.
    constexpr double kLargest = std::numeric_limits<float>::max();
    const double level = std::clamp(GetNumber(key, kDefaultVolume), -kLargest, kLargest);
    ResourceManager::getInstance().SetVolumeLevel(key, static_cast<float>(level));
}

sf::Color HueColour(double hue)
{
    // NaN and infinity have no sector (and no byte value).
    if (hue <= 0.0 || !std::isfinite(hue))
        return kDefaultPlayerColour;
    double d = std::fmod(hue, 360.0);
    if (d < 0.0)
        d += 360.0;
    const double x = 1.0 - std::fabs(std::fmod(d / 60.0, 2.0) - 1.0);
    double r = 0, g = 0, b = 0;
    if (d < 60)
        r = 1, g = x;
    else if (d < 120)
        r = x, g = 1;
    else if (d < 180)
        g = 1, b = x;
    else if (d < 240)
        g = x, b = 1;
    else if (d < 300)
        r = x, b = 1;
    else
        r = 1, b = x;
    const auto byte = [](double v) { return static_cast<std::uint8_t>(v * 255.0); };
    return {byte(r), byte(g), byte(b), 255};
}

sf::Color PlayerColour()
{
    const double hue = SettingManager::getInstance().GetNumber("Hue", 0.0);
    return hue < 1.0 ? kDefaultPlayerColour : HueColour(hue);
}
