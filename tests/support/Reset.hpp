#pragma once

namespace testsupport
{
// Puts every singleton that exists back to the state of a fresh program (world emptied, events
// without subscribers, store and settings at their defaults, audio stopped) and removes the
// settings file of the working directory. TestMain runs it before and after every test.
void ResetSingletons();
} // namespace testsupport
