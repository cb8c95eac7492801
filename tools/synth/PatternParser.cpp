// Patterns (notes, drum grids, chords), sections and the song line of a score.
#include "ParserDetail.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace synth::detail
{

// Splits "TOKEN:3" into the token and its step count, and strips the accent marks.
struct Token
{
    std::string body;
    double steps = 1.0;
    double ring = 0.0; // steps the note sounds on after its written length
    double velocity = 0.8;
};

namespace
{

bool IsNameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Intervals above the root for the chord qualities the scores use.
bool ChordIntervals(const std::string& quality, std::vector<int>& out)
{
    static const std::map<std::string, std::vector<int>> table = {
        {"",      {0, 4, 7}        },
        {"m",     {0, 3, 7}        },
        {"7",     {0, 4, 7, 10}    },
        {"maj7",  {0, 4, 7, 11}    },
        {"m7",    {0, 3, 7, 10}    },
        {"mmaj7", {0, 3, 7, 11}    },
        {"dim",   {0, 3, 6}        },
        {"dim7",  {0, 3, 6, 9}     },
        {"m7b5",  {0, 3, 6, 10}    },
        {"aug",   {0, 4, 8}        },
        {"sus2",  {0, 2, 7}        },
        {"sus4",  {0, 5, 7}        },
        {"7sus4", {0, 5, 7, 10}    },
        {"6",     {0, 4, 7, 9}     },
        {"m6",    {0, 3, 7, 9}     },
        {"add9",  {0, 4, 7, 14}    },
        {"madd9", {0, 3, 7, 14}    },
        {"9",     {0, 4, 7, 10, 14}},
        {"m9",    {0, 3, 7, 10, 14}},
        {"maj9",  {0, 4, 7, 11, 14}},
        {"5",     {0, 7}           },
        {"7b9",   {0, 4, 7, 10, 13}},
        {"m11",   {0, 3, 7, 10, 17}},
        {"69",    {0, 4, 7, 9, 14} },
    };
    const auto it = table.find(quality);
    if (it == table.end())
        return false;
    out = it->second;
    return true;
}

// Chord tones folded into the octave [low, low + 12); a slash bass goes in the octave below.
bool ChordNotes(const std::string& symbol, int low, std::vector<double>& notes, double& bass, bool& hasBass)
{
    std::string main = symbol;
    hasBass = false;
    const auto slash = symbol.find('/');
    if (slash != std::string::npos)
    {
        main = symbol.substr(0, slash);
        std::size_t used = 0;
        int pc = 0;
        const std::string b = symbol.substr(slash + 1);
        if (!PitchClass(b, used, pc) || used != b.size())
            return false;
        bass = low - 12 + ((pc - low) % 12 + 12) % 12;
        hasBass = true;
    }
    std::size_t used = 0;
    int root = 0;
    if (!PitchClass(main, used, root))
        return false;
    std::vector<int> intervals;
    if (!ChordIntervals(main.substr(used), intervals))
        return false;
    notes.clear();
    for (int iv : intervals)
    {
        const int pc = (root + iv) % 12;
        notes.push_back(low + ((pc - low) % 12 + 12) % 12);
    }
    std::sort(notes.begin(), notes.end());
    notes.erase(std::unique(notes.begin(), notes.end()), notes.end());
    return true;
}

Token ReadToken(const std::string& word, double (*toNumber)(const std::string&, bool&), bool& ok)
{
    Token t;
    t.body = word;
    ok = true;
    const auto tilde = t.body.find('~');
    if (tilde != std::string::npos)
    {
        t.ring = toNumber(t.body.substr(tilde + 1), ok);
        t.body = t.body.substr(0, tilde);
        if (!ok || t.ring < 0.0)
        {
            ok = false;
            return t;
        }
    }
    const auto colon = t.body.find(':');
    if (colon != std::string::npos)
    {
        t.steps = toNumber(t.body.substr(colon + 1), ok);
        t.body = t.body.substr(0, colon);
        if (t.steps <= 0.0)
            ok = false;
    }
    while (!t.body.empty() && (t.body.back() == '!' || t.body.back() == '?'))
    {
        t.velocity = t.body.back() == '!' ? 1.0 : 0.5;
        t.body.pop_back();
    }
    return t;
}

double PlainNumber(const std::string& s, bool& ok)
{
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    ok = !s.empty() && end == s.c_str() + s.size();
    return v;
}

} // namespace

void Parser::CheckBar(const Line& l, double beats, int bar, bool free) const
{
    if (free || beats == 0.0)
        return;
    if (std::fabs(beats - score.beatsPerBar) > 1e-6)
    {
        std::ostringstream msg;
        msg << "bar " << bar << " holds " << beats << " beats, the meter says " << score.beatsPerBar;
        Fail(l, msg.str());
    }
}

void Parser::EndBar(const Line& l, Bars& bars, bool free) const
{
    CheckBar(l, bars.beats, bars.bar, free);
    bars.bar += bars.beats > 0.0 ? 1 : 0;
    bars.beats = 0.0;
}

double Parser::WalkTokens(double step, bool free, const TokenHandler& onToken)
{
    double cursor = 0.0;
    Bars bars;
    for (const Line& l : Body())
    {
        for (const std::string& w : l.words)
        {
            if (w == "|")
            {
                EndBar(l, bars, free);
                continue;
            }
            bool ok = true;
            const Token t = ReadToken(w, PlainNumber, ok);
            if (!ok)
                Fail(l, "bad step count in '" + w + "'");
            const double beats = t.steps * step;
            onToken(l, t, cursor, beats);
            cursor += beats;
            bars.beats += beats;
        }
        EndBar(l, bars, free);
    }
    return cursor;
}

void Parser::AddPattern(Pattern p, const Line& head)
{
    if (patternIndex.count(p.name) || p.name == "rest")
        Fail(head, "pattern name '" + p.name + "' is taken");
    for (char c : p.name)
        if (!IsNameChar(c))
            Fail(head, "pattern names use letters, digits and '_' only");
    patternIndex[p.name] = static_cast<int>(score.patterns.size());
    score.patterns.push_back(std::move(p));
}

void Parser::ParseNotes(const Line& head)
{
    if (head.words.size() < 3)
        Fail(head, "expected 'pattern NAME INSTRUMENT [step=..] [gate=..]'");
    Pattern p;
    p.name = head.words[1];
    p.line = head.number;
    const int instrument = InstrumentNamed(head, head.words[2]);
    auto options = Options(head, 3);
    const double step = options.count("step") ? Number(head, options["step"]) : 0.5;
    const double gate = options.count("gate") ? Number(head, options["gate"]) : 1.0;
    const bool free = options.count("free") > 0;
    if (step <= 0.0 || gate <= 0.0)
        Fail(head, "step and gate must be positive");

    std::vector<std::size_t> sounding;
    const auto onToken = [&](const Line& l, const Token& t, double cursor, double beats)
    {
        if (t.body == ".")
            sounding.clear();
        else if (t.body == "-")
        {
            for (std::size_t i : sounding)
                p.events[i].lengthBeats += beats;
        }
        else
        {
            sounding.clear();
            std::istringstream parts(t.body);
            std::string part;
            while (std::getline(parts, part, '+'))
            {
                double midi = 0.0;
                if (!ParseNoteName(part, midi))
                    Fail(l, "'" + part + "' is not a note name (like C4, F#3, Bb2)");
                sounding.push_back(p.events.size());
                p.events.push_back({cursor, beats + t.ring * step, instrument, midi, t.velocity, true});
            }
        }
    };
    p.lengthBeats = WalkTokens(step, free, onToken);
    for (Event& e : p.events)
        e.lengthBeats *= gate;
    AddPattern(std::move(p), head);
}

void Parser::ParseGrid(const Line& head)
{
    if (head.words.size() < 2)
        Fail(head, "expected 'grid NAME [step=..]'");
    Pattern p;
    p.name = head.words[1];
    p.line = head.number;
    auto options = Options(head, 2);
    const double step = options.count("step") ? Number(head, options["step"]) : 0.25;
    const bool free = options.count("free") > 0;
    if (step <= 0.0)
        Fail(head, "step must be positive");

    // A row name seen again continues that row, so long grids can be written in blocks.
    std::map<std::string, double> rowCursor;
    std::map<std::string, Bars> rowBars;
    std::map<std::string, std::size_t> rowLast;
    for (const Line& l : Body())
    {
        const std::string& name = l.words[0];
        const int instrument = InstrumentNamed(l, name);
        double& cursor = rowCursor[name];
        Bars& bars = rowBars[name];
        for (std::size_t wi = 1; wi < l.words.size(); ++wi)
        {
            for (char c : l.words[wi])
            {
                if (c == '|')
                {
                    EndBar(l, bars, free);
                    continue;
                }
                double velocity = -1.0;
                if (c == 'X')
                    velocity = 1.0;
                else if (c == 'x')
                    velocity = 0.8;
                else if (c == 'o')
                    velocity = 0.5;
                else if (c >= '1' && c <= '9')
                    velocity = (c - '0') / 10.0;
                else if (c == '-')
                {
                    if (rowLast.count(name))
                        p.events[rowLast[name]].lengthBeats += step;
                }
                else if (c == '.')
                    rowLast.erase(name);
                else
                    Fail(l, std::string("grid hits are X x o 1-9, '-' holds, '.' rests; found '") + c + "'");
                if (velocity > 0.0)
                {
                    rowLast[name] = p.events.size();
                    p.events.push_back({cursor, step, instrument,
                                        static_cast<double>(score.instruments[instrument].note), velocity,
                                        false});
                }
                cursor += step;
                bars.beats += step;
            }
        }
        EndBar(l, bars, free);
        p.lengthBeats = std::max(p.lengthBeats, cursor);
    }
    AddPattern(std::move(p), head);
}

void Parser::ParseChords(const Line& head)
{
    if (head.words.size() < 3)
        Fail(head, "expected 'chords NAME INSTRUMENT [step=..] [range=..] [arp=..] ...'");
    Pattern p;
    p.name = head.words[1];
    p.line = head.number;
    const int instrument = InstrumentNamed(head, head.words[2]);
    auto options = Options(head, 3);
    const double step = options.count("step") ? Number(head, options["step"]) : 1.0;
    const double gate = options.count("gate") ? Number(head, options["gate"]) : 1.0;
    const bool free = options.count("free") > 0;
    double low = 60.0;
    if (options.count("range") && !ParseNoteName(options["range"], low))
        Fail(head, "range takes a note name such as G3");
    const std::string arp = options.count("arp") ? options["arp"] : "";
    const double rate = options.count("rate") ? Number(head, options["rate"]) : 0.25;
    const int octaves = options.count("octaves") ? static_cast<int>(Number(head, options["octaves"])) : 1;
    const double strum = options.count("strum") ? Number(head, options["strum"]) : 0.0;
    if (!arp.empty() && arp != "up" && arp != "down" && arp != "updown")
        Fail(head, "arp is up, down or updown");
    if (step <= 0.0 || gate <= 0.0 || rate <= 0.0 || octaves < 1)
        Fail(head, "step, gate, rate and octaves must be positive");

    struct Held
    {
        double start;
        double length;
        std::vector<double> notes;
        double bass;
        bool hasBass;
        double velocity;
    };
    std::vector<Held> chords;
    bool holding = false;
    const auto onToken = [&](const Line& l, const Token& t, double cursor, double beats)
    {
        if (t.body == ".")
            holding = false;
        else if (t.body == "-")
        {
            if (holding)
                chords.back().length += beats;
        }
        else
        {
            Held c{cursor, beats, {}, 0.0, false, t.velocity};
            if (!ChordNotes(t.body, static_cast<int>(low), c.notes, c.bass, c.hasBass))
                Fail(l, "'" + t.body + "' is not a chord symbol this format knows");
            chords.push_back(c);
            holding = true;
        }
    };
    p.lengthBeats = WalkTokens(step, free, onToken);

    for (const Held& c : chords)
    {
        if (arp.empty())
        {
            for (std::size_t i = 0; i < c.notes.size(); ++i)
            {
                const double offset = strum * static_cast<double>(i);
                p.events.push_back(
                    {c.start + offset, c.length * gate - offset, instrument, c.notes[i], c.velocity, true});
            }
            if (c.hasBass)
                p.events.push_back({c.start, c.length * gate, instrument, c.bass, c.velocity, true});
            continue;
        }
        std::vector<double> seq;
        for (int o = 0; o < octaves; ++o)
            for (double n : c.notes)
                seq.push_back(n + 12.0 * o);
        if (arp == "down")
            std::reverse(seq.begin(), seq.end());
        else if (arp == "updown" && seq.size() > 2)
            for (std::size_t i = seq.size() - 2; i > 0; --i)
                seq.push_back(seq[i]);
        const auto count = static_cast<std::size_t>(std::ceil(c.length / rate - 1e-9));
        for (std::size_t k = 0; k < count; ++k)
        {
            const double t = static_cast<double>(k) * rate;
            const double len = std::min(rate, c.length - t) * gate;
            p.events.push_back({c.start + t, len, instrument, seq[k % seq.size()], c.velocity, true});
        }
    }
    AddPattern(std::move(p), head);
}

void Parser::ParseSection(const Line& head)
{
    if (head.words.size() < 3)
        Fail(head, "expected 'section NAME bars=N'");
    Section s;
    s.name = head.words[1];
    s.line = head.number;
    auto options = Options(head, 2);
    if (!options.count("bars"))
        Fail(head, "a section states its length with bars=N");
    s.bars = static_cast<int>(Number(head, options["bars"]));
    if (s.bars <= 0)
        Fail(head, "bars must be positive");
    if (sectionIndex.count(s.name))
        Fail(head, "section '" + s.name + "' defined twice");
    for (const Line& l : Body())
    {
        std::vector<LaneItem> lane;
        for (std::size_t i = 0; i < l.words.size(); ++i)
        {
            std::string w = l.words[i];
            if (i == 0 && w.back() == ':')
                continue; // a lane label, for the reader
            LaneItem item{-1, 0.0, 1, -1};
            const auto star = w.find('*');
            if (star != std::string::npos)
            {
                item.repeat = static_cast<int>(Number(l, w.substr(star + 1)));
                w = w.substr(0, star);
                if (item.repeat < 1)
                    Fail(l, "a repeat count is at least 1");
            }
            const auto at = w.find('@');
            if (at != std::string::npos)
            {
                item.instrument = InstrumentNamed(l, w.substr(at + 1));
                w = w.substr(0, at);
            }
            const auto sign = w.find_first_of("+-");
            if (sign != std::string::npos)
            {
                item.transpose = Number(l, w.substr(sign));
                w = w.substr(0, sign);
            }
            if (w != "rest")
            {
                const auto it = patternIndex.find(w);
                if (it == patternIndex.end())
                    Fail(l, "no pattern named '" + w + "'");
                item.pattern = it->second;
                for (const Event& e : score.patterns[static_cast<std::size_t>(item.pattern)].events)
                    if (item.instrument >= 0 && !e.pitched)
                        Fail(l, "a grid keeps its own instruments; '@' is for note and chord patterns");
            }
            lane.push_back(item);
        }
        double beats = 0.0;
        for (const LaneItem& item : lane)
            beats += item.repeat *
                     (item.pattern < 0 ? score.beatsPerBar : score.patterns[item.pattern].lengthBeats);
        if (beats > static_cast<double>(s.bars) * score.beatsPerBar + 1e-6)
        {
            std::ostringstream msg;
            msg << "this lane runs " << beats << " beats, longer than the section's " << s.bars << " bars";
            Fail(l, msg.str());
        }
        s.lanes.push_back(lane);
    }
    sectionIndex[s.name] = static_cast<int>(score.sections.size());
    score.sections.push_back(s);
}

void Parser::ParseSong(const Line& l)
{
    for (std::size_t i = 1; i < l.words.size(); ++i)
    {
        std::string w = l.words[i];
        int repeat = 1;
        const auto star = w.find('*');
        if (star != std::string::npos)
        {
            repeat = static_cast<int>(Number(l, w.substr(star + 1)));
            w = w.substr(0, star);
        }
        const auto it = sectionIndex.find(w);
        if (it == sectionIndex.end())
            Fail(l, "no section named '" + w + "'");
        for (int r = 0; r < repeat; ++r)
            score.song.push_back(it->second);
    }
}

} // namespace synth::detail
