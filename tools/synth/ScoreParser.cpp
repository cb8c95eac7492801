// Reads the text score format described in data/music/README.md: file structure,
// directives and instruments. Patterns and sections are in PatternParser.cpp.
#include "ParserDetail.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace synth
{

namespace detail
{

void Parser::Split(const std::string& text, const std::string& name, int depth)
{
    sources.push_back(name);
    const std::string* source = &sources.back();
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw))
    {
        ++number;
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        Line l;
        l.source = source;
        l.number = number;
        l.indented = !raw.empty() && (raw[0] == ' ' || raw[0] == '\t');
        // "|" is a word of its own even when written against a note.
        std::string spaced;
        for (char c : raw)
        {
            if (c == '|')
                spaced += " | ";
            else
                spaced += c;
        }
        std::istringstream words(spaced);
        std::string w;
        while (words >> w)
        {
            // A word starting with '#' starts a comment; '#' inside a word is a sharp.
            if (w[0] == '#')
                break;
            l.words.push_back(w);
        }
        if (l.words.empty())
            continue;
        if (!l.indented && l.words[0] == "include")
        {
            // Shared instrument definitions; the path is relative to the including file.
            if (l.words.size() != 2 || depth > 4)
                Fail(l, "expected 'include FILE' (and no deep include chains)");
            const auto slash = name.find_last_of('/');
            const std::string path =
                (slash == std::string::npos ? "" : name.substr(0, slash + 1)) + l.words[1];
            std::ifstream f(path, std::ios::binary);
            if (!f)
                Fail(l, "cannot read included file " + path);
            std::ostringstream content;
            content << f.rdbuf();
            Split(content.str(), path, depth + 1);
            continue;
        }
        lines.push_back(l);
    }
}

double Parser::Number(const Line& l, const std::string& word) const
{
    const auto slash = word.find('/');
    if (slash != std::string::npos)
    {
        const double a = Number(l, word.substr(0, slash));
        const double b = Number(l, word.substr(slash + 1));
        if (b == 0.0)
            Fail(l, "division by zero in '" + word + "'");
        return a / b;
    }
    char* end = nullptr;
    const double v = std::strtod(word.c_str(), &end);
    if (word.empty() || end != word.c_str() + word.size() || !std::isfinite(v))
        Fail(l, "expected a number, found '" + word + "'");
    return v;
}

double Parser::NumberAt(const Line& l, std::size_t i) const
{
    if (i >= l.words.size())
        Fail(l, "'" + l.words[0] + "' needs more values");
    return Number(l, l.words[i]);
}

std::vector<Line> Parser::Body()
{
    std::vector<Line> body;
    while (pos < lines.size() && lines[pos].indented)
        body.push_back(lines[pos++]);
    return body;
}

std::map<std::string, std::string> Parser::Options(const Line& l, std::size_t first) const
{
    std::map<std::string, std::string> options;
    for (std::size_t i = first; i < l.words.size(); ++i)
    {
        const std::string& w = l.words[i];
        const auto eq = w.find('=');
        if (eq == std::string::npos)
            options[w] = "";
        else
            options[w.substr(0, eq)] = w.substr(eq + 1);
    }
    return options;
}

Score Parser::Run()
{
    score.file = file;
    while (pos < lines.size())
    {
        const Line l = lines[pos++];
        if (l.indented)
            Fail(l, "indented line outside a block");
        Directive(l);
    }
    Validate();
    return score;
}

void Parser::Directive(const Line& l)
{
    const std::string& key = l.words[0];
    if (key == "title")
    {
        for (std::size_t i = 1; i < l.words.size(); ++i)
            score.title += (i > 1 ? " " : "") + l.words[i];
    }
    else if (key == "tempo")
    {
        score.tempo = NumberAt(l, 1);
        if (score.tempo <= 0.0)
            Fail(l, "tempo must be positive");
    }
    else if (key == "meter")
    {
        score.beatsPerBar = static_cast<int>(NumberAt(l, 1));
        if (score.beatsPerBar <= 0)
            Fail(l, "meter must be a positive number of beats");
    }
    else if (key == "swing")
    {
        score.swing = NumberAt(l, 1);
        if (l.words.size() > 2)
            score.swingUnit = NumberAt(l, 2);
    }
    else if (key == "mode")
    {
        if (l.words.size() < 2 || (l.words[1] != "loop" && l.words[1] != "oneshot"))
            Fail(l, "mode is 'loop' or 'oneshot'");
        score.mode = l.words[1] == "loop" ? Mode::Loop : Mode::OneShot;
    }
    else if (key == "reverb")
    {
        score.reverbSize = NumberAt(l, 1);
        score.reverbDamp = NumberAt(l, 2);
        score.reverbWidth = NumberAt(l, 3);
    }
    else if (key == "level")
        score.levelDb = NumberAt(l, 1);
    else if (key == "tail")
        score.tailSeconds = NumberAt(l, 1);
    else if (key == "hum")
    {
        if (l.words.size() != 3 || !ParseNoteName(l.words[1], score.humMidi))
            Fail(l, "expected 'hum NOTE LEVEL_DBFS'");
        score.humDb = NumberAt(l, 2);
    }
    else if (key == "instrument")
        ParseInstrument(l);
    else if (key == "pattern")
        ParseNotes(l);
    else if (key == "grid")
        ParseGrid(l);
    else if (key == "chords")
        ParseChords(l);
    else if (key == "section")
        ParseSection(l);
    else if (key == "song")
        ParseSong(l);
    else
        Fail(l, "unknown directive '" + key + "'");
}

void Parser::ParseInstrument(const Line& head)
{
    if (head.words.size() != 2 && !(head.words.size() == 4 && head.words[2] == "from"))
        Fail(head, "expected 'instrument NAME' or 'instrument NAME from OTHER'");
    const std::string& name = head.words[1];
    const auto existing = instrumentIndex.find(name);
    if (existing != instrumentIndex.end())
    {
        // A second block for a name amends it: a score adjusting a shared instrument.
        if (head.words.size() == 4)
            Fail(head, "instrument '" + name + "' exists already; 'from' only makes new ones");
        Instrument& ins = score.instruments[static_cast<std::size_t>(existing->second)];
        for (const Line& l : Body())
            InstrumentProperty(ins, l);
        return;
    }
    Instrument ins;
    if (head.words.size() == 4)
        ins = score.instruments[static_cast<std::size_t>(InstrumentNamed(head, head.words[3]))];
    ins.name = name;
    ins.line = head.number;
    for (const Line& l : Body())
        InstrumentProperty(ins, l);
    instrumentIndex[ins.name] = static_cast<int>(score.instruments.size());
    score.instruments.push_back(ins);
}

FilterSpec Parser::Filter(const Line& l, std::size_t i) const
{
    FilterSpec f;
    if (i >= l.words.size())
        Fail(l, "missing filter type");
    const std::string& type = l.words[i];
    if (type == "lowpass")
        f.type = FilterType::LowPass;
    else if (type == "highpass")
        f.type = FilterType::HighPass;
    else if (type == "bandpass")
        f.type = FilterType::BandPass;
    else
        Fail(l, "filter type is lowpass, highpass or bandpass, not '" + type + "'");
    f.cutoff = NumberAt(l, i + 1);
    f.q = i + 2 < l.words.size() ? NumberAt(l, i + 2) : 0.707;
    if (f.cutoff <= 0.0 || f.q <= 0.0)
        Fail(l, "filter cutoff and Q must be positive");
    return f;
}

void Parser::InstrumentProperty(Instrument& ins, const Line& l)
{
    const std::string& key = l.words[0];
    auto at = [&](std::size_t i) { return NumberAt(l, i); };
    auto opt = [&](std::size_t i, double fallback) { return i < l.words.size() ? at(i) : fallback; };
    if (key == "wave")
    {
        if (l.words.size() < 2)
            Fail(l, "wave needs a kind");
        const std::string& kind = l.words[1];
        if (kind == "none")
            ins.wave = Wave::None;
        else if (kind == "sine")
            ins.wave = Wave::Sine;
        else if (kind == "triangle")
            ins.wave = Wave::Triangle;
        else if (kind == "saw")
            ins.wave = Wave::Saw;
        else if (kind == "square")
            ins.wave = Wave::Square;
        else if (kind == "noise")
            ins.wave = Wave::Noise;
        else if (kind == "pulse")
        {
            ins.wave = Wave::Pulse;
            ins.duty = at(2);
            if (ins.duty <= 0.0 || ins.duty >= 1.0)
                Fail(l, "pulse width lies between 0 and 1");
        }
        else if (kind == "supersaw")
        {
            ins.wave = Wave::SuperSaw;
            ins.unison = static_cast<int>(at(2));
            ins.detuneCents = at(3);
            if (ins.unison < 1 || ins.unison > 16)
                Fail(l, "supersaw takes 1 to 16 voices");
        }
        else if (kind == "fm")
        {
            ins.wave = Wave::Fm;
            ins.fmRatio = at(2);
            ins.fmIndex = at(3);
            ins.fmDecay = opt(4, 0.0);
            ins.fmSustain = opt(5, 0.0);
        }
        else if (kind == "pluck")
        {
            ins.wave = Wave::Pluck;
            ins.pluckDecay = at(2);
            ins.pluckBright = opt(3, 0.5);
        }
        else if (kind == "impulse")
        {
            ins.wave = Wave::Impulse;
            ins.jitter = opt(2, 0.0);
        }
        else if (kind == "partials")
        {
            ins.wave = Wave::Partials;
            for (std::size_t i = 2; i < l.words.size(); ++i)
            {
                std::vector<double> v;
                std::string part;
                std::istringstream in(l.words[i]);
                while (std::getline(in, part, ':'))
                    v.push_back(Number(l, part));
                if (v.size() < 2 || v.size() > 3)
                    Fail(l, "a partial is RATIO:AMP or RATIO:AMP:DECAY, not '" + l.words[i] + "'");
                ins.partials.push_back({v[0], v[1], v.size() == 3 ? v[2] : 0.0});
            }
            if (ins.partials.empty())
                Fail(l, "partials needs at least one RATIO:AMP");
        }
        else
            Fail(l, "unknown wave '" + kind + "'");
    }
    else if (key == "env")
    {
        ins.attack = at(1);
        ins.decay = at(2);
        ins.sustain = at(3);
        ins.release = at(4);
        if (ins.attack < 0 || ins.decay < 0 || ins.sustain < 0 || ins.sustain > 1 || ins.release < 0)
            Fail(l, "env is ATTACK DECAY SUSTAIN(0..1) RELEASE, all non-negative");
    }
    else if (key == "filter")
        ins.filter = Filter(l, 1);
    else if (key == "filterenv")
    {
        ins.filterEnvOct = at(1);
        ins.filterEnvDecay = at(2);
    }
    else if (key == "keytrack")
        ins.keyTrack = at(1);
    else if (key == "formant")
        ins.formants.push_back({at(1), at(2), opt(3, 1.0)});
    else if (key == "sweep")
    {
        ins.sweepSemis = at(1);
        ins.sweepTime = at(2);
    }
    else if (key == "bend")
    {
        ins.bend.clear();
        for (std::size_t i = 1; i < l.words.size(); ++i)
        {
            const std::string& w = l.words[i];
            const auto colon = w.find(':');
            if (colon == std::string::npos)
                Fail(l, "a bend point is TIME:SEMITONES, not '" + w + "'");
            const double t = Number(l, w.substr(0, colon));
            if (!ins.bend.empty() && t < ins.bend.back().time)
                Fail(l, "bend points must be in time order");
            ins.bend.push_back({t, Number(l, w.substr(colon + 1))});
        }
    }
    else if (key == "vibrato")
    {
        ins.vibRate = at(1);
        ins.vibDepth = at(2);
        ins.vibDelay = opt(3, 0.0);
    }
    else if (key == "tremolo")
    {
        ins.tremRate = at(1);
        ins.tremDepth = at(2);
    }
    else if (key == "noise")
    {
        ins.noiseLevel = at(1);
        ins.noiseDecay = opt(2, 0.0);
        if (l.words.size() > 3)
            ins.noiseFilter = Filter(l, 3);
    }
    else if (key == "drive")
        ins.drive = at(1);
    else if (key == "volume")
        ins.volumeDb = NumberAt(l, 1);
    else if (key == "pan")
        ins.pan = std::clamp(at(1), -1.0, 1.0);
    else if (key == "reverb")
        ins.reverbSend = at(1);
    else if (key == "echo")
    {
        ins.echoBeats = at(1);
        ins.echoFeedback = at(2);
        ins.echoMix = at(3);
        if (ins.echoBeats <= 0.0 || ins.echoFeedback < 0.0 || ins.echoFeedback >= 1.0)
            Fail(l, "echo is BEATS(>0) FEEDBACK(0..1) MIX");
    }
    else if (key == "chorus")
    {
        ins.chorusMix = at(1);
        ins.chorusDepthMs = opt(2, 3.0);
        ins.chorusRate = opt(3, 0.8);
    }
    else if (key == "transpose")
        ins.transpose = at(1);
    else if (key == "note")
    {
        double midi = 0.0;
        if (l.words.size() < 2 || !ParseNoteName(l.words[1], midi))
            Fail(l, "note needs a note name such as C2");
        ins.note = static_cast<int>(midi);
    }
    else if (key == "humanize")
    {
        ins.humanTimeMs = at(1);
        ins.humanVel = opt(2, 0.0);
    }
    else if (key == "velocity")
        ins.velocityCurve = at(1);
    else
        Fail(l, "unknown instrument property '" + key + "'");
}

int Parser::InstrumentNamed(const Line& l, const std::string& name) const
{
    const auto it = instrumentIndex.find(name);
    if (it == instrumentIndex.end())
        Fail(l, "no instrument named '" + name + "' (instruments come before their patterns)");
    return it->second;
}

void Parser::Validate() const
{
    if (score.humDb > -200.0 && score.mode != Mode::Loop)
        Fail(lines.front(), "'hum' only makes sense in a looping score");
    if (score.song.empty())
    {
        Line last;
        last.source = &sources.front();
        last.number = lines.empty() ? 1 : lines.back().number;
        Fail(last, "the score has no 'song' line");
    }
}

bool PitchClass(const std::string& text, std::size_t& used, int& pc)
{
    static const int letters[7] = {9, 11, 0, 2, 4, 5, 7}; // A..G
    if (text.empty() || text[0] < 'A' || text[0] > 'G')
        return false;
    pc = letters[text[0] - 'A'];
    used = 1;
    if (text.size() > 1 && (text[1] == '#' || text[1] == 'b'))
    {
        pc += text[1] == '#' ? 1 : -1;
        used = 2;
    }
    pc = (pc + 12) % 12;
    return true;
}

} // namespace detail

Score ParseScore(const std::string& text, const std::string& fileName)
{
    detail::Parser parser(text, fileName);
    return parser.Run();
}

bool ParseNoteName(const std::string& text, double& midi)
{
    std::size_t used = 0;
    int pc = 0;
    if (!detail::PitchClass(text, used, pc))
        return false;
    const std::string rest = text.substr(used);
    if (rest.empty() || rest.size() > 2)
        return false;
    for (std::size_t i = 0; i < rest.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(rest[i])) && !(i == 0 && rest[i] == '-'))
            return false;
    // The sharp or flat may cross an octave boundary: B#3 is C4, Cb4 is B3.
    int natural = text[0] == 'C' && used == 2 && text[1] == 'b' ? -1 : 0;
    if (text[0] == 'B' && used == 2 && text[1] == '#')
        natural = 1;
    const int octave = std::atoi(rest.c_str()) + natural;
    midi = 12.0 * (octave + 1) + pc;
    return true;
}

} // namespace synth
