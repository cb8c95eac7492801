#pragma once

#include "state/KeyBindings.hpp"
#include "widgets/Button.hpp"

#include <optional>
#include <string>
#include <vector>

// The lines of the settings page's controls list, with the keys bound now.
std::vector<std::string> ControlsSummary();

// The "Controls" page (reached from the settings page): every action with its keys and pad
// button. Selecting an action waits for its new key; a key another action has is refused with
// that action's name, and Escape keeps the old key. A button restores every default.
class ControlsPage : public GameObject
{
public:
    ControlsPage();
    void OnDestroy() override;
    void HandleEvent(Event& event) override;
    void Draw() override;

    // The action waiting for its key, if any.
    std::optional<Action> Awaited() const;
    void Await(Action action);
    void RestoreDefaults();
    const std::string& Message() const { return message; }

private:
    void TakeKey(sf::Keyboard::Key key);
    void RefreshRows();

    std::optional<Action> awaiting;
    // The press that chose the action is not its new key: keys count from the next tick.
    bool armed = false;
    std::string message;
};

// A line of text that brightens under the pointer or the focus.
class TextButton : public Button
{
public:
    TextButton(ControlsPage& owner, const std::string& text, WorldPoint at);
    void HandleEvent(Event& event) override;
    void SetText(const std::string& text);

protected:
    virtual bool Waiting() const { return false; }

    ObjectRef<ControlsPage> page;
};

// One action's line on the page; pressing it asks for the action's new key.
class BindingRow : public TextButton
{
public:
    BindingRow(ControlsPage& owner, Action bound, double atY);
    void OnClick() override;
    void Refresh();

    const Action action;

protected:
    bool Waiting() const override;
};

class DefaultsButton : public TextButton
{
public:
    explicit DefaultsButton(ControlsPage& owner);
    void OnClick() override;
};

// Back to the settings page (or the pause page it came from).
class ControlsBackButton : public Button
{
public:
    ControlsBackButton();
    void OnClick() override;
};

// The settings page's way to the Controls page.
class ControlsButton : public Button
{
public:
    ControlsButton();
    void OnClick() override;
};
