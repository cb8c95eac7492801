#pragma once

// Shared by the fuzz targets. A broken expectation aborts, which libFuzzer reports like a crash,
// with the input that caused it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fuzz
{
inline void Require(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz expectation failed: %s\n", what);
    std::abort();
}

inline bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// A path in a folder of this process's own under the system's temporary folder, which is
// removed again at a normal exit. The readers under test take paths, and some keep them in
// their messages.
inline std::string ScratchPath(const std::string& name)
{
    static const std::filesystem::path folder = []
    {
        const auto made = std::filesystem::temp_directory_path() /
                          ("hingewalk-fuzz-" + std::to_string(static_cast<long>(getpid())));
        std::filesystem::create_directories(made);
        std::atexit(
            []
            {
                std::error_code ignored;
                std::filesystem::remove_all(folder, ignored);
            });
        return made;
    }();
    return (folder / name).string();
}

inline void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    Require(file.good(), "the scratch file could not be written");
}
} // namespace fuzz
