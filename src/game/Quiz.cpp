#include "game/Quiz.hpp"

#include "display/DisplayManager.hpp"
#include "game/QuizQuestions.hpp"
#include "game/Tiles.hpp"
#include "game/TitleCards.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "world/WorldManager.hpp"

#include <filesystem>

namespace
{
const sf::Color kQuestionColour(0, 255, 255);
constexpr double kInFront = 9999.0;
constexpr std::int32_t kBridgeLength = 15;

} // namespace

Quiz::Quiz()
{
    SetSprite(Sprite::Empty());
    sprite.followsCamera = false;
    solidness = Spectral;
    depth = kInFront;
    BigAccessingOfData::getInstance().controlsLocked = true;
}

void Quiz::Advance()
{
    ++question;
    ReadQuestionOut();
    WorldManager::getInstance().MarkAllOfType("Buttface");
    if (question <= quiz::kQuestionCount)
        ShowAnswers();
    else
        GrowBridge();
}

void Quiz::ReadQuestionOut()
{
    // The recordings are optional: without one the question is only shown.
    voice.Play("q" + std::to_string(question), VoiceClip::Track::Effects);
}

void Quiz::ShowAnswers()
{
    const auto slots = quiz::AnswerSlots(question);
    for (std::int32_t slot = 0; slot < 4; ++slot)
        new QuizButton(this, slots[static_cast<std::size_t>(slot)], slot);
}

void Quiz::GrowBridge()
{
    WorldManager::getInstance().MarkForDeletion(this);
    for (std::int32_t i = 0; i < kBridgeLength; ++i)
        new BridgeAnimatedTile(0, -6 - i);
    ResourceManager& resources = ResourceManager::getInstance();
    resources.LoadSound("correct", "sfx/correct.mp3");
    resources.PlaySound("correct", 100);
}

void Quiz::OnDestroy()
{
    voice.Stop();
    BigAccessingOfData::getInstance().controlsLocked = false;
}

void Quiz::Draw()
{
    DisplayManager::DrawScreenProse({x, y + 7.0}, quiz::QuestionText(question), kQuestionColour, 10.0, true);
}

QuizButton::QuizButton(Quiz* owner, std::int32_t shownAnswer, std::int32_t answerSlot)
    : answer(shownAnswer), slot(answerSlot), quiz(owner)
{
    // Slot 0 is the top row (y 3.45), slot 3 the bottom one (y -6.45).
    DressButton(*this, "sprites/QuestionButton.txt", {1.0, (slot - 1.5) * -3.3 - 1.5}, 1.2, 1.2, 1.2);
    normalFrame = sprite.frameIndex = answer;
    hoverFrame = answer + quiz::kAnswerCount;
    sprite.background = true;
    type = "Buttface";
    depth = kInFront;
}

void QuizButton::OnClick()
{
    if (answer != quiz::kRightAnswer)
    {
        ShowEnding("A wrong answer, and the voice sent the door away.\nSome questions only have one answer.");
        return;
    }
    if (quiz.Live())
        quiz->Advance();
}

void QuizButton::Draw()
{
    Button::Draw();
    const char letter[] = {static_cast<char>('A' + slot), '\0'};
    DisplayManager::DrawScreenText({x - 4.0, y}, letter, sf::Color::White, 10.0, true, 2.0);
}
