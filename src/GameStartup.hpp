#pragma once

// Builds and starts every manager in the game's start-up order, loads the settings and the
// shared sprites and sounds, and sets the camera and loading length; the first scene and the
// loop are the caller's. Throws on a missing window, font, sprite or sound file.
void StartGame();
