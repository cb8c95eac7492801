// The keys a player binds: their names in the settings file, what a file that cannot be used
// turns into, and rebinding.
#include "state/KeyBindings.hpp"

#include "display/DisplayManager.hpp"
#include "state/KeyNames.hpp"
#include "state/SettingManager.hpp"
#include "support/Harness.hpp"

#include <gtest/gtest.h>
#include <sstream>

namespace
{
using Key = sf::Keyboard::Key;
using Keys = std::vector<Key>;

KeyBindings& Bindings()
{
    return KeyBindings::getInstance();
}

std::string WrittenSettings()
{
    return testsupport::ReadFile("important/settings.txt");
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}
} // namespace

TEST(KeyBindings, EveryKeyWithANameReadsBackAsItselfAndOtherNamesAreNoKey)
{
    int named = 0;
    for (int code = 0; code < sf::Keyboard::KeyCount; ++code)
    {
        const auto key = static_cast<Key>(code);
        const std::string name = KeyName(key);
        if (name.empty())
            continue;
        ++named;
        EXPECT_EQ(KeyFromName(name), key) << name;
    }
    EXPECT_GT(named, 90);
    EXPECT_EQ(KeyName(Key::PageUp), "Page Up");
    EXPECT_EQ(KeyName(Key::Numpad5), "Keypad 5");
    EXPECT_EQ(KeyName(Key::F11), "F11");
    for (const char* name : {"", "up", "F16", "Keypad", "Space ", "WW"})
        EXPECT_EQ(KeyFromName(name), std::nullopt) << '"' << name << '"';
}

TEST(KeyBindings, AnEntryThatNamesNoKeyOrTakesAnotherActionsKeyFallsBackWithANoteAndTheRestHold)
{
    SettingManager::getInstance().values = SettingManager::Parse(
        "Key Walk Up:I;Key Walk Down:I;Key Pause:P;Key Backlog:Banana;Key Advance:Space, X;Key Full Screen:;"
        "Key Walk Left:L;Key Walk Right:Up;Key Walk Right 2:K;Key Walk Left 2:Right;");
    testing::internal::CaptureStderr();
    Bindings().Load();
    const std::vector<std::string> notes = Lines(testing::internal::GetCapturedStderr());

    EXPECT_EQ(Bindings().KeysOf(Action::WalkUp), Keys{Key::I});
    EXPECT_EQ(Bindings().KeysOf(Action::Pause), Keys{Key::P});
    EXPECT_EQ(Bindings().KeysOf(Action::Advance), (Keys{Key::Space, Key::X}));
    // A key another entry gives up is free: the second door's right is K, so Right may go left.
    EXPECT_EQ(Bindings().KeysOf(Action::Walk2Right), Keys{Key::K});
    EXPECT_EQ(Bindings().KeysOf(Action::Walk2Left), Keys{Key::Right});
    // The later of two entries with one key, entries naming no key, and an entry taking a key a
    // default has (L is the backlog's, Up the second door's) give way; an empty one is no entry.
    EXPECT_EQ(Bindings().KeysOf(Action::WalkDown), Keys{Key::S});
    EXPECT_EQ(Bindings().KeysOf(Action::Backlog), (Keys{Key::L, Key::PageUp}));
    EXPECT_EQ(Bindings().KeysOf(Action::WalkLeft), Keys{Key::A});
    EXPECT_EQ(Bindings().KeysOf(Action::WalkRight), Keys{Key::D});
    EXPECT_EQ(Bindings().KeysOf(Action::FullScreen), Keys{Key::F11});
    EXPECT_EQ(DisplayManager::getInstance().fullscreenKeys, Keys{Key::F11});
    ASSERT_EQ(notes.size(), 4u) << testing::PrintToString(notes);
    EXPECT_EQ(notes[0], "Controls: \"Key Backlog\" is \"Banana\", which names no key; using L, Page Up");
    for (const char* entry : {"\"Key Walk Down\"", "\"Key Walk Left\"", "\"Key Walk Right\""})
        EXPECT_EQ(std::count_if(notes.begin(), notes.end(),
                                [&](const std::string& note)
                                { return note.find(entry) != std::string::npos; }),
                  1)
            << entry;
    for (const std::string& note : notes)
        EXPECT_EQ(note.rfind("Controls: ", 0), 0u) << note;
}

TEST(KeyBindings, ARebindingIsSavedAtOnceATakenKeyOrEscapeChangesNothingAndTheDefaultsComeBack)
{
    Bindings().Load();
    using Outcome = KeyBindings::Outcome;
    const KeyBindings::RebindResult bound = Bindings().Rebind(Action::Pause, Key::P);
    EXPECT_EQ(bound.outcome, Outcome::Bound);
    EXPECT_NE(WrittenSettings().find("Key Pause:P;"), std::string::npos) << WrittenSettings();

    const KeyBindings::RebindResult taken = Bindings().Rebind(Action::WalkUp, Key::Space);
    EXPECT_EQ(taken.outcome, Outcome::Taken);
    EXPECT_EQ(taken.taker, Action::Advance);
    // Escape is nobody's now, and still only cancels; a key with no name is refused.
    EXPECT_EQ(Bindings().Rebind(Action::WalkUp, Key::Escape).outcome, Outcome::Cancelled);
    EXPECT_EQ(Bindings().Rebind(Action::WalkUp, Key::Unknown).outcome, Outcome::Unnamed);
    EXPECT_EQ(Bindings().KeysOf(Action::WalkUp), Keys{Key::W});
    EXPECT_EQ(Bindings().Rebind(Action::FullScreen, Key::F2).outcome, Outcome::Bound);
    EXPECT_EQ(DisplayManager::getInstance().fullscreenKeys, Keys{Key::F2});

    // What was saved is what the next start-up binds.
    Bindings().Reset();
    SettingManager::getInstance().Load();
    Bindings().Load();
    EXPECT_EQ(Bindings().KeysOf(Action::Pause), Keys{Key::P});
    EXPECT_EQ(Bindings().ActionOf(Key::Escape), std::nullopt);

    Bindings().RestoreDefaults();
    EXPECT_EQ(Bindings().KeysOf(Action::Pause), Keys{Key::Escape});
    EXPECT_EQ(DisplayManager::getInstance().fullscreenKeys, Keys{Key::F11});
    const std::string written = WrittenSettings();
    for (const char* entry : {"Key Pause:Escape;", "Key Full Screen:F11;", "Key Advance:Space, Enter;"})
        EXPECT_NE(written.find(entry), std::string::npos) << entry;
}
