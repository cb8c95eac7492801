#pragma once

#include "core/Events.hpp"

#include <stdexcept>

// The managers that exist, each with the way back to a fresh program's state. Tests reset them
// all between cases; the game never needs to.
namespace managers
{
// Lower stages reset first. Stage 0 is for the world: destroying its objects still reaches the
// other managers, which are reset after it.
void Register(void (*reset)(), int stage);
void ResetAll();
} // namespace managers

// Base of every singleton service. The one instance of T is a function-local static, built on
// first use and destroyed at exit in reverse order of construction, so its address (and the
// events inside it) never change while the program runs. A manager with state of its own
// defines `void Reset()` beside its fields, putting them back as a fresh program has them.
template <typename T> class Manager : public EventReceiver
{
public:
    static inline bool instanceExists = false;
    static constexpr int kResetStage = 1;

    Manager()
    {
        if (instanceExists)
            throw std::logic_error("Manager: an instance already exists! Only one instance is allowed.");
        instanceExists = true;
        managers::Register(&ResetInstance, T::kResetStage);
    }
    ~Manager() override { instanceExists = false; }

    static T& getInstance()
    {
        static T instance;
        return instance;
    }

    // Managers without state of their own have nothing to reset.
    void Reset() {}

private:
    static void ResetInstance()
    {
        if (instanceExists)
            getInstance().Reset();
    }
};
