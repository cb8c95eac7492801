#include "world/PhysicsManager.hpp"

#include "display/DisplayManager.hpp"
#include "world/GameObject.hpp"
#include "world/WorldManager.hpp"

#include <algorithm>
#include <cmath>

namespace
{
// Brings a camera-following box into the coordinates of screen-fixed objects.
PhysicsManager::Box ToScreenFixed(PhysicsManager::Box box, const DisplayManager& display)
{
    const double f = display.ScreenUnitsPerWorldUnit();
    const WorldPoint camera = display.cameraPosition;
    return {(box.left - camera.x) * f, (box.right - camera.x) * f, (box.bottom - camera.y) * f,
            (box.top - camera.y) * f};
}
} // namespace

PhysicsManager::Box PhysicsManager::BoxAt(const GameObject& object, double px, double py)
{
    const double cx = px + object.boxOffsetX;
    const double cy = py + object.boxOffsetY;
    return {cx - object.boxWidth * 0.5, cx + object.boxWidth * 0.5, cy - object.boxHeight * 0.5,
            cy + object.boxHeight * 0.5};
}

bool PhysicsManager::Touch(GameObject& mover, double px, double py, GameObject& other, bool& wasReported)
{
    if (mover.solidness == Spectral || other.solidness == Spectral)
        return false;
    Box a = BoxAt(mover, px, py);
    Box b = BoxAt(other, other.x, other.y);
    if (mover.sprite.followsCamera != other.sprite.followsCamera)
    {
        const DisplayManager& display = DisplayManager::getInstance();
        if (mover.sprite.followsCamera)
            a = ToScreenFixed(a, display);
        else
            b = ToScreenFixed(b, display);
    }
    const bool overlap = b.right > a.left && a.right > b.left && b.top > a.bottom && a.top > b.bottom;
    if (!overlap)
        return false;
    if (!wasReported)
    {
        wasReported = true;
        collisionEvent.first = &mover;
        collisionEvent.second = &other;
        collisionEvent.Publish();
    }
    return mover.solidness == Solid && other.solidness == Solid;
}

void PhysicsManager::Reset()
{
    outEvent = EventOut();
    collisionEvent = EventCollision();
    delta = 0.0;
}

void PhysicsManager::Update()
{
    const std::vector<GameObject*> all = WorldManager::getInstance().GetAllObjects();
    const DisplayManager& display = DisplayManager::getInstance();

    const auto area = [&](double halfHeight)
    {
        const double pixelsPerUnit = display.PixelsPerUnit(halfHeight);
        return pixelsPerUnit > 0.0 ? Area{display.letterboxWidth / pixelsPerUnit, 2.0 * halfHeight} : Area{};
    };
    cameraArea = area(display.cameraHalfHeight);
    screenArea = area(kScreenHalfHeight);
    reported.assign(all.size(), 0);

    for (std::size_t i = 0; i < all.size(); ++i)
    {
        GameObject& mover = *all[i];
        if (mover.velocityX * mover.velocityX + mover.velocityY * mover.velocityY == 0.0)
            continue;
        Move(mover, i, all);
    }
}

void PhysicsManager::Move(GameObject& mover, std::size_t index, const std::vector<GameObject*>& all)
{
    std::fill(reported.begin(), reported.end(), 0);
    double dx = mover.velocityX * delta;
    double dy = mover.velocityY * delta;
    double px = mover.x;
    double py = mover.y;

    if (mover.solidness == Spectral)
    {
        px += dx;
        py += dy;
    }
    else
    {
        double step = std::min(mover.boxWidth, mover.boxHeight);
        if (step <= 0.0)
            step = 0.01;
        const int k = std::max(1, static_cast<int>(std::ceil(std::sqrt(dx * dx + dy * dy) / step)));
        const double dx0 = dx;
        const double dy0 = dy;
        for (int attempt = 0;; ++attempt)
        {
            for (int s = 1; s <= k; ++s)
            {
                const double cx = px + dx / k;
                const double cy = py + dy / k;
                bool blocked = false;
                for (std::size_t j = 0; j < all.size(); ++j)
                {
                    if (j == index)
                        continue;
                    bool flag = reported[j] != 0;
                    if (Touch(mover, cx, cy, *all[j], flag))
                        blocked = true;
                    reported[j] = flag ? 1 : 0;
                }
                if (blocked)
                    break;
                px = cx;
                py = cy;
            }
            const bool noProgress = px == mover.x && py == mover.y;
            if (!(mover.slides && noProgress && attempt < 2))
                break;
            dx = attempt == 0 ? dx0 : 0.0;
            dy = attempt == 0 ? 0.0 : dy0;
        }
    }
    mover.x = px;
    mover.y = py;
    TestOut(mover);
}

void PhysicsManager::TestOut(GameObject& mover)
{
    double qx = mover.x;
    double qy = mover.y;
    Area visible = screenArea;
    if (mover.sprite.followsCamera)
    {
        const WorldPoint camera = DisplayManager::getInstance().cameraPosition;
        qx -= camera.x;
        qy -= camera.y;
        visible = cameraArea;
    }
    if (qx > visible.width * 0.5 || qx < -visible.width * 0.5 || qy > visible.height * 0.5 ||
        qy < -visible.height * 0.5)
    {
        outEvent.object = &mover;
        outEvent.Publish();
    }
}
