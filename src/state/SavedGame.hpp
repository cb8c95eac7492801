#pragma once

#include <cstdint>
#include <optional>

// The game a player left mid-story, kept among the settings so that the title's Continue can go
// back to it: the game scene last entered through a loading screen and the story flags it was
// entered with. The scene machine records it on every such entry, Continue restores it, the
// story's endings clear it. A plain value; the settings file is its only store.
struct SavedGame
{
    std::int32_t scene = 0;
    bool hasChicken = false;
    bool codeIntroSeen = false;
    bool codeSolved = false;
    // The later game ("SeenEnd"), the creator and two players, as the scene was entered with them.
    bool seenEnd = false;
    bool creator = false;
    bool twoPlayers = false;

    // Scenes 0 to 15: the story's own, not the menus, cards and loading screen.
    static bool IsGameScene(std::int32_t n);
    // The run as it stands, entering `scene`.
    static SavedGame Now(std::int32_t scene);
    // The recorded game; nothing when none is recorded, or when the record is not valid (a scene
    // that is no game scene or no number, a flag other than "0" or "1", a key missing): then with
    // a one-line note on standard error.
    static std::optional<SavedGame> Load();
    // Takes the record out of the settings; like Record, written by the next save.
    static void Clear();

    void Record() const;
    // Puts the run's flags back as recorded. Unlocks are never taken back (one gained since the
    // record stays), and two players follow the settings page: the record and the page can only
    // differ when the player changed the page since, and that choice is the newer one.
    void Restore() const;
};
