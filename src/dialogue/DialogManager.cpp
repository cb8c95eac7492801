#include "dialogue/DialogManager.hpp"

#include "dialogue/DialogBox.hpp"
#include "dialogue/Script.hpp"
#include "dialogue/Speaker.hpp"
#include "display/InputManager.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/KeyBindings.hpp"
#include "state/SettingManager.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"
#include "world/WorldManager.hpp"

#include <SFML/Window/Keyboard.hpp>
#include <iostream>

namespace
{
constexpr std::int32_t kAutoDialogue = 113;

bool IsAdvanceKey(std::int32_t key)
{
    return KeyBindings::getInstance().Is(Action::Advance, key);
}

void Release(ObjectRef<GameObject>& object)
{
    if (object.Live())
        WorldManager::getInstance().MarkForDeletion(object.get());
    object = nullptr;
}

DialogDisplay* Display(const ObjectRef<GameObject>& display)
{
    return display.Live() ? static_cast<DialogDisplay*>(display.get()) : nullptr;
}
} // namespace

void DialogManager::StartUp()
{
    DialogManager& dialog = getInstance();
    GameManager::getInstance().tickEvent.Subscribe(&dialog);
    InputManager::getInstance().mouseEvent.Subscribe(&dialog);
    InputManager::getInstance().keyboardEvent.Subscribe(&dialog);
}

void DialogManager::StartDialog(std::int32_t n)
{
    AbandonIfBoxGone();
    if (active)
        return;
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    data.dialogText.clear();
    data.dialogNumber = n;
    dialogBox = new DialogBox();
    auto* display = new DialogDisplay();
    dialogDisplay = display;
    display->SetSpeaker(n, 0);
    data.dialogStartEvent.Publish();
    BeginPage();
    active = true;
    autoTimer = 0.0;
    if (n == kAutoDialogue)
        autoAdvance = true;
}

void DialogManager::HandleEvent(Event& event)
{
    if (suspended)
    {
        pressTaken = false;
        return;
    }
    const std::string name = event.GetName();
    if (name == "Mouse")
    {
        const auto& mouse = static_cast<const EventMouse&>(event);
        Press(mouse.action == InputManager::Pressed && mouse.button == sf::Mouse::Button::Left);
        return;
    }
    if (name == "Keyboard")
    {
        const auto& keyboard = static_cast<const EventKeyboard&>(event);
        Press(keyboard.action == InputManager::Pressed && IsAdvanceKey(keyboard.key) &&
              !KeyBindings::getInstance().Capturing());
        return;
    }
    AbandonIfBoxGone();
    if (active)
        Update();
}

bool DialogManager::Press(bool turnsPages)
{
    pressTaken = !suspended && active && !autoAdvance && turnsPages;
    if (pressTaken)
        Advance(false);
    return pressTaken;
}

void DialogManager::Update()
{
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    if (data.dialogNumber == -1)
    {
        data.dialogText.clear();
        data.dialogPage = 0;
        revealed = 0;
        pageComplete = false;
        return;
    }
    const std::vector<std::string> pages = SplitPages(Script(data.dialogNumber));
    const auto last = static_cast<std::int32_t>(pages.size()) - 1;
    data.dialogPage = std::min(data.dialogPage, last);
    const std::string& page = pages[static_cast<std::size_t>(data.dialogPage)];
    data.dialogText = page.substr(0, revealed);
    if (!pageComplete)
    {
        const std::int32_t every = FramesPerCharacter(speed);
        if (every == 0 || ++tickCounter >= every)
        {
            revealed = every == 0 ? page.size() : revealed + 1;
            tickCounter = 0;
        }
        if (revealed >= page.size())
        {
            CompletePage(page.size());
            data.dialogText = page;
        }
        return;
    }
    if (!autoAdvance || !voice.Finished())
        return;
    autoTimer += PhysicsManager::getInstance().delta;
    if (autoTimer >= (voice.Name().empty() ? silentExtraDelay : 0.0) + autoDelay)
    {
        autoTimer = 0.0;
        Advance(true);
        data.dialogText.clear();
    }
}

void DialogManager::CompletePage(std::uint64_t length)
{
    revealed = length;
    pageComplete = true;
    if (!autoAdvance)
        flasher = new DialogFlasher();
}

void DialogManager::Advance(bool force)
{
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    const std::vector<std::string> pages = SplitPages(Script(data.dialogNumber));
    const auto count = static_cast<std::int32_t>(pages.size());
    if (!pageComplete && !force)
    {
        data.dialogPage = std::min(data.dialogPage, count - 1);
        data.dialogText = pages[static_cast<std::size_t>(data.dialogPage)];
        CompletePage(data.dialogText.size());
    }
    else
    {
        Release(flasher);
        if (!force)
            SettingManager::getInstance().Set(kPageTurnedSetting, "1");
        if (++data.dialogPage >= count)
        {
            revealed = 0;
            pageComplete = false;
            EndDialog();
            return;
        }
        revealed = 0;
        pageComplete = false;
        BeginPage();
        if (pageHooks)
            pageHooks(data.dialogNumber, data.dialogPage);
    }
    if (DialogDisplay* display = Display(dialogDisplay))
        display->SetSpeaker(data.dialogNumber, data.dialogPage);
}

void DialogManager::EndDialog()
{
    if (!active)
        return;
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    pageComplete = false;
    active = false;
    data.controlsLocked = false;
    voice.Stop();
    const std::int32_t n = data.dialogNumber;
    if (firstActions)
        firstActions(n);
    data.dialogNumber = -1;
    data.dialogPage = 0;
    revealed = 0;
    Release(dialogBox);
    Release(dialogDisplay);
    if (secondActions)
        secondActions(n);
}

void DialogManager::AbandonIfBoxGone()
{
    if (!active || dialogBox.Live())
        return;
    voice.Stop();
    Release(dialogDisplay);
    Release(flasher);
    ForgetDialogue();
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    data.dialogNumber = -1;
    data.dialogPage = 0;
    data.dialogText.clear();
    data.controlsLocked = false;
}

void DialogManager::Reset()
{
    UnsubscribeAll();
    ForgetDialogue();
    history.Clear();
    suspended = false;
    speed = TextSpeed::Normal;
    dialogDisplay = flasher = nullptr;
    pressTaken = false;
}

void DialogManager::ForgetDialogue()
{
    revealed = 0;
    pageComplete = false;
    active = false;
    autoAdvance = false;
    autoTimer = 0.0;
    tickCounter = 0;
    dialogBox = nullptr;
}

void DialogManager::BeginPage()
{
    const BigAccessingOfData& data = BigAccessingOfData::getInstance();
    PlayVoice();
    speed = ReadTextSpeed();
    tickCounter = 0;
    const std::vector<std::string> pages = SplitPages(Script(data.dialogNumber));
    if (data.dialogPage >= 0 && data.dialogPage < static_cast<std::int32_t>(pages.size()))
        history.Add({data.dialogNumber, data.dialogPage, Speaker(data.dialogNumber, data.dialogPage),
                     pages[static_cast<std::size_t>(data.dialogPage)]});
}

void DialogManager::Suspend()
{
    suspended = true;
    voice.Pause();
}

void DialogManager::Unsuspend()
{
    suspended = false;
    voice.Resume();
}

void DialogManager::PlayVoice()
{
    const BigAccessingOfData& data = BigAccessingOfData::getInstance();
    if (!voice.Play(std::to_string(data.dialogNumber) + "_" + std::to_string(data.dialogPage)))
        std::cout << "The file does not exist.\n";
}
