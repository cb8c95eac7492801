// The music scores' reader: a mistake here would change the music without any error.
#include "Score.hpp"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
const std::string kHead = "tempo 120\nmeter 4\ninstrument lead\ninstrument bass\n";

// Each event as "beat:length:pitch:velocity:instrument".
std::vector<std::string> Written(const std::vector<synth::Event>& events)
{
    std::vector<std::string> out;
    char line[64];
    for (const synth::Event& e : events)
    {
        std::snprintf(line, sizeof line, "%g:%g:%g:%g:%d", e.beat, e.lengthBeats, e.midi, e.velocity,
                      e.instrument);
        out.emplace_back(line);
    }
    return out;
}
} // namespace

TEST(ScoreParser, AnErrorNamesTheFileAndTheLine)
{
    const std::pair<std::string, std::string> cases[] = {
        {"pattern tune lead\n  | C4 D4 E4 |\nsong",
         "music/tune.txt:6: bar 1 holds 1.5 beats, the meter says 4"                                     },
        {"pattern tune lead\n  | C4 H4 E4 F4 . . . . |",
         "music/tune.txt:6: 'H4' is not a note name (like C4, F#3, Bb2)"                                 },
        {"section A bars=1\n  melody: tuen\nsong A",     "music/tune.txt:6: no pattern named 'tuen'"     },
        {"pattern tune lead\n  | C4:8 |\n# the end",     "music/tune.txt:6: the score has no 'song' line"}
    };
    for (const auto& [body, message] : cases)
    {
        try
        {
            synth::ParseScore(kHead + body, "music/tune.txt");
            ADD_FAILURE() << "no error for: " << body;
        }
        catch (const synth::ScoreError& error)
        {
            EXPECT_EQ(error.what(), message);
        }
    }
}

TEST(ScoreParser, NotesRestsHoldsAndRingsLastWhatTheyAreWritten)
{
    // Steps of half a beat, sounding for half their length: a rest, a note held for four steps, one
    // ringing two steps on, accents and a soft chord.
    const synth::Score score =
        synth::ParseScore(kHead + "pattern tune lead step=1/2 gate=1/2\n  | C4 . D4:3 - E4!~2 F#4+A4? "
                                  "|\nsection A bars=1\n  m: tune\nsong A",
                          "tune.txt");
    ASSERT_EQ(score.patterns.size(), 1u);
    EXPECT_EQ(score.patterns[0].lengthBeats, 4.0);
    EXPECT_EQ(Written(score.patterns[0].events),
              (std::vector<std::string>{"0:0.25:60:0.8:0", "1:1:62:0.8:0", "3:0.75:64:1:0",
                                        "3.5:0.25:66:0.5:0", "3.5:0.25:69:0.5:0"}));
    double midi = 0.0;
    // clang-format off
    for (const auto& [name, expected] : {std::pair{"Bb2", 46.0}, {"B#3", 60.0}, {"Cb4", 59.0}, {"A4", 69.0}})
    // clang-format on
    {
        EXPECT_TRUE(synth::ParseNoteName(name, midi));
        EXPECT_EQ(midi, expected) << name;
    }
}

TEST(ScoreParser, RepeatsTranspositionsRestBarsAndSongRepeatsExpandInOrder)
{
    const synth::Score score =
        synth::ParseScore(kHead + "pattern hit lead step=4\n  | C4 |\n"
                                  "section A bars=3\n  top: hit+12*2\n  low: rest hit-12@bass\n"
                                  "song A*2",
                          "tune.txt");
    EXPECT_EQ(score.TotalBeats(), 24.0);
    EXPECT_EQ(Written(score.Flatten()),
              (std::vector<std::string>{"0:4:72:0.8:0", "4:4:72:0.8:0", "4:4:48:0.8:1", "12:4:72:0.8:0",
                                        "16:4:72:0.8:0", "16:4:48:0.8:1"}));
}
