#pragma once

#include <filesystem>
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

std::filesystem::path GameDataDir();
std::filesystem::path SourceDir();
std::string ReadFile(const std::filesystem::path& file);
void WriteFile(const std::filesystem::path& file, const std::string& content);

// Destroys every object of the world (live, queued and stashed), so tests can finish cleanly.
void DestroyWorld();
} // namespace testsupport
