#pragma once

#include "core/Manager.hpp"
#include "resources/Sprite.hpp"

#include <SFML/Audio/Music.hpp>
#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/System/Time.hpp>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

// Which volume setting governs a sound or track, and its volume before that setting applies.
struct VolumeEntry
{
    std::string volumeKey;
    float baseVolume = 100.f;
};

// Sprite files, and every sound effect, voice clip and music track under a short name.
// One sf::Sound per name: replaying a name restarts it instead of layering a second copy.
class ResourceManager : public Manager<ResourceManager>
{
public:
    std::unordered_map<std::string, std::unique_ptr<sf::SoundBuffer>> buffers;
    std::unordered_map<std::string, std::unique_ptr<sf::Sound>> sounds;
    std::unordered_map<std::string, std::unique_ptr<sf::Music>> musics;
    std::unordered_set<std::string> pausedNames;
    std::unordered_map<std::string, VolumeEntry> soundVolumes;
    std::unordered_map<std::string, VolumeEntry> musicVolumes;
    // Where each track's real audio begins (from the loop-point analysis).
    std::unordered_map<std::string, sf::Time> musicStart;
    // The percentage each volume setting holds, as the settings hand it down; 96 until then.
    std::unordered_map<std::string, float> volumeLevels;

    ~ResourceManager() override;
    // Silence, and no volumes known; what was loaded stays loaded.
    void Reset();

    static Sprite LoadSprite(const std::string& path);

    void LoadSound(const std::string& name, const std::string& path);
    void LoadMusic(const std::string& name, const std::string& path);
    void PlaySound(const std::string& name, float volume);
    void PlayDialogue(const std::string& name, float volume);
    void PlayMusic(const std::string& name, float volume, bool loop, bool keepPosition);
    void Stop(const std::string& name);
    void PauseAll();
    void StopAll();
    void StopAllExceptPaused();
    void ResumePaused();

    // Sets the percentage a volume setting holds; what plays under it changes at once.
    void SetVolumeLevel(const std::string& volumeKey, float level);
    // The volume handed to the audio library: base volume x setting / 100, kept within 0..100.
    float VolumeFor(const VolumeEntry& entry) const;

private:
    // Applies the current levels to every sound and track that has played.
    void RefreshVolumes();
    void Play(const std::string& name, float volume, const char* volumeKey);
};
