#pragma once

#include "world/GameObject.hpp"

#include <string>

// A full-screen card that fades itself in and out and then moves the game on.
class TitleCard : public GameObject
{
public:
    double age = 0.0;

    void HandleEvent(Event& event) override;

protected:
    TitleCard(const char* path, double scale);
    // Brightness at the card's age, before clamping to 0..1.
    virtual double Brightness() const = 0;
    // Leads on to the next scene once the card's time is up.
    virtual void Finish() = 0;
};

// The start-up card: an explosion, a fade in, a fade out, then the title menu.
class Splash : public TitleCard
{
public:
    Splash();

protected:
    double Brightness() const override;
    void Finish() override;
};

// "To be continued": after the missile, then the program ends.
class TBC : public TitleCard
{
public:
    TBC();

protected:
    double Brightness() const override;
    void Finish() override;
};

// The card of an ending that closes the game: "The End" and a line of what became of the door,
// on a world cleared around it. It stays until a key, a click or a pad button (after a moment,
// so that a page clicked away in a hurry does not skip it too), or a few seconds, then the game
// closes. It holds the player's controls meanwhile.
class EndingCard : public GameObject
{
public:
    // Seconds before keys count, and before the card closes by itself.
    static constexpr double kSettle = 1.0;
    static constexpr double kStays = 10.0;

    std::string words;
    double age = 0.0;

    explicit EndingCard(std::string endingWords);
    void HandleEvent(Event& event) override;
    void Draw() override;
    void OnDestroy() override;

private:
    void Close();
    bool closing = false;
};

// Clears the world and shows the ending card.
void ShowEnding(const std::string& words);

// The end card after the last dialogue; the program ends while it is still bright.
class CCU : public TitleCard
{
public:
    CCU();

protected:
    double Brightness() const override;
    void Finish() override;
};
