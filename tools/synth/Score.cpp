#include "Score.hpp"

namespace synth
{

double Score::TotalBeats() const
{
    double beats = 0.0;
    for (int s : song)
        beats += static_cast<double>(sections[s].bars) * beatsPerBar;
    return beats;
}

std::vector<Event> Score::Flatten() const
{
    std::vector<Event> out;
    double sectionStart = 0.0;
    for (int si : song)
    {
        const Section& s = sections[si];
        for (const auto& lane : s.lanes)
        {
            double cursor = 0.0;
            for (const LaneItem& item : lane)
            {
                for (int r = 0; r < item.repeat; ++r)
                {
                    if (item.pattern < 0)
                    {
                        cursor += beatsPerBar;
                        continue;
                    }
                    const Pattern& p = patterns[item.pattern];
                    for (Event e : p.events)
                    {
                        e.beat += sectionStart + cursor;
                        if (e.pitched)
                            e.midi += item.transpose;
                        if (item.instrument >= 0)
                            e.instrument = item.instrument;
                        out.push_back(e);
                    }
                    cursor += p.lengthBeats;
                }
            }
        }
        sectionStart += static_cast<double>(s.bars) * beatsPerBar;
    }
    return out;
}

} // namespace synth
