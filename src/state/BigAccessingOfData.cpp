#include "state/BigAccessingOfData.hpp"

void BigAccessingOfData::ResetRunFlags()
{
    hasChicken = false;
    codeIntroSeen = false;
    codeSolved = false;
}

void BigAccessingOfData::Reset()
{
    p1MoveX = p1MoveY = p2MoveX = p2MoveY = 0.0;
    dialogText.clear();
    dialogStartEvent = GEvent("DStart");
    tileCells.clear();
    ResetRunFlags();
    currentScene = resumeScene = SceneNumber::NoGame;
    dialogNumber = -1;
    dialogPage = 0;
    pendingScene = 0;
    loadingLength = 3.0;
    controlsLocked = false;
}

std::int64_t BigAccessingOfData::TileCellKey(std::int32_t gridX, std::int32_t gridY)
{
    const auto high = static_cast<std::uint64_t>(static_cast<std::uint32_t>(gridX)) << 32;
    return static_cast<std::int64_t>(high | static_cast<std::uint32_t>(gridY));
}
