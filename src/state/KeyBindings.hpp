#pragma once

#include "core/Manager.hpp"

#include <SFML/Window/Keyboard.hpp>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a key can be bound to.
enum class Action : std::int32_t
{
    WalkUp,
    WalkDown,
    WalkLeft,
    WalkRight,
    // The second door's, in two-player mode; with one player they walk the one door too.
    Walk2Up,
    Walk2Down,
    Walk2Left,
    Walk2Right,
    Advance,
    Pause,
    Backlog,
    FullScreen,
    Count,
};

constexpr std::size_t kActionCount = static_cast<std::size_t>(Action::Count);

// How an action shows on the Controls page and is kept in the settings file.
struct ActionInfo
{
    Action action;
    const char* setting;
    const char* label;
    const char* padButton;
};

// The keys the player has bound to each action, kept in the settings file as key names joined by
// ", " under "Key ..." entries; absent, they are the keys the game always had. An entry that names
// no key, or takes a key another action has, falls back to its action's keys with a note on
// standard error. Start-up loads them after the settings; the Controls page changes them.
class KeyBindings : public Manager<KeyBindings>
{
public:
    static const std::array<ActionInfo, kActionCount>& Actions();
    static const ActionInfo& Info(Action action);
    static std::vector<sf::Keyboard::Key> Defaults(Action action);

    KeyBindings();
    // Reads every binding from the settings, with the notes for those that cannot be used.
    void Load();
    void Reset();

    const std::vector<sf::Keyboard::Key>& KeysOf(Action action) const;
    bool Is(Action action, std::int32_t key) const;
    // The action a key is bound to, if any.
    std::optional<Action> ActionOf(sf::Keyboard::Key key) const;
    // "Space, Enter": the keys of an action as the settings file and the pages write them.
    std::string Names(Action action) const;

    enum class Outcome
    {
        Bound,
        Taken,     // another action has the key (`taker` says which)
        Cancelled, // Escape: nothing changes
        Unnamed,   // a key with no name to keep it under
    };
    struct RebindResult
    {
        Outcome outcome;
        std::optional<Action> taker;
    };
    // Set while the Controls page waits for a new key: the key is the page's, and nothing else
    // acts on it, full screen included.
    bool Capturing() const { return capturing; }
    void SetCapturing(bool on);

    // Binds `key` alone to `action` and saves the settings file at once.
    RebindResult Rebind(Action action, sf::Keyboard::Key key);
    // Every action back to its own keys, saved at once.
    void RestoreDefaults();

private:
    void Store(Action action);
    // Full screen is the display's own key: it hears of every change.
    void HandDownFullScreen() const;

    std::array<std::vector<sf::Keyboard::Key>, kActionCount> keys;
    bool capturing = false;
};
