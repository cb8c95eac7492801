// A long random play of the whole game from a seed: keys, mouse moves and clicks anywhere, scene
// changes forced every few hundred frames, pauses and resumes. Under the sanitizers it finds
// crashes and leaks; here it checks that neither the world nor any event's subscriber list grows
// without bound, and that an empty scene gives the lists back their start-up size.
// HINGEWALK_SOAK_FRAMES and HINGEWALK_SOAK_SEED choose the length and the run (scripts/soak).
#include "display/DisplayManager.hpp"
#include "display/InputManager.hpp"
#include "support/GameTest.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"
#include "world/WorldManager.hpp"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>
#include <random>

namespace
{
constexpr std::int32_t kEmptyScene = 99;
// What a scene may gain while it is played: the Unknown's 1,400 stars, seconds of door particles.
constexpr std::size_t kGrowth = 2000;
const Key kKeys[] = {Key::W,    Key::A,         Key::S,     Key::D,     Key::Up,     Key::Down,
                     Key::Left, Key::Right,     Key::Space, Key::Enter, Key::Escape, Key::O,
                     Key::R,    Key::Backspace, Key::Num0,  Key::Num1,  Key::Num2,   Key::Num3,
                     Key::Num4, Key::Num5,      Key::Num6,  Key::Num7,  Key::Num8,   Key::Num9};

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : fallback;
}

using Watched = std::vector<std::pair<const char*, const Event*>>;

// Every event the managers and the store publish, by name.
Watched WatchedEvents()
{
    GameManager& game = GameManager::getInstance();
    PhysicsManager& physics = PhysicsManager::getInstance();
    InputManager& input = InputManager::getInstance();
    DisplayManager& display = DisplayManager::getInstance();
    // clang-format off
    return {{"tick", &game.tickEvent}, {"late tick", &game.lateTickEvent}, {"start", &game.startEvent},
            {"collision", &physics.collisionEvent}, {"out", &physics.outEvent},
            {"keyboard", &input.keyboardEvent}, {"mouse", &input.mouseEvent}, {"defocus", &display.defocusEvent},
            {"fullscreen", &display.fullscreenEvent}, {"DStart", &Data().dialogStartEvent}};
    // clang-format on
}

std::vector<std::size_t> Sizes(const Watched& events)
{
    std::vector<std::size_t> sizes;
    for (const auto& named : events)
        sizes.push_back(named.second->subscribers.size());
    return sizes;
}

// The most objects any scene is built with.
std::size_t LargestScene(GameDriver& game)
{
    std::size_t largest = 0;
    for (std::int32_t n = SceneNumber::Splash; n <= 15; ++n)
    {
        if (n == SceneNumber::Quit || n == SceneNumber::Resume || n == SceneNumber::Loading)
            continue;
        Map::getInstance().LoadScene(n);
        largest = std::max(largest, WorldManager::getInstance().objects.size());
        game.Frame(kStep);
    }
    Map::getInstance().LoadScene(kEmptyScene);
    game.Frame(kStep);
    return largest;
}

// One frame's worth of random input: a key pressed, held or let go, a move, a click or a drag.
void PlayAtRandom(GameDriver& game, std::mt19937_64& random, std::vector<Key>& held, bool& mouseHeld)
{
    const auto oneIn = [&](std::uint32_t n) { return random() % n == 0; };
    if (oneIn(4))
    {
        // Half the presses are held, to walk and to let go later.
        const Key key = kKeys[random() % std::size(kKeys)];
        const auto at = std::find(held.begin(), held.end(), key);
        const bool wasHeld = at != held.end();
        if (wasHeld)
            held.erase(at);
        else
            game.Press(key);
        if (wasHeld || oneIn(2))
            game.Release(key);
        else
            held.push_back(key);
    }
    if (oneIn(25000)) // full screen rebuilds the window: a few times in a long run
        game.Tap(Key::F11);
    if (oneIn(3))
        game.MoveMouse(std::uniform_real_distribution(-17.78, 17.78)(random),
                       std::uniform_real_distribution(-10.0, 10.0)(random));
    if (oneIn(10))
    {
        // A held button drags sliders with the moves that follow.
        const bool wasHeld = mouseHeld;
        mouseHeld = !wasHeld && oneIn(4);
        if (wasHeld)
            game.MouseUp();
        else if (mouseHeld)
            game.MouseDown();
        else
            game.Click(oneIn(10) ? sf::Mouse::Button::Right : sf::Mouse::Button::Left);
    }
}

// What a random play saw: its largest world and stash, the longest subscriber lists, the pauses and
// resumes, and a fingerprint of the scene and world size after every frame.
struct Played
{
    std::size_t largestWorld = 0;
    std::size_t largestStash = 0;
    std::vector<std::size_t> largest;
    int pauses = 0;
    int resumes = 0;
    std::uint64_t fingerprint = 14695981039346656037ull;
};

// Plays `frames` random frames from the seed, asserting at every frame that the world, the stash
// and each subscriber list stay within `bound` of their start.
Played PlayRandomly(GameDriver& game, std::uint64_t frames, std::uint64_t seed, const Watched& events,
                    std::size_t bound)
{
    const WorldManager& world = WorldManager::getInstance();
    const std::vector<std::size_t> atStart = Sizes(events);
    Played played;
    played.largest = atStart;
    std::mt19937_64 random(seed);
    std::vector<Key> held;
    bool mouseHeld = false;
    std::uint64_t nextChange = 0;
    Map::getInstance().LoadScene(SceneNumber::Splash);
    for (std::uint64_t frame = 0; frame < frames; ++frame)
    {
        if (frame == nextChange)
        {
            const auto scene = static_cast<std::int32_t>(random() % 26) - 10;
            // As the title's Start button does, so that Escape pauses there.
            if (scene >= 0 && Data().resumeScene == SceneNumber::NoGame)
                Data().resumeScene = SceneNumber::GameWithoutPause;
            Map::getInstance().ChangeScene(scene);
            nextChange += 200 + random() % 400;
        }
        const std::int32_t before = Data().currentScene;
        PlayAtRandom(game, random, held, mouseHeld);
        const bool loading = Data().currentScene == SceneNumber::Loading;
        played.pauses += before >= 0 && loading && Data().pendingScene == SceneNumber::SettingsMenu;
        played.resumes +=
            before == SceneNumber::SettingsMenu && loading && Data().pendingScene == SceneNumber::Resume;
        // The game's own dice follow the seed too (the loading screen reseeds them from the clock).
        std::srand(static_cast<unsigned>(random()));
        game.Frame(kStep);

        played.largestWorld = std::max(played.largestWorld, world.objects.size());
        played.largestStash = std::max(played.largestStash, world.stashedObjects.size());
        EXPECT_LE(std::max(played.largestWorld, played.largestStash), bound) << "frame " << frame;
        const std::vector<std::size_t> sizes = Sizes(events);
        for (std::size_t i = 0; i < sizes.size(); ++i)
        {
            played.largest[i] = std::max(played.largest[i], sizes[i]);
            EXPECT_LE(sizes[i], atStart[i] + bound) << events[i].first << ", frame " << frame;
        }
        played.fingerprint =
            (played.fingerprint ^ (std::uint64_t(Data().currentScene + 100) << 32 | world.objects.size())) *
            1099511628211ull;
        if (::testing::Test::HasFailure())
            break;
    }
    for (const Key key : held)
        game.Release(key);
    game.MouseUp();
    return played;
}
} // namespace

TEST(Soak, RandomPlayKeepsTheWorldAndEverySubscriberListBounded)
{
    const std::uint64_t frames = EnvNumber("HINGEWALK_SOAK_FRAMES", 1500);
    const std::uint64_t seed = EnvNumber("HINGEWALK_SOAK_SEED", 14);
    GameDriver game;
    const Watched events = WatchedEvents();
    const std::vector<std::size_t> atStart = Sizes(events);
    const std::size_t bound = LargestScene(game) + kGrowth;
    const Played played = PlayRandomly(game, frames, seed, events, bound);
    ASSERT_FALSE(HasFailure());

    Map::getInstance().ChangeScene(kEmptyScene);
    ASSERT_TRUE(game.ReachScene(kEmptyScene, 400));
    game.Frames(3, kStep);
    EXPECT_EQ(WorldManager::getInstance().objects.size(), 0u);
    EXPECT_EQ(Sizes(events), atStart) << "nothing stays subscribed once its scene is gone";

    std::cout << "soak: " << frames << " frames, seed " << seed << ": largest world " << played.largestWorld
              << " (bound " << bound << "), stash " << played.largestStash << "; subscribers";
    for (std::size_t i = 0; i < events.size(); ++i)
        std::cout << (i == 0 ? " " : ", ") << events[i].first << " " << atStart[i] << ".."
                  << played.largest[i];
    std::cout << "; " << played.pauses << " pauses, " << played.resumes << " resumes, "
              << GameDriver::exitRequests << " exit requests; fingerprint " << std::hex << played.fingerprint
              << std::dec << "\n";
}

// A seed plays the same game every time: nothing in it depends on the clock, the allocator or the
// order of a hash table. The fingerprint was recorded from a run of this build.
TEST(Soak, ASeedAlwaysPlaysTheSameGame)
{
    constexpr std::uint64_t kRecorded = 0x4790f0c0be3c4727;
    GameDriver game;
    // Without clips: the cut-scene that turns its pages by them would follow the real clock.
    const WithoutVoices silence;
    const Played played = PlayRandomly(game, 400, 3, WatchedEvents(), SIZE_MAX / 2);
    EXPECT_EQ(played.fingerprint, kRecorded) << std::hex << played.fingerprint;
}
