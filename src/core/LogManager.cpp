#include "core/LogManager.hpp"

#include <iostream>

void LogManager::StartUp()
{
    LogManager& log = getInstance();
    log.logFile.open("log.txt", std::ios::out | std::ios::trunc);
    if (!log.logFile.is_open())
        std::cerr << "Error: Could not open the file!\n";
}
