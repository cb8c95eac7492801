#include "dialogue/DialogManager.hpp"

#include "display/InputManager.hpp"
#include "engine/world/GameManager.hpp"

void DialogManager::StartUp()
{
    DialogManager& dialog = getInstance();
    GameManager::getInstance().tickEvent.Subscribe(&dialog);
    InputManager::getInstance().mouseEvent.Subscribe(&dialog);
    InputManager::getInstance().keyboardEvent.Subscribe(&dialog);
}
