#pragma once

#include <string>

// A spoken recording that may be missing: the game plays without any of them. It remembers the
// clip it started, so that the clip can be stopped, paused or asked whether it has ended. The
// sound itself belongs to the resource manager, under the clip's name.
class VoiceClip
{
public:
    enum class Track
    {
        Dialogue, // the "Dialogue Volume" setting
        Effects,  // the "SFX Volume" setting
    };

    // Stops the clip playing and starts "dialog/<name>.mp3", if there is such a file. False when
    // there is not: then nothing plays.
    bool Play(const std::string& name, Track track = Track::Dialogue);
    void Stop();
    void Pause();
    void Resume();
    // Nothing started, or what started has ended or was stopped.
    bool Finished() const;
    // The name of the clip started last; empty when none plays.
    const std::string& Name() const { return playing; }

private:
    std::string playing;
};
