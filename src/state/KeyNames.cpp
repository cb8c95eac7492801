#include "state/KeyNames.hpp"

#include <iterator>

namespace
{
using Key = sf::Keyboard::Key;

struct NamedKey
{
    Key key;
    const char* name;
};

// clang-format off
// Keys whose names are not a letter, a digit or a function key's number.
constexpr NamedKey kNamed[] = {
    {Key::Escape,    "Escape"},     {Key::LControl,   "Left Ctrl"},   {Key::LShift,    "Left Shift"},
    {Key::LAlt,      "Left Alt"},   {Key::LSystem,    "Left Super"},  {Key::RControl,  "Right Ctrl"},
    {Key::RShift,    "Right Shift"},{Key::RAlt,       "Right Alt"},   {Key::RSystem,   "Right Super"},
    {Key::Menu,      "Menu"},       {Key::LBracket,   "["},           {Key::RBracket,  "]"},
    {Key::Semicolon, ";"},          {Key::Comma,      "Comma"},       {Key::Period,    "."},
    {Key::Apostrophe,"'"},          {Key::Slash,      "/"},           {Key::Backslash, "\\"},
    {Key::Grave,     "`"},          {Key::Equal,      "="},           {Key::Hyphen,    "-"},
    {Key::Space,     "Space"},      {Key::Enter,      "Enter"},       {Key::Backspace, "Backspace"},
    {Key::Tab,       "Tab"},        {Key::PageUp,     "Page Up"},     {Key::PageDown,  "Page Down"},
    {Key::End,       "End"},        {Key::Home,       "Home"},        {Key::Insert,    "Insert"},
    {Key::Delete,    "Delete"},     {Key::Add,        "Keypad +"},    {Key::Subtract,  "Keypad -"},
    {Key::Multiply,  "Keypad *"},   {Key::Divide,     "Keypad /"},    {Key::Left,      "Left"},
    {Key::Right,     "Right"},      {Key::Up,         "Up"},          {Key::Down,      "Down"},
    {Key::Pause,     "Pause"},
};
// clang-format on

int Code(Key key)
{
    return static_cast<int>(key);
}

// Letters, digits, keypad digits and function keys run in order in the key codes.
struct Run
{
    Key first;
    Key last;
    const char* prefix;
    char firstName;
    int firstNumber;
};

constexpr Run kRuns[] = {
    {Key::A,       Key::Z,       "",        'A',  0},
    {Key::Num0,    Key::Num9,    "",        '0',  0},
    {Key::Numpad0, Key::Numpad9, "Keypad ", '0',  0},
    {Key::F1,      Key::F15,     "F",       '\0', 1},
};

std::string RunName(const Run& run, Key key)
{
    const int offset = Code(key) - Code(run.first);
    if (run.firstName != '\0')
        return run.prefix + std::string(1, static_cast<char>(run.firstName + offset));
    return run.prefix + std::to_string(run.firstNumber + offset);
}
} // namespace

std::string KeyName(Key key)
{
    for (const Run& run : kRuns)
        if (Code(key) >= Code(run.first) && Code(key) <= Code(run.last))
            return RunName(run, key);
    for (const NamedKey& named : kNamed)
        if (named.key == key)
            return named.name;
    return "";
}

std::optional<Key> KeyFromName(const std::string& name)
{
    for (const Run& run : kRuns)
        for (int code = Code(run.first); code <= Code(run.last); ++code)
            if (RunName(run, static_cast<Key>(code)) == name)
                return static_cast<Key>(code);
    for (const NamedKey& named : kNamed)
        if (name == named.name)
            return named.key;
    return std::nullopt;
}
