#pragma once

#include <string>

// Error messages travel as C strings (what()), which end at the first NUL byte. A NUL copied
// into a message from a file shows as "\0", so the rest of the message, the path included,
// still arrives.
inline std::string ShowNulBytes(std::string text)
{
    for (std::size_t at = text.find('\0'); at != std::string::npos; at = text.find('\0', at + 2))
        text.replace(at, 1, "\\0");
    return text;
}
