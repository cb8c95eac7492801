#include "Shots.hpp"

#include "dialogue/DialogManager.hpp"
#include "game/Backlog.hpp"
#include "game/Puzzle.hpp"
#include "menus/ControlsPage.hpp"
#include "scenes/DialogueEndings.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "state/SavedGame.hpp"
#include "state/SettingManager.hpp"
#include "world/WorldManager.hpp"

namespace
{
void Scene(std::int32_t n)
{
    Map::getInstance().LoadScene(n);
}

GameObject* FirstPlayer()
{
    for (GameObject* object : WorldManager::getInstance().GetAllObjects())
        if (object->type == "Player")
            return object;
    return nullptr;
}

// Dialogue n on page `page`, fully typed, as a player who clicked through to it sees it.
void Dialogue(std::int32_t n, std::int32_t page)
{
    DialogManager& dialog = DialogManager::getInstance();
    dialog.StartDialog(n);
    for (std::int32_t p = 0; p < page; ++p)
    {
        dialog.Advance(false);
        dialog.Advance(false);
    }
    dialog.Advance(false);
}

std::function<void()> SceneShot(std::int32_t n)
{
    return [n] { Scene(n); };
}

std::function<void()> DialogueShot(std::int32_t scene, std::int32_t n, std::int32_t page,
                                   const char* setting = nullptr)
{
    return [=]
    {
        if (setting != nullptr)
            SettingManager::getInstance().Set(setting, "1");
        Scene(scene);
        Dialogue(n, page);
    };
}

// What a dialogue's end raises (a panel, the answer buttons), over its scene.
std::function<void()> EndingShot(std::int32_t scene, std::int32_t dialogue)
{
    return [=]
    {
        Scene(scene);
        scenes::FirstActions(dialogue);
    };
}

// The code panel with a few digits typed, by a player with a pad (it says how a pad types).
void CodePanel()
{
    Scene(8);
    scenes::FirstActions(84);
    for (GameObject* object : WorldManager::getInstance().GetAllObjects())
        if (auto* panel = dynamic_cast<Puzzle*>(object))
        {
            panel->typed = "4071";
            panel->padSeen = true;
            panel->padGlyph = 8;
        }
}

// The chicken's question, where the door meets it on its way up to the tower.
void ChickenOffer()
{
    Scene(7);
    if (GameObject* door = FirstPlayer())
    {
        door->x = 0.0;
        door->y = -25.5;
    }
    scenes::FirstActions(83);
}

// The settings page as Escape opens it during a game: with Resume.
void PausePage()
{
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    Scene(0);
    data.resumeScene = 0;
    WorldManager::getInstance().StashWorld();
    Scene(SceneNumber::SettingsMenu);
}

// The backlog over the long bridge, after its first thoughts were read.
void BacklogShot()
{
    BigAccessingOfData::getInstance().resumeScene = SceneNumber::GameWithoutPause;
    Scene(1);
    DialogManager& dialog = DialogManager::getInstance();
    for (const std::int32_t n : {4, 5, 6, 7, 8, 9, 10})
    {
        dialog.StartDialog(n);
        while (dialog.active)
            dialog.Advance(false);
    }
    Backlog::Open();
}

// The title with nothing to continue (Continue dimmed), or with a game left in the wizard's
// tower. Neither writes the settings file, so a record kept in the game folder survives.
std::function<void()> TitleShot(bool gameLeft)
{
    return [gameLeft]
    {
        SavedGame::Clear();
        if (gameLeft)
            SavedGame::Now(9).Record();
        Scene(SceneNumber::TitleMenu);
    };
}

std::vector<Shot> Build()
{
    // clang-format off
    std::vector<Shot> shots = {
        {"splash", "menus", SceneShot(SceneNumber::Splash), 120},
        {"title", "menus", TitleShot(false), 200},
        {"title-continue", "menus", TitleShot(true), 200},
        {"settings", "menus", SceneShot(SceneNumber::SettingsMenu)},
        {"pause", "menus", PausePage},
        // A player giving the pause a new key: the page waits for it.
        {"controls", "menus", [] {
             Scene(SceneNumber::Controls);
             for (GameObject* object : WorldManager::getInstance().objects)
                 if (auto* page = dynamic_cast<ControlsPage*>(object))
                     page->Await(Action::Pause);
         }},
        {"credits", "menus", SceneShot(SceneNumber::Credits)},
        {"creator", "menus", SceneShot(SceneNumber::CharacterCreator)},
        {"playground", "menus", SceneShot(SceneNumber::Playground)},
        {"loading", "menus", [] { Map::getInstance().ChangeScene(0); }, 60, false},
        {"end-card", "menus", SceneShot(SceneNumber::EndCard), 200},
        {"ending", "menus", [] { Scene(2); scenes::FirstActions(48); }, 80},
    };
    // clang-format on
    for (std::int32_t n = 0; n <= 15; ++n)
    {
        // The fights are pictured with their menus, after the entrances.
        const int frames = n == 3 ? 300 : n == 12 ? 760 : n == 13 ? 420 : 30;
        shots.push_back({"scene" + std::to_string(n), n == 3 || n == 12 || n == 13 ? "fights" : "scenes",
                         SceneShot(n), frames});
    }
    // clang-format off
    const std::vector<Shot> dialogues = {
        {"dialogue-first-page", "dialogues", DialogueShot(0, 0, 0)},
        {"dialogue-door", "dialogues", DialogueShot(0, 2, 3)},
        {"dialogue-door-right", "dialogues", DialogueShot(1, 8, 1)},
        {"dialogue-brown-door", "dialogues", DialogueShot(1, 32, 2)},
        {"dialogue-bridge", "dialogues", DialogueShot(5, 52, 1)},
        {"dialogue-dragon", "dialogues", DialogueShot(2, 45, 3)},
        {"dialogue-unknown", "dialogues", DialogueShot(4, 50, 9), 30},
        {"dialogue-narrator", "dialogues", DialogueShot(0, 51, 2, "SeenEnd")},
        {"dialogue-wizard", "dialogues", DialogueShot(9, 90, 4)},
        {"dialogue-eagle", "dialogues", DialogueShot(11, 112, 0)},
        {"dialogue-big-door", "dialogues", DialogueShot(8, 84, 1)},
        {"answers", "panels", EndingShot(2, 44)},
        {"quiz", "panels", EndingShot(0, 51)},
        {"chicken-offer", "panels", ChickenOffer},
        {"code-panel", "panels", CodePanel},
        {"backlog", "panels", BacklogShot},
    };
    // clang-format on
    shots.insert(shots.end(), dialogues.begin(), dialogues.end());
    return shots;
}
} // namespace

const std::vector<Shot>& Shots()
{
    static const std::vector<Shot> shots = Build();
    return shots;
}

const Shot* FindShot(const std::string& name)
{
    for (const Shot& shot : Shots())
        if (shot.name == name)
            return &shot;
    return nullptr;
}
