#include "core/ProcessExit.hpp"

#include <cstdlib>

namespace
{
void ExitNow(int code)
{
    std::exit(code);
}

ExitHandler currentHandler = &ExitNow;
} // namespace

void RequestProcessExit(int code)
{
    currentHandler(code);
}

ExitHandler SetProcessExitHandler(ExitHandler handler)
{
    const ExitHandler previous = currentHandler;
    currentHandler = handler != nullptr ? handler : &ExitNow;
    return previous;
}
