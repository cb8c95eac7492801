#pragma once

#include "world/GameObject.hpp"

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

// The end card after the last dialogue; the program ends while it is still bright.
class CCU : public TitleCard
{
public:
    CCU();

protected:
    double Brightness() const override;
    void Finish() override;
};
