#pragma once

#include "world/GameObject.hpp"

#include <cstddef>
#include <cstdint>
#include <string>

// The code door's keyboard panel, raised when dialogue 84 or 85 ends. Digits and the letters
// D, O and R are typed; Enter submits, Escape closes. A game pad types too: up and down choose
// the next character, A types it, B erases (or closes the empty panel), Start submits. The right
// code opens the door (dialogue 86); anything with DOOR in it is a secret of its own. It holds
// the player's controls for as long as it exists, so the door stands still and Escape does not
// pause.
class Puzzle : public GameObject
{
public:
    // The characters a pad chooses among, in the order up and down go through them.
    static constexpr const char* kPadGlyphs = "0123456789DOR";

    std::string typed;
    // The character a pad's A types next (an index into kPadGlyphs).
    std::size_t padGlyph = 0;
    // A pad was used at the panel: it shows how.
    bool padSeen = false;

    Puzzle();
    void HandleEvent(Event& event) override;
    void Draw() override;
    void OnDestroy() override;

private:
    void HandleKey(const EventKeyboard& keyboard);
    void HandlePad(const EventJoystick& pad);
    void Type(char glyph);
    void Submit();
    void Close();

    // Where the pad's vertical axes lean (-1, 0, 1): one push, one step.
    std::int32_t padLean = 0;
};

// The code the big door wants.
inline constexpr const char* kDoorCode = "40718265";
