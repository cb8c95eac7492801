#pragma once

// The world's units: one character cell is kCellWidth wide and kCellHeight high. Positions are
// doubles with the origin at the centre of the drawing area and y pointing up.
constexpr double kCellWidth = 0.32;
constexpr double kCellHeight = 0.7;
// Screen-fixed objects (menus, panels, fights) see this many units above and below the centre,
// whatever the camera shows of the world.
constexpr double kScreenHalfHeight = 10.0;

struct WorldPoint
{
    double x = 0.0;
    double y = 0.0;
};
