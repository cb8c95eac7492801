#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

namespace testsupport
{
// A temporary working directory holding links to the game's data (sprites, sounds, music,
// font, icon) and an `important/` folder of its own. The process works inside it while the
// object lives.
class ScratchDirectory
{
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& Path() const { return path; }

private:
    std::filesystem::path previous;
    std::filesystem::path path;
};

// Takes the voice clips of the working directory away while it lives, as on a build that ships
// none.
struct WithoutVoices
{
    const bool moved = std::filesystem::exists("dialog");
    WithoutVoices()
    {
        if (moved)
            std::filesystem::rename("dialog", "dialog-away");
    }
    ~WithoutVoices()
    {
        if (moved)
            std::filesystem::rename("dialog-away", "dialog");
    }
    WithoutVoices(const WithoutVoices&) = delete;
    WithoutVoices& operator=(const WithoutVoices&) = delete;
};

std::string ReadFile(const std::filesystem::path& file);
void WriteFile(const std::filesystem::path& file, const std::string& content);

// Puts every singleton that exists back to the state of a fresh program (world emptied, events
// without subscribers, store and settings at their defaults, audio stopped) and removes the
// settings file of the working directory. TestMain runs it before and after every test.
void ResetSingletons();

// The message of the E that `action` throws, or "(no error)".
template <typename E = std::runtime_error> std::string ErrorOf(const std::function<void()>& action)
{
    try
    {
        action();
    }
    catch (const E& error)
    {
        return error.what();
    }
    return "(no error)";
}

// Opens the window if needed and brings it back to 1280 x 720, windowed, with the camera at the
// origin showing `cameraHalfHeight` units above and below.
void ResetWindow(double cameraHalfHeight);
} // namespace testsupport
