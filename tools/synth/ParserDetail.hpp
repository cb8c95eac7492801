#pragma once

// The score parser's internals, shared by ScoreParser.cpp (file structure, directives and
// instruments) and PatternParser.cpp (patterns, grids, chords, sections, song).
#include "Score.hpp"

#include <functional>
#include <list>
#include <map>
#include <string>
#include <vector>

namespace synth::detail
{

struct Token;

struct Line
{
    const std::string* source = nullptr;
    int number = 0;
    bool indented = false;
    std::vector<std::string> words;
};

class Parser
{
public:
    Parser(const std::string& text, const std::string& fileName) : file(fileName)
    {
        Split(text, fileName, 0);
    }

    Score Run();

private:
    std::string file;
    std::list<std::string> sources; // stable addresses for Line::source
    std::vector<Line> lines;
    std::size_t pos = 0;
    Score score;
    std::map<std::string, int> instrumentIndex;
    std::map<std::string, int> patternIndex;
    std::map<std::string, int> sectionIndex;

    [[noreturn]] void Fail(const Line& line, const std::string& message) const
    {
        throw ScoreError(*line.source + ":" + std::to_string(line.number) + ": " + message);
    }

    void Split(const std::string& text, const std::string& name, int depth);
    double Number(const Line& l, const std::string& word) const;
    double NumberAt(const Line& l, std::size_t i) const;
    std::vector<Line> Body();
    std::map<std::string, std::string> Options(const Line& l, std::size_t first) const;

    void Directive(const Line& l);
    void ParseInstrument(const Line& head);
    void InstrumentProperty(Instrument& ins, const Line& l);
    FilterSpec Filter(const Line& l, std::size_t i) const;
    void ParseNotes(const Line& head);
    void ParseGrid(const Line& head);
    void ParseChords(const Line& head);
    void ParseSection(const Line& head);
    void ParseSong(const Line& l);
    void CheckBar(const Line& l, double beats, int bar, bool free) const;

    // The bar being filled: '|' and each line end check its beats against the meter.
    struct Bars
    {
        int bar = 1;
        double beats = 0.0;
    };
    void EndBar(const Line& l, Bars& bars, bool free) const;

    // Reads the body of a note or chord pattern word by word: '|' ends a bar, every other word
    // is a token lasting its steps * step beats, handed over with the beat it starts on.
    // Returns the pattern's length in beats.
    using TokenHandler = std::function<void(const Line&, const Token&, double cursor, double beats)>;
    double WalkTokens(double step, bool free, const TokenHandler& onToken);
    int InstrumentNamed(const Line& l, const std::string& name) const;
    void AddPattern(Pattern p, const Line& head);
    void Validate() const;
};

// Reads a pitch class ("C", "F#", "Bb") from the start of text; used tells how many characters.
bool PitchClass(const std::string& text, std::size_t& used, int& pc);

} // namespace synth::detail
