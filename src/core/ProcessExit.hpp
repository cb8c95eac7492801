#pragma once

// Ends the process from inside a frame (the quit scene, the quit-at-once button). Tests swap
// the handler to observe the request without ending the test process.
using ExitHandler = void (*)(int code);

void RequestProcessExit(int code);
// Installs a handler and returns the previous one.
ExitHandler SetProcessExitHandler(ExitHandler handler);
