#pragma once

#include "widgets/Button.hpp"

// Something that takes a yes or a no.
class Bro2 : public GameObject
{
public:
    virtual void Answer(bool take) = 0;
};

// "Take Chicken?": raised when dialogue 83 ends, with a boom, a Yes and a No button and a
// pointer. Taking the chicken carries it into the fights (`hasChicken`); refusing sends it
// running off to the left. It holds the player's controls for as long as it exists.
class ChickenStealer : public Bro2
{
public:
    ChickenStealer();
    void Answer(bool take) override;
    void Draw() override;
    void OnDestroy() override;
};

// Yes or No to the chicken offer (type "Buttn"); they go when it is answered.
class OfferAnswer : public Button
{
public:
    ObjectRef<Bro2> owner;
    bool take;

    OfferAnswer(Bro2* offer, const char* spriteFile, double y, bool taking);
    void OnClick() override;
};

class YesAnswer : public OfferAnswer
{
public:
    explicit YesAnswer(Bro2* offer);
};

class NoAnswer : public OfferAnswer
{
public:
    explicit NoAnswer(Bro2* offer);
};
