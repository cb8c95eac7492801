#pragma once

#include <functional>
#include <string>
#include <vector>

// The pictures of the game worth reviewing, by name: every scene, the pause page, a dialogue
// per speaker, the panels and the fights with their menus. Each is built the way the game gets
// there and then run for its frames at 1/62.5 s, from a fixed random seed, so that the same
// build draws the same picture every time (the loading screen excepted: it seeds itself from
// the clock).
struct Shot
{
    std::string name;
    std::string group;
    std::function<void()> build;
    int frames = 10;
    // Drawn the same on every run, so it can be compared with a reference picture.
    bool repeatable = true;
};

const std::vector<Shot>& Shots();
const Shot* FindShot(const std::string& name);
