#include "resources/ResourceManager.hpp"

#include "resources/Mp3LoopPoints.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>

namespace
{
constexpr float kDefaultVolumeSetting = 96.f;

bool IsMp3Path(const std::string& path)
{
    if (path.size() < 4)
        return false;
    std::string suffix = path.substr(path.size() - 4);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return suffix == ".mp3";
}

bool IsPlaying(const sf::SoundSource& source)
{
    return source.getStatus() == sf::SoundSource::Status::Playing;
}

bool IsPaused(const sf::SoundSource& source)
{
    return source.getStatus() == sf::SoundSource::Status::Paused;
}
} // namespace

ResourceManager::~ResourceManager()
{
    // Sounds refer to their buffers, so they go first.
    sounds.clear();
    musics.clear();
    buffers.clear();
}

void ResourceManager::Reset()
{
    StopAll();
    soundVolumes.clear();
    musicVolumes.clear();
    volumeLevels.clear();
}

void ResourceManager::SetVolumeLevel(const std::string& volumeKey, float level)
{
    volumeLevels[volumeKey] = level;
    RefreshVolumes();
}

float ResourceManager::VolumeFor(const VolumeEntry& entry) const
{
    const auto level = volumeLevels.find(entry.volumeKey);
    const float setting = level == volumeLevels.end() ? kDefaultVolumeSetting : level->second;
    // In double, so that a level near a float's largest still clamps instead of overflowing.
    const double volume = static_cast<double>(entry.baseVolume) * setting / 100.0;
    // The audio library has no use for a volume outside 0..100 (or for NaN).
    return std::isfinite(volume) ? static_cast<float>(std::clamp(volume, 0.0, 100.0)) : 0.f;
}

void ResourceManager::LoadSound(const std::string& name, const std::string& path)
{
    auto buffer = std::make_unique<sf::SoundBuffer>();
    if (!buffer->loadFromFile(path))
        throw std::runtime_error("ResourceManager: failed to load sound: " + path);
    sounds.erase(name);
    soundVolumes.erase(name);
    buffers[name] = std::move(buffer);
}

void ResourceManager::LoadMusic(const std::string& name, const std::string& path)
{
    auto music = std::make_unique<sf::Music>();
    if (!music->openFromFile(path))
        throw std::runtime_error("ResourceManager: failed to load music: " + path);
    musicVolumes.erase(name);
    musicStart.erase(name);
    if (IsMp3Path(path))
    {
        if (const auto offset = ComputeLoopPoints(*music, path))
            musicStart[name] = *offset;
    }
    musics[name] = std::move(music);
}

void ResourceManager::Play(const std::string& name, float volume, const char* volumeKey)
{
    const auto buffer = buffers.find(name);
    if (buffer == buffers.end())
        throw std::runtime_error("ResourceManager: no sound loaded named: " + name);
    std::unique_ptr<sf::Sound>& sound = sounds[name];
    if (!sound)
        sound = std::make_unique<sf::Sound>(*buffer->second);
    VolumeEntry& entry = soundVolumes[name];
    entry = {volumeKey, volume};
    sound->setVolume(VolumeFor(entry));
    sound->play();
}

void ResourceManager::PlaySound(const std::string& name, float volume)
{
    Play(name, volume, "SFX Volume");
}

void ResourceManager::PlayDialogue(const std::string& name, float volume)
{
    Play(name, volume, "Dialogue Volume");
}

void ResourceManager::PlayMusic(const std::string& name, float volume, bool loop, bool keepPosition)
{
    const auto found = musics.find(name);
    if (found == musics.end())
        throw std::runtime_error("ResourceManager: no music loaded named: " + name);
    sf::Music& music = *found->second;
    VolumeEntry& entry = musicVolumes[name];
    entry = {"Music Volume", volume};
    music.setVolume(VolumeFor(entry));
    music.setLooping(loop);
    if (!keepPosition)
    {
        const auto start = musicStart.find(name);
        if (start != musicStart.end())
            music.setPlayingOffset(start->second);
    }
    music.play();
}

void ResourceManager::Stop(const std::string& name)
{
    if (const auto sound = sounds.find(name); sound != sounds.end())
        sound->second->stop();
    else if (const auto music = musics.find(name); music != musics.end())
        music->second->stop();
}

void ResourceManager::RefreshVolumes()
{
    for (const auto& [name, entry] : soundVolumes)
        if (const auto sound = sounds.find(name); sound != sounds.end())
            sound->second->setVolume(VolumeFor(entry));
    for (const auto& [name, entry] : musicVolumes)
        if (const auto music = musics.find(name); music != musics.end())
            music->second->setVolume(VolumeFor(entry));
}

void ResourceManager::PauseAll()
{
    pausedNames.clear();
    for (auto& [name, sound] : sounds)
        if (IsPlaying(*sound))
        {
            sound->pause();
            pausedNames.insert(name);
        }
    for (auto& [name, music] : musics)
        if (IsPlaying(*music))
        {
            music->pause();
            pausedNames.insert(name);
        }
}

void ResourceManager::StopAll()
{
    for (auto& [name, sound] : sounds)
        sound->stop();
    for (auto& [name, music] : musics)
        music->stop();
    pausedNames.clear();
}

void ResourceManager::StopAllExceptPaused()
{
    for (auto& [name, sound] : sounds)
        if (pausedNames.count(name) == 0)
            sound->stop();
    for (auto& [name, music] : musics)
        if (pausedNames.count(name) == 0)
            music->stop();
}

void ResourceManager::ResumePaused()
{
    for (const std::string& name : pausedNames)
    {
        if (const auto sound = sounds.find(name); sound != sounds.end() && IsPaused(*sound->second))
            sound->second->play();
        if (const auto music = musics.find(name); music != musics.end() && IsPaused(*music->second))
            music->second->play();
    }
    pausedNames.clear();
}
