#include "Arrangements.hpp"

#include "display/DisplayManager.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "world/GameObject.hpp"

#include <algorithm>
#include <functional>
#include <utility>

namespace
{
struct Placed
{
    std::string text;
    sf::Color colour;
    double x, y;
    bool screenFixed = true;
    double depth = 0.0;
};

GameObject* Place(const Placed& p)
{
    auto* object = new GameObject();
    object->SetSprite(Sprite::FromText(p.text));
    object->sprite.colour = p.colour;
    object->sprite.followsCamera = !p.screenFixed;
    object->x = p.x;
    object->y = p.y;
    object->depth = p.depth;
    return object;
}

GameObject* PlaceSprite(const Sprite& sprite, double x, double y, double scale)
{
    auto* object = new GameObject();
    object->SetSprite(sprite);
    object->sprite.scale = scale;
    object->x = x;
    object->y = y;
    return object;
}

// Screen-fixed units: x within +-17.78, y within +-10. The camera stands at (4, 2) with the run-time
// half-height of 12, so a camera-following object at camera + (a, b) shows at screen (a, b) x 10 / 12.
void Glyphs()
{
    DisplayManager& display = DisplayManager::getInstance();
    display.cameraPosition = {4.0, 2.0};
    const sf::Color orange(255, 150, 40);

    // Character set rows, left half.
    Place({"GLYPHS: every picture is coloured text on a 0.32 x 0.7 cell grid", sf::Color::White, 0.0, 9.0});
    Place({"ABCDEFGHIJKLMNOPQRSTUVWXYZ", sf::Color::Red, -8.0, 7.5});
    Place({"abcdefghijklmnopqrstuvwxyz", orange, -8.0, 6.6});
    Place({"0123456789 !?#%&*()[]{}<>/\\|", sf::Color::Yellow, -8.0, 5.7});
    Place({"Latin-1 bytes: caf\xe9 \xfc\xdf \xa9 \xb0 \xb1", sf::Color::Cyan, -8.0, 4.8});
    Place({"dollar cells show nothing: [$$$] [   ]", sf::Color::White, -8.0, 3.9});

    // Scales: the glyphs and the cells grow together.
    GameObject* big = Place({"scale 2", sf::Color::Yellow, -10.0, 1.5});
    big->sprite.scale = 2.0;
    GameObject* small = Place({"scale 0.5 (small)", sf::Color::Yellow, -10.0, 0.0});
    small->sprite.scale = 0.5;

    // The player's door from the shared sprites, camera-following, at scale 1 and 2.
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    if (!data.doorSprite.frames.empty())
    {
        PlaceSprite(data.doorSprite, 4.0 + 10.0, 2.0 + 7.0, 1.0);
        PlaceSprite(data.doorSprite, 4.0 + 16.0, 2.0 + 6.0, 2.0);
        Place({"doors at scale 1 and 2 (camera-following)", sf::Color::White, 10.0, 1.8});
    }

    // The centre: a camera-following '+' at the camera and a screen-fixed 'x' at (0, 0) coincide.
    Place({"+", sf::Color::White, 4.0, 2.0, false});
    Place({"x", sf::Color::Red, 0.0, 0.0, true, 1.0});
    Place({"camera '+' and screen (0,0) 'x' at the centre", sf::Color::White, 0.0, -0.8});
    // The 'o' is the world origin, 4 left of and 2 below the camera: 120 px left and 60 px down.
    Place({"o <- world (0,0)", sf::Color::Green, 15 * 0.16, 0.0, false});

    // A field beneath three blocks: a whole-block box, per-run boxes and no box.
    std::string water;
    for (int row = 0; row < 6; ++row)
        water += std::string(row ? "\n" : "") + std::string(24, '~');
    Place({water, sf::Color(60, 120, 255), 6.0, -5.0, true, -1.0});
    GameObject* whole = Place({"WHOLE\nBOX", sf::Color::White, 4.0, -5.0, true, 1.0});
    whole->sprite.background = true;
    GameObject* runs = Place({"run$run  x\n\nper run", sf::Color::Magenta, 8.0, -5.0, true, 1.0});
    runs->sprite.background = runs->sprite.backgroundPerRun = true;
    Place({"no box: see through", sf::Color::Green, 6.0, -6.6, true, 1.0});

    // Corners of the screen-fixed area and a block cut off at the right edge.
    Place({"TL", sf::Color::White, -17.78 + 0.32, 10.0 - 0.35});
    Place({"BR", sf::Color::White, 17.78 - 0.32, -10.0 + 0.35});
    Place({"cut off at the edge >>>>>>>>>>", orange, 17.0, -8.5});
}

const std::vector<std::pair<std::string, std::function<void()>>>& Table()
{
    static const std::vector<std::pair<std::string, std::function<void()>>> table = {
        {"glyphs", Glyphs},
    };
    return table;
}
} // namespace

bool BuildArrangement(const std::string& name)
{
    for (const auto& [entry, build] : Table())
        if (entry == name)
        {
            build();
            return true;
        }
    return false;
}

std::vector<std::string> ArrangementNames()
{
    std::vector<std::string> names;
    for (const auto& entry : Table())
        names.push_back(entry.first);
    return names;
}

void ShowSprite(const SpriteView& view)
{
    const Sprite sprite = ResourceManager::LoadSprite(view.file);
    const auto frameCount = static_cast<int>(sprite.frames.size());
    const double halfHeight = view.world ? 12.0 : 10.0;
    DisplayManager::getInstance().cameraPosition = {0.0, 0.0};
    const auto show = [&](int frame, double x, double y)
    {
        GameObject* object = PlaceSprite(sprite, x, y, view.scale);
        object->sprite.frameIndex = frame;
        object->sprite.frameSlowdown = -1;
        object->sprite.followsCamera = view.world;
        return object;
    };
    if (view.frame >= 0)
    {
        show(view.frame, view.at.first, view.at.second);
        return;
    }
    // Every frame, left to right and top to bottom, each in a cell one frame plus a margin wide.
    const double cellW = (sprite.width + 2) * 0.32 * view.scale;
    const double cellH = (sprite.height + 2) * 0.7 * view.scale;
    const double screenW = 2.0 * halfHeight * 16.0 / 9.0;
    const int perRow = std::max(1, static_cast<int>(screenW / cellW));
    for (int frame = 0; frame < frameCount; ++frame)
    {
        const double x = -screenW / 2 + cellW * (frame % perRow + 0.5);
        const double y = halfHeight - cellH * (frame / perRow + 0.5);
        show(frame, x, y);
        GameObject* label = Place({std::to_string(frame), sf::Color(120, 120, 120), x,
                                   y - sprite.height * 0.35 * view.scale - 0.75, !view.world});
        label->depth = -1.0;
    }
}
