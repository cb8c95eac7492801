#pragma once

#include "game/Effects.hpp"
#include "state/SavedGame.hpp"
#include "widgets/Button.hpp"

#include <cstdint>
#include <optional>

// The title menu (scene -1): the title art, the player's door bobbing in its own colour and
// knob, the menu buttons, a tagline and a rain of dark doors. Its root builds everything and
// then only shows the title art.
class TitleObject : public GameObject
{
public:
    TitleObject();
};

// The player's door standing on the title screen. Clicking it only knocks.
class FakeDoorTITLE : public Button
{
public:
    double bobTime = 0.0;

    FakeDoorTITLE();
    // Replaces the highlight: the door bobs and never changes frame.
    void HandleEvent(Event& event) override;
};

class StartButton : public Button
{
public:
    StartButton();
    void OnClick() override;
};

// Goes back to the game the player left (SavedGame) as arriving there does: through the loading
// screen, with the recorded flags. With nothing valid recorded it is dimmed, does not light up,
// and a click only knocks.
class ContButton : public Button
{
public:
    // Read once, when the title is built.
    std::optional<SavedGame> saved;

    ContButton();
    void OnClick() override;
};

class QuitButton : public Button
{
public:
    QuitButton();
    void OnClick() override;
};

class SettingsButton : public Button
{
public:
    SettingsButton();
    void OnClick() override;
};

class Credit : public Button
{
public:
    Credit();
    void OnClick() override;
};

// Shown once the creator is unlocked.
class CharacterCreator : public Button
{
public:
    CharacterCreator();
    void OnClick() override;
};

// The tagline under the title.
class Masturpiece : public GameObject
{
public:
    Masturpiece();
};

// Drops a dark door from above the screen every fourth frame.
class DoorParticleDarkSpawner : public GameObject
{
public:
    std::int32_t tickCount = 50000;

    DoorParticleDarkSpawner();
    void HandleEvent(Event& event) override;
};

// A dark brown door drifting down through the title for twenty seconds.
class DoorParticleDark : public DoorParticle
{
public:
    DoorParticleDark();
    void HandleEvent(Event& event) override;
};
