#include "support/Harness.hpp"

#include "core/Manager.hpp"
#include "display/DisplayManager.hpp"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testsupport
{
ScratchDirectory::ScratchDirectory() : previous(fs::current_path())
{
    std::string pattern = (fs::temp_directory_path() / "hingewalk-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a scratch directory");
    path = pattern;
    const fs::path data = HINGEWALK_GAME_DATA_DIR;
    for (const char* entry : {"sprites", "sfx", "music", "dialog", "font-fixed-v3.ttf", "cool_image.png"})
        if (fs::exists(data / entry))
            fs::create_symlink(data / entry, path / entry);
    fs::create_directory(path / "important");
    std::ofstream(path / "important" / "LoadBearingMeasuringTape.jpg").put('\n');
    fs::current_path(path);
}

ScratchDirectory::~ScratchDirectory()
{
    std::error_code ignored;
    fs::current_path(previous, ignored);
    fs::remove_all(path, ignored);
}

std::string ReadFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteFile(const fs::path& file, const std::string& content)
{
    if (file.has_parent_path())
        fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

void ResetWindow(double cameraHalfHeight)
{
    DisplayManager& display = DisplayManager::getInstance();
    if (!display.window.isOpen())
        DisplayManager::StartUp();
    display.SetFullscreen(false);
    display.window.setSize({1280, 720});
    display.ApplyLetterbox(1280, 720);
    display.cameraHalfHeight = cameraHalfHeight;
    display.cameraPosition = {0.0, 0.0};
}

void ResetSingletons()
{
    managers::ResetAll();
    std::error_code ignored;
    fs::remove("important/settings.txt", ignored);
}
} // namespace testsupport
