// hingewalk-snapshot: renders a scene (or a named test arrangement) for a number of frames with
// the game's own start-up and frame, then saves the window as a PNG. Run it from a game
// directory, under a display (a virtual one is fine):
//
//   hingewalk-snapshot --out FILE.png [--scene N] [--arrangement NAME] [--frames K]
//                      [--dt 0.016] [--size WxH]
//   hingewalk-snapshot --out FILE.png --sprite FILE [--scale S] [--frame K] [--at X,Y] [--world]
//   hingewalk-snapshot --out FILE.png --shot NAME
//   hingewalk-snapshot --list-shots
//
// --scene builds scene N (an unknown number builds an empty world); without --scene and
// --arrangement the splash scene is built. --size sets the window to W x H as is, without the
// 16:9 correction a user resize gets, so letterbox bars show. --sprite shows a sprite file as
// the game draws it: one frame at a place, or every frame side by side with its number. --shot
// renders one of the named review pictures (Shots.cpp) from a fixed random seed; --list-shots
// prints their names, groups and whether they repeat exactly ("name group repeatable|varies").
// --half saves the picture at half size, each pixel the mean of four (reference pictures).
#include "Arrangements.hpp"
#include "GameStartup.hpp"
#include "Shots.hpp"
#include "dialogue/DialogManager.hpp"
#include "display/DisplayManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "world/GameManager.hpp"
#include "world/WorldManager.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>

namespace
{
struct Options
{
    std::string out;
    std::optional<int> scene;
    std::string arrangement;
    int frames = 1;
    double dt = 0.016;
    unsigned width = 0;
    unsigned height = 0;
    SpriteView sprite;
    std::string shot;
    bool framesGiven = false;
    // Saved at half the size, each pixel the mean of four: the form reference pictures keep.
    bool half = false;
};

[[noreturn]] void Usage(const std::string& problem)
{
    std::cerr << "hingewalk-snapshot: " << problem << "\n"
              << "usage: hingewalk-snapshot --out FILE.png [--scene N] [--arrangement NAME] [--frames K]"
                 " [--dt SECONDS] [--size WxH]\n"
                 "       hingewalk-snapshot --out FILE.png --sprite FILE [--scale S] [--frame K] [--at X,Y]"
                 " [--world]\narrangements:";
    for (const std::string& name : ArrangementNames())
        std::cerr << " " << name;
    std::cerr << "\n";
    std::exit(2);
}

Options Parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i)
    {
        const std::string flag = argv[i];
        if (flag == "--world")
        {
            o.sprite.world = true;
            continue;
        }
        if (flag == "--half")
        {
            o.half = true;
            continue;
        }
        if (flag == "--list-shots")
        {
            for (const Shot& shot : Shots())
                std::cout << shot.name << " " << shot.group << " "
                          << (shot.repeatable ? "repeatable" : "varies") << "\n";
            std::exit(0);
        }
        if (i + 1 >= argc)
            Usage("missing value after " + flag);
        const std::string value = argv[++i];
        try
        {
            if (flag == "--out")
                o.out = value;
            else if (flag == "--scene")
                o.scene = std::stoi(value);
            else if (flag == "--arrangement")
                o.arrangement = value;
            else if (flag == "--frames")
            {
                o.frames = std::stoi(value);
                o.framesGiven = true;
            }
            else if (flag == "--shot")
                o.shot = value;
            else if (flag == "--sprite")
                o.sprite.file = value;
            else if (flag == "--scale")
                o.sprite.scale = std::stod(value);
            else if (flag == "--frame")
                o.sprite.frame = std::stoi(value);
            else if (flag == "--at")
            {
                const std::size_t comma = value.find(',');
                if (comma == std::string::npos)
                    Usage("--at wants X,Y");
                o.sprite.at = {std::stod(value.substr(0, comma)), std::stod(value.substr(comma + 1))};
            }
            else if (flag == "--dt")
                o.dt = std::stod(value);
            else if (flag == "--size")
            {
                const std::size_t x = value.find('x');
                if (x == std::string::npos)
                    Usage("--size wants WxH");
                o.width = static_cast<unsigned>(std::stoul(value.substr(0, x)));
                o.height = static_cast<unsigned>(std::stoul(value.substr(x + 1)));
            }
            else
                Usage("unknown option " + flag);
        }
        catch (const std::logic_error&)
        {
            Usage("bad value for " + flag + ": " + value);
        }
    }
    if (o.out.empty())
        Usage("--out is required");
    if (int(o.scene.has_value()) + int(!o.arrangement.empty()) + int(!o.sprite.file.empty()) +
            int(!o.shot.empty()) >
        1)
        Usage("give one of --scene, --arrangement, --sprite and --shot");
    if (!o.shot.empty())
    {
        const Shot* shot = FindShot(o.shot);
        if (shot == nullptr)
            Usage("no shot named " + o.shot + " (see --list-shots)");
        if (!o.framesGiven)
            o.frames = shot->frames;
        o.dt = 1.0 / 62.5;
    }
    if (o.frames < 0 || (o.width == 0) != (o.height == 0))
        Usage("bad --frames or --size");
    return o;
}

void SetWindowSize(unsigned width, unsigned height)
{
    DisplayManager& display = DisplayManager::getInstance();
    display.window.setSize({width, height});
    // Drop the window's own resize notice so that the first frame does not correct the shape.
    if (display.window.getSize() != sf::Vector2u(width, height))
        std::cerr << "hingewalk-snapshot: warning: the window is " << display.window.getSize().x << "x"
                  << display.window.getSize().y << "\n";
    while (display.window.pollEvent())
    {
    }
    display.ApplyLetterbox(display.window.getSize().x, display.window.getSize().y);
}

sf::Image HalfSize(const sf::Image& image)
{
    const sf::Vector2u size{image.getSize().x / 2, image.getSize().y / 2};
    sf::Image half(size);
    for (unsigned y = 0; y < size.y; ++y)
        for (unsigned x = 0; x < size.x; ++x)
        {
            unsigned sum[4] = {0, 0, 0, 0};
            for (unsigned dy = 0; dy < 2; ++dy)
                for (unsigned dx = 0; dx < 2; ++dx)
                {
                    const sf::Color c = image.getPixel({2 * x + dx, 2 * y + dy});
                    sum[0] += c.r, sum[1] += c.g, sum[2] += c.b, sum[3] += c.a;
                }
            half.setPixel({x, y}, sf::Color(static_cast<std::uint8_t>(sum[0] / 4),
                                            static_cast<std::uint8_t>(sum[1] / 4),
                                            static_cast<std::uint8_t>(sum[2] / 4),
                                            static_cast<std::uint8_t>(sum[3] / 4)));
        }
    return half;
}

bool Save(const std::string& path, bool half)
{
    sf::RenderWindow& window = DisplayManager::getInstance().window;
    sf::Texture capture(window.getSize());
    capture.update(window);
    const sf::Image image = capture.copyToImage();
    return (half ? HalfSize(image) : image).saveToFile(path);
}
} // namespace

int main(int argc, char** argv)
{
    const Options options = Parse(argc, argv);
    try
    {
        StartGame();
        if (options.width)
            SetWindowSize(options.width, options.height);
        if (!options.shot.empty())
        {
            // The same seed every time: water, stars and particles fall the same way.
            std::srand(1);
            FindShot(options.shot)->build();
        }
        else if (!options.sprite.file.empty())
            ShowSprite(options.sprite);
        else if (!options.arrangement.empty())
        {
            if (!BuildArrangement(options.arrangement))
                Usage("no arrangement named " + options.arrangement);
        }
        else
        {
            Map::getInstance().LoadScene(options.scene.value_or(SceneNumber::Splash));
        }
        GameManager& game = GameManager::getInstance();
        for (int frame = 0; frame < options.frames; ++frame)
            if (!game.Frame(options.dt))
                throw std::runtime_error("the window was closed");
        if (!Save(options.out, options.half))
            throw std::runtime_error("cannot write " + options.out);
    }
    catch (const std::exception& error)
    {
        std::cerr << "hingewalk-snapshot: " << error.what() << "\n";
        return 1;
    }
    WorldManager::getInstance().DestroyEverything();
    if (DialogManager::instanceExists)
        DialogManager::getInstance().UnsubscribeAll();
    std::cout << options.out << "\n";
    return 0;
}
