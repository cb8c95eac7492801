#include "support/Harness.hpp"

#include "display/DisplayManager.hpp"
#include "engine/world/GameObject.hpp"
#include "engine/world/WorldManager.hpp"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testsupport
{
fs::path GameDataDir()
{
    return HINGEWALK_GAME_DATA_DIR;
}

fs::path SourceDir()
{
    return HINGEWALK_SOURCE_DIR;
}

ScratchDirectory::ScratchDirectory() : previous(fs::current_path())
{
    std::string pattern = (fs::temp_directory_path() / "hingewalk-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a scratch directory");
    path = pattern;
    const fs::path data = GameDataDir();
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

void DestroyWorld()
{
    WorldManager::getInstance().DestroyEverything();
}

std::string StdoutOf(const std::function<void()>& action)
{
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
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
} // namespace testsupport
