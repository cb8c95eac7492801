#pragma once

#include "core/Manager.hpp"
#include "dialogue/PageHistory.hpp"
#include "dialogue/TextSpeed.hpp"
#include "resources/VoiceClip.hpp"
#include "world/GameObject.hpp"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Plays the numbered dialogues page by page: a typewriter reveal, a voice clip per page, a
// click (or Space, or Enter) to finish a page and another to move on, and the story's
// consequences when a dialogue ends. Start-up subscribes it to the tick, the mouse and the
// keyboard; the player door stands still while `active` is set.
//
// What a dialogue's end sets in motion (scene changes, panels, fights) lives in the layers
// above; they register it here at start-up, as the two action tables and the page hooks.
// Set to "1" once the player has turned a page: the box stops saying how.
inline constexpr const char* kPageTurnedSetting = "Page Turned";

class DialogManager : public Manager<DialogManager>
{
public:
    std::uint64_t revealed = 0;
    bool pageComplete = false;
    bool active = false;
    bool autoAdvance = false;
    double silentExtraDelay = 0.5;
    double autoDelay = 0.5;
    double autoTimer = 0.0;
    VoiceClip voice;
    // Handles, not plain pointers: a scene change may destroy these with the rest of the world.
    ObjectRef<GameObject> dialogBox;
    ObjectRef<GameObject> dialogDisplay;
    ObjectRef<GameObject> flasher;
    std::int32_t tickCounter = 0;
    // The mouse press being handled went to the dialogue (it finished or turned a page, or
    // ended it), so it must not also press a button under the pointer.
    bool pressTaken = false;
    // Held while the backlog is open: the page waits where it was, the voice pauses, and no
    // key or click reaches the dialogue.
    bool suspended = false;
    // How fast the current page types itself out, read when the page begins.
    TextSpeed speed = TextSpeed::Normal;
    // Every page shown in this run, for the backlog.
    PageHistory history;

    // Run when dialogue n ends: before the dialogue cursor is reset, and after it (when a
    // follow-up dialogue can start).
    std::function<void(std::int32_t n)> firstActions;
    std::function<void(std::int32_t n)> secondActions;
    // Run when dialogue n reaches page p (from the second page on).
    std::function<void(std::int32_t n, std::int32_t p)> pageHooks;

    static void StartUp();
    void Reset();

    void StartDialog(std::int32_t n);
    void Advance(bool force);
    void EndDialog();
    // The clip of the current page, if it has one.
    void PlayVoice();
    void HandleEvent(Event& event) override;
    // A click, key or pad button that may turn the page (`turnsPages` says whether it is one that
    // does): it turns it when a dialogue is waiting for it, and is then the dialogue's alone
    // (`pressTaken`). True when it was.
    bool Press(bool turnsPages);
    void Suspend();
    void Unsuspend();

private:
    // A page appears: its clip starts and it joins the history.
    void BeginPage();
    void Update();
    void CompletePage(std::uint64_t length);
    // A scene change took the box with the rest of the world: the dialogue is over, without
    // its consequences (they belong to a scene that is gone).
    void AbandonIfBoxGone();
    void ForgetDialogue();
};
