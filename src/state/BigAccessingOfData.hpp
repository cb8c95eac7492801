#pragma once

#include "core/Manager.hpp"
#include "resources/Sprite.hpp"

#include <cstdint>
#include <string>
#include <unordered_set>

// Scene numbers with a meaning of their own, and the sentinels of `resumeScene`.
namespace SceneNumber
{
constexpr std::int32_t Controls = -11;
constexpr std::int32_t Splash = -10;
constexpr std::int32_t EndCard = -9;
constexpr std::int32_t CharacterCreator = -8;
constexpr std::int32_t Resume = -7;
constexpr std::int32_t Playground = -6;
constexpr std::int32_t Quit = -5;
constexpr std::int32_t Loading = -4;
constexpr std::int32_t Credits = -3;
constexpr std::int32_t SettingsMenu = -2;
constexpr std::int32_t TitleMenu = -1;
constexpr std::int32_t NoGame = -6969;
constexpr std::int32_t GameWithoutPause = -6968;
// resumeScene values above this are real scene numbers.
constexpr std::int32_t RealSceneThreshold = -5000;
} // namespace SceneNumber

// The game state shared across objects and scenes: movement axes, shared sprites, the
// dialogue cursor, the scene machine's numbers and the story flags. Data only: the objects that
// play (the doors, the controls, the scene machine) read and write it. Nothing here is saved but
// the story flags, through Continue's record (SavedGame).
class BigAccessingOfData : public Manager<BigAccessingOfData>
{
public:
    double p1MoveX = 0.0;
    double p1MoveY = 0.0;
    double p2MoveX = 0.0;
    double p2MoveY = 0.0;
    std::string dialogText;
    Sprite bridgeSprite;
    Sprite waterSprite;
    Sprite islandSprite;
    Sprite islandTextureSprite;
    Sprite titleSprite;
    Sprite doorSprite;
    Sprite settingsSprite;
    // Never loaded: the loading screen's root copies it and so draws nothing.
    Sprite loadingSprite;
    GEvent dialogStartEvent{"DStart"};
    // One key per grid cell holding a placed tile (see TileCellKey).
    std::unordered_set<std::int64_t> tileCells;
    bool hasChicken = false;
    bool codeIntroSeen = false;
    bool codeSolved = false;
    // A wrong code was tried: the next loading screen shows the tip that holds the right one.
    bool codeTipDue = false;
    std::int32_t currentScene = SceneNumber::NoGame;
    std::int32_t resumeScene = SceneNumber::NoGame;
    std::int32_t dialogNumber = -1;
    std::int32_t dialogPage = 0;
    std::int32_t pendingScene = 0;
    double loadingLength = 3.0;
    bool controlsLocked = false;

    // The story flags of one run through the game, as a new game starts them.
    void ResetRunFlags();
    // Everything but the shared sprites (start-up data) as a fresh program has it.
    void Reset();

    static std::int64_t TileCellKey(std::int32_t gridX, std::int32_t gridY);
};
