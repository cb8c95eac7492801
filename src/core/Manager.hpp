#pragma once

#include "core/Events.hpp"

#include <stdexcept>

// Base of every singleton service. The one instance of T is a function-local static, built on
// first use and destroyed at exit in reverse order of construction, so its address (and the
// events inside it) never change while the program runs.
template <typename T> class Manager : public EventReceiver
{
public:
    static inline bool instanceExists = false;

    Manager()
    {
        if (instanceExists)
            throw std::logic_error("Manager: an instance already exists! Only one instance is allowed.");
        instanceExists = true;
    }
    ~Manager() override { instanceExists = false; }

    static T& getInstance()
    {
        static T instance;
        return instance;
    }
};
