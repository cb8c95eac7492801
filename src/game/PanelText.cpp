#include "game/PanelText.hpp"

#include "display/DisplayManager.hpp"

void DrawPanelText(WorldPoint at, const std::string& text, sf::Color colour, double viewHalfHeight,
                   double textScale)
{
    if (!DisplayManager::started)
        return;
    CellDrawOptions options;
    options.centred = true;
    options.background = true;
    options.textScale = textScale;
    options.viewHalfHeight = viewHalfHeight;
    DisplayManager::getInstance().DrawCells(at, text, colour, options);
}
