#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace synth
{

// A score as read from a text file: instruments (how a note sounds), patterns (what is
// played), sections (patterns stacked on lanes) and the song (sections in order).
// Every time or decay parameter is in seconds; decays are the time to fall by 60 dB.

enum class Wave
{
    None,
    Sine,
    Triangle,
    Saw,
    Square,
    Pulse,
    Noise,
    SuperSaw,
    Fm,
    Pluck,
    Partials,
    Impulse
};

enum class FilterType
{
    None,
    LowPass,
    HighPass,
    BandPass
};

struct FilterSpec
{
    FilterType type = FilterType::None;
    double cutoff = 1000.0;
    double q = 0.707;
};

struct Formant
{
    double freq;
    double q;
    double gain;
};

struct Partial
{
    double ratio;
    double amp;
    double decay; // 0: held by the envelope
};

struct BendPoint
{
    double time;
    double semitones;
};

struct Instrument
{
    std::string name;
    int line = 0;

    Wave wave = Wave::Sine;
    double duty = 0.5;
    int unison = 1;
    double detuneCents = 0.0;
    double fmRatio = 1.0;
    double fmIndex = 0.0;
    double fmDecay = 0.0;
    double fmSustain = 0.0;
    double pluckDecay = 1.0;
    double pluckBright = 0.5;
    std::vector<Partial> partials;
    double jitter = 0.0;

    double attack = 0.005;
    double decay = 0.2;
    double sustain = 1.0;
    double release = 0.08;

    FilterSpec filter;
    double filterEnvOct = 0.0;
    double filterEnvDecay = 0.3;
    double keyTrack = 0.0;
    std::vector<Formant> formants;

    double sweepSemis = 0.0;
    double sweepTime = 0.05;
    std::vector<BendPoint> bend;
    double vibRate = 0.0;
    double vibDepth = 0.0;
    double vibDelay = 0.0;
    double tremRate = 0.0;
    double tremDepth = 0.0;

    double noiseLevel = 0.0;
    double noiseDecay = 0.0; // 0: follows the amplitude envelope
    FilterSpec noiseFilter;
    double drive = 0.0;

    double volumeDb = -6.0;
    double pan = 0.0;
    double reverbSend = 0.0;
    double echoBeats = 0.0;
    double echoFeedback = 0.0;
    double echoMix = 0.0;
    double chorusMix = 0.0;
    double chorusDepthMs = 3.0;
    double chorusRate = 0.8;

    double transpose = 0.0;
    int note = 60; // pitch of grid hits
    double humanTimeMs = 0.0;
    double humanVel = 0.0;
    double velocityCurve = 1.0;
};

struct Event
{
    double beat;
    double lengthBeats;
    int instrument;
    double midi;
    double velocity;
    bool pitched; // grid hits keep their instrument's pitch under transposition
};

struct Pattern
{
    std::string name;
    int line = 0;
    double lengthBeats = 0.0;
    std::vector<Event> events;
};

struct LaneItem
{
    int pattern; // -1: a bar of rest
    double transpose;
    int repeat;
    int instrument; // -1: the pattern's own
};

struct Section
{
    std::string name;
    int line = 0;
    int bars = 0;
    std::vector<std::vector<LaneItem>> lanes;
};

enum class Mode
{
    Loop,
    OneShot
};

struct Score
{
    std::string file;
    std::string title;
    double tempo = 120.0;
    int beatsPerBar = 4;
    double swing = 0.0;
    double swingUnit = 0.5;
    Mode mode = Mode::Loop;
    double reverbSize = 0.5;
    double reverbDamp = 0.5;
    double reverbWidth = 1.0;
    double levelDb = -18.0;
    double tailSeconds = 1.5;
    // A quiet sine held through the whole loop so its first and last samples are never
    // silent; humDb <= -200 means none.
    double humMidi = 0.0;
    double humDb = -999.0;

    std::vector<Instrument> instruments;
    std::vector<Pattern> patterns;
    std::vector<Section> sections;
    std::vector<int> song;

    double SecondsPerBeat() const { return 60.0 / tempo; }
    double TotalBeats() const;
    // Every note of the song with its beat counted from the start of the song.
    std::vector<Event> Flatten() const;
};

class ScoreError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

Score ParseScore(const std::string& text, const std::string& fileName);

// Note names such as "C4", "F#3" or "Bb2" (A4 = 69); returns false when the text is not one.
bool ParseNoteName(const std::string& text, double& midi);

} // namespace synth
