#pragma once

#include "core/Manager.hpp"

#include <fstream>

// Owns "log.txt", which start-up creates empty. Nothing writes to it.
class LogManager : public Manager<LogManager>
{
public:
    std::ofstream logFile;

    static void StartUp();
};
