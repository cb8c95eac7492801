#include "resources/VoiceClip.hpp"

#include "resources/ResourceManager.hpp"

#include <filesystem>

namespace
{
sf::Sound* Sound(const std::string& name)
{
    ResourceManager& resources = ResourceManager::getInstance();
    const auto found = resources.sounds.find(name);
    return found == resources.sounds.end() ? nullptr : found->second.get();
}
} // namespace

bool VoiceClip::Play(const std::string& name, Track track)
{
    Stop();
    const std::string path = "dialog/" + name + ".mp3";
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored))
        return false;
    ResourceManager& resources = ResourceManager::getInstance();
    resources.LoadSound(name, path);
    if (track == Track::Dialogue)
        resources.PlayDialogue(name, 100);
    else
        resources.PlaySound(name, 100);
    playing = name;
    return true;
}

void VoiceClip::Stop()
{
    if (playing.empty())
        return;
    ResourceManager::getInstance().Stop(playing);
    playing.clear();
}

void VoiceClip::Pause()
{
    if (sf::Sound* sound = Sound(playing);
        sound != nullptr && sound->getStatus() == sf::SoundSource::Status::Playing)
        sound->pause();
}

void VoiceClip::Resume()
{
    if (sf::Sound* sound = Sound(playing);
        sound != nullptr && sound->getStatus() == sf::SoundSource::Status::Paused)
        sound->play();
}

bool VoiceClip::Finished() const
{
    const sf::Sound* sound = Sound(playing);
    return sound == nullptr || sound->getStatus() == sf::SoundSource::Status::Stopped;
}
