#include "state/KeyBindings.hpp"

#include "display/DisplayManager.hpp"
#include "state/KeyNames.hpp"
#include "state/SettingManager.hpp"

#include <algorithm>
#include <iostream>

namespace
{
using Key = sf::Keyboard::Key;

// clang-format off
const std::array<ActionInfo, kActionCount> kActions = {{
    {Action::WalkUp,     "Key Walk Up",       "Walk up",            "left stick or d-pad"},
    {Action::WalkDown,   "Key Walk Down",     "Walk down",          "left stick or d-pad"},
    {Action::WalkLeft,   "Key Walk Left",     "Walk left",          "left stick or d-pad"},
    {Action::WalkRight,  "Key Walk Right",    "Walk right",         "left stick or d-pad"},
    {Action::Walk2Up,    "Key Walk Up 2",     "Second door up",     "second pad's stick"},
    {Action::Walk2Down,  "Key Walk Down 2",   "Second door down",   "second pad's stick"},
    {Action::Walk2Left,  "Key Walk Left 2",   "Second door left",   "second pad's stick"},
    {Action::Walk2Right, "Key Walk Right 2",  "Second door right",  "second pad's stick"},
    {Action::Advance,    "Key Advance",       "Turn the page",      "A"},
    {Action::Pause,      "Key Pause",         "Pause and resume",   "Start"},
    {Action::Backlog,    "Key Backlog",       "Backlog",            "Y"},
    {Action::FullScreen, "Key Full Screen",   "Full screen",        "-"},
}};
// clang-format on

std::size_t Index(Action action)
{
    return static_cast<std::size_t>(action);
}

// The keys a settings entry names, or none when any name is no key's.
std::optional<std::vector<Key>> Parse(const std::string& text)
{
    std::vector<Key> parsed;
    std::size_t start = 0;
    while (start <= text.size())
    {
        const std::size_t end = std::min(text.find(',', start), text.size());
        std::string name = text.substr(start, end - start);
        name.erase(0, name.find_first_not_of(' '));
        name.erase(name.find_last_not_of(' ') + 1);
        const std::optional<Key> key = KeyFromName(name);
        if (!key)
            return std::nullopt;
        if (std::find(parsed.begin(), parsed.end(), *key) == parsed.end())
            parsed.push_back(*key);
        start = end + 1;
    }
    return parsed;
}

bool Shares(const std::vector<Key>& a, const std::vector<Key>& b)
{
    return std::any_of(a.begin(), a.end(),
                       [&](Key key) { return std::find(b.begin(), b.end(), key) != b.end(); });
}
} // namespace

const std::array<ActionInfo, kActionCount>& KeyBindings::Actions()
{
    return kActions;
}

const ActionInfo& KeyBindings::Info(Action action)
{
    return kActions[Index(action)];
}

std::vector<Key> KeyBindings::Defaults(Action action)
{
    switch (action)
    {
    case Action::WalkUp: return {Key::W};
    case Action::WalkDown: return {Key::S};
    case Action::WalkLeft: return {Key::A};
    case Action::WalkRight: return {Key::D};
    case Action::Walk2Up: return {Key::Up};
    case Action::Walk2Down: return {Key::Down};
    case Action::Walk2Left: return {Key::Left};
    case Action::Walk2Right: return {Key::Right};
    case Action::Advance: return {Key::Space, Key::Enter};
    case Action::Pause: return {Key::Escape};
    case Action::Backlog: return {Key::L, Key::PageUp};
    case Action::FullScreen: return {Key::F11};
    case Action::Count: break;
    }
    return {};
}

KeyBindings::KeyBindings()
{
    for (const ActionInfo& info : kActions)
        keys[Index(info.action)] = Defaults(info.action);
}

void KeyBindings::Reset()
{
    capturing = false;
    for (const ActionInfo& info : kActions)
        keys[Index(info.action)] = Defaults(info.action);
    HandDownFullScreen();
}

void KeyBindings::Load()
{
    const SettingManager& settings = SettingManager::getInstance();
    std::array<bool, kActionCount> custom{};
    for (const ActionInfo& info : kActions)
    {
        const std::size_t i = Index(info.action);
        keys[i] = Defaults(info.action);
        const std::string stored = settings.Get(info.setting, "");
        if (stored.empty())
            continue;
        const std::optional<std::vector<Key>> parsed = Parse(stored);
        if (!parsed)
        {
            std::cerr << "Controls: \"" << info.setting << "\" is \"" << stored
                      << "\", which names no key; using " << Names(info.action) << "\n";
            continue;
        }
        keys[i] = *parsed;
        custom[i] = true;
    }
    // A key two actions share belongs to neither: the player's own entry gives way (the later one
    // when both are the player's), until every action's keys are its own.
    for (bool changed = true; changed;)
    {
        changed = false;
        for (std::size_t a = 0; a < kActionCount && !changed; ++a)
            for (std::size_t b = a + 1; b < kActionCount && !changed; ++b)
            {
                if (!Shares(keys[a], keys[b]) || (!custom[a] && !custom[b]))
                    continue;
                const std::size_t loser = custom[b] ? b : a;
                const std::size_t other = loser == a ? b : a;
                keys[loser] = Defaults(kActions[loser].action);
                custom[loser] = false;
                std::cerr << "Controls: \"" << kActions[loser].setting << "\" takes a key of \""
                          << kActions[other].label << "\"; using " << Names(kActions[loser].action) << "\n";
                changed = true;
            }
    }
    HandDownFullScreen();
}

const std::vector<Key>& KeyBindings::KeysOf(Action action) const
{
    return keys[Index(action)];
}

bool KeyBindings::Is(Action action, std::int32_t key) const
{
    const std::vector<Key>& bound = KeysOf(action);
    return std::find(bound.begin(), bound.end(), static_cast<Key>(key)) != bound.end();
}

std::optional<Action> KeyBindings::ActionOf(Key key) const
{
    for (const ActionInfo& info : kActions)
        if (Is(info.action, static_cast<std::int32_t>(key)))
            return info.action;
    return std::nullopt;
}

std::string KeyBindings::Names(Action action) const
{
    std::string names;
    for (Key key : KeysOf(action))
        names += (names.empty() ? "" : ", ") + KeyName(key);
    return names;
}

KeyBindings::RebindResult KeyBindings::Rebind(Action action, Key key)
{
    if (key == Key::Escape)
        return {Outcome::Cancelled, std::nullopt};
    if (KeyFromName(KeyName(key)) != key)
        return {Outcome::Unnamed, std::nullopt};
    const std::optional<Action> taker = ActionOf(key);
    if (taker && *taker != action)
        return {Outcome::Taken, taker};
    keys[Index(action)] = {key};
    Store(action);
    SettingManager::getInstance().Save();
    return {Outcome::Bound, std::nullopt};
}

void KeyBindings::RestoreDefaults()
{
    for (const ActionInfo& info : kActions)
    {
        keys[Index(info.action)] = Defaults(info.action);
        Store(info.action);
    }
    SettingManager::getInstance().Save();
}

void KeyBindings::Store(Action action)
{
    SettingManager::getInstance().Set(Info(action).setting, Names(action));
    if (action == Action::FullScreen)
        HandDownFullScreen();
}

void KeyBindings::SetCapturing(bool on)
{
    capturing = on;
    HandDownFullScreen();
}

void KeyBindings::HandDownFullScreen() const
{
    DisplayManager::getInstance().fullscreenKeys =
        capturing ? std::vector<Key>{} : KeysOf(Action::FullScreen);
}
