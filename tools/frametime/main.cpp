// hingewalk-frametime: runs the real, paced game loop in the heaviest screens and writes a
// Markdown report of frame times: median and 99th percentile, the share of frames that kept to
// the 16 ms grid, and the engine's own work per frame apart from presenting the picture. Also
// start-up to the first drawn frame and the peak memory. Run it from a game directory under a
// display:   hingewalk-frametime [--seconds S] [--out FILE.md] [--only NAME-PART]
#include "GameStartup.hpp"
#include "core/ClockSystem.hpp"
#include "dialogue/DialogManager.hpp"
#include "game/Effects.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "world/GameManager.hpp"
#include "world/WorldManager.hpp"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace
{
const std::int64_t kLaunched = ClockSystem::Now();

struct Screen
{
    std::string name;
    std::function<void()> build;
    // Frames run unpaced first, so the screen reaches its steady state (rain fallen, fighters in).
    int warmUpFrames = 10;
};

struct Row
{
    std::string name;
    std::size_t objects = 0;
    double medianMs = 0, p99Ms = 0, onGrid = 0, workMedianMs = 0, workP99Ms = 0, fps = 0;
};

double Percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1,
                           static_cast<std::size_t>(p * static_cast<double>(values.size())))];
}

long StatusKb(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0)
            return std::atol(line.c_str() + field.size() + 1);
    return 0;
}

Row Measure(const Screen& screen, double seconds)
{
    Map& map = Map::getInstance();
    map.LoadScene(SceneNumber::TitleMenu); // leaves whatever came before
    GameManager& game = GameManager::getInstance();
    game.Frame(1.0 / 62.5);
    std::srand(7);
    screen.build();
    for (int i = 0; i < screen.warmUpFrames; ++i)
        game.Frame(1.0 / 62.5);

    std::vector<double> periods, work;
    int late = 0;
    std::int64_t previous = 0;
    game.frameObserver = [&](const FrameTiming& frame)
    {
        if (previous != 0)
            periods.push_back(static_cast<double>(frame.start - previous) / 1e6);
        previous = frame.start;
        work.push_back(static_cast<double>(frame.workCpuNs) / 1e6);
        late += frame.late ? 1 : 0;
        if (static_cast<double>(work.size()) >= seconds * 62.5)
            game.running = false;
    };
    game.Run();
    game.frameObserver = nullptr;

    Row row;
    row.name = screen.name;
    row.objects = WorldManager::getInstance().objects.size();
    row.medianMs = Percentile(periods, 0.5);
    row.p99Ms = Percentile(periods, 0.99);
    row.onGrid = work.empty() ? 0.0 : 1.0 - static_cast<double>(late) / static_cast<double>(work.size());
    row.workMedianMs = Percentile(work, 0.5);
    row.workP99Ms = Percentile(work, 0.99);
    double total = 0;
    for (double p : periods)
        total += p;
    row.fps = total > 0 ? 1000.0 * static_cast<double>(periods.size()) / total : 0.0;
    return row;
}

void StarryBridge()
{
    Map::getInstance().LoadScene(10);
    for (int i = 0; i < 1400; ++i)
        new UnknownSpinnerStar();
}

std::vector<Screen> Screens()
{
    const auto scene = [](std::int32_t n) { return [n] { Map::getInstance().LoadScene(n); }; };
    // clang-format off
    return {
        {"Eagle bridge + 1,400 stars",        StarryBridge},
        {"First dragon fight (1,000 stars)",  scene(3),                         300},
        {"Eagle fight (1,000 stars)",         scene(12),                        750},
        {"Second dragon fight (1,000 stars)", scene(13),                        400},
        {"Title menu, door rain",             scene(SceneNumber::TitleMenu),    1300},
        {"Settings page",                     scene(SceneNumber::SettingsMenu)},
        {"Village, quiet",                    scene(2)},
        {"Village, dialogue typing",          scene(6)},  // opens with a long dialogue
    };
    // clang-format on
}

std::string Fixed(double value, int decimals)
{
    std::ostringstream text;
    text << std::fixed << std::setprecision(decimals) << value;
    return text.str();
}
} // namespace

int main(int argc, char** argv)
{
    double seconds = 5.0;
    std::string out = "frame-times.md";
    std::string only;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        const std::string flag = argv[i];
        if (flag == "--seconds")
            seconds = std::atof(argv[i + 1]);
        else if (flag == "--out")
            out = argv[i + 1];
        else if (flag == "--only")
            only = argv[i + 1];
    }
    std::vector<Row> rows;
    double startupMs = 0;
    long windowKb = 0;
    try
    {
        StartGame();
        windowKb = StatusKb("VmRSS");
        Map::getInstance().LoadScene(SceneNumber::Splash);
        GameManager::getInstance().Frame(1.0 / 62.5);
        startupMs = static_cast<double>(ClockSystem::Now() - kLaunched) / 1e6;
        for (const Screen& screen : Screens())
        {
            if (screen.name.find(only) == std::string::npos)
                continue;
            rows.push_back(Measure(screen, seconds));
            std::cerr << "measured: " << screen.name << "\n";
        }
    }
    catch (const std::exception& error)
    {
        std::cerr << "hingewalk-frametime: " << error.what() << "\n";
        return 1;
    }

    std::ostringstream report;
    report << "| Screen | Objects | Frame median (ms) | Frame p99 (ms) | Frames on the 16 ms grid | Engine "
              "CPU median "
              "(ms) | Engine CPU p99 (ms) | Frames per second |\n"
           << "|---|---:|---:|---:|---:|---:|---:|---:|\n";
    for (const Row& row : rows)
        report << "| " << row.name << " | " << row.objects << " | " << Fixed(row.medianMs, 2) << " | "
               << Fixed(row.p99Ms, 2) << " | " << Fixed(row.onGrid * 100.0, 1) << " % | "
               << Fixed(row.workMedianMs, 3) << " | " << Fixed(row.workP99Ms, 3) << " | " << Fixed(row.fps, 1)
               << " |\n";
    const long peakKb = StatusKb("VmHWM");
    report
        << "\nStart-up to the first drawn frame: " << Fixed(startupMs, 0) << " ms.\n"
        << "Peak resident memory: " << peakKb / 1024 << " MB, of which " << windowKb / 1024
        << " MB was resident once the window, the font, the sprites and the sounds were loaded (libraries, "
           "the software renderer and the start-up data) and "
        << (peakKb - windowKb) / 1024 << " MB came with the scenes (objects, music streams, voices).\n"
        << "\"Engine CPU\" is the CPU time the game's thread spends from reading input to a finished glyph "
           "batch (events, physics, deletion, drawing into the batch), without handing the batch to the "
           "graphics driver and presenting it; each screen ran "
        << seconds << " s of the real, paced loop.\n";
    std::ofstream(out) << report.str();
    std::cout << report.str();
    WorldManager::getInstance().DestroyEverything();
    if (DialogManager::instanceExists)
        DialogManager::getInstance().UnsubscribeAll();
    return 0;
}
