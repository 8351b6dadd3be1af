#include "dtmf_rules.h"

#include <algorithm>

namespace zav {

namespace {

DtmfTimingList steps(int first, int last, int step, int unitMs)
{
    DtmfTimingList list{{}, unitMs};
    for (int v = first; v <= last; v += step)
        list.entriesMs.push_back(v);
    return list;
}

} // namespace

const DtmfTimingList& digitRateTimings()
{
    static const DtmfTimingList list = steps(10, 500, 10, 10);
    return list;
}

const DtmfTimingList& firstDigitTimeTimings()
{
    static const DtmfTimingList list = steps(0, 1000, 100, 50);
    return list;
}

const DtmfTimingList& firstDigitDelayTimings()
{
    static const DtmfTimingList list = steps(100, 2500, 100, 50);
    return list;
}

const DtmfTimingList& starHashTimings()
{
    static const DtmfTimingList list{{0, 100, 500, 1000}, 50};
    return list;
}

int timingEntry(const DtmfTimingList& list, int stored)
{
    const auto& e = list.entriesMs;
    const auto it = std::find(e.begin(), e.end(), stored * list.unitMs);
    return it == e.end() ? 0 : static_cast<int>(it - e.begin());
}

Int16 timingValue(const DtmfTimingList& list, int entry)
{
    if (entry < 0 || entry >= static_cast<int>(list.entriesMs.size()))
        entry = 0;
    return static_cast<Int16>(list.entriesMs[static_cast<std::size_t>(entry)] / list.unitMs);
}

std::string shownIdCode(const DtmfSettings& dtmf)
{
    int length = dtmf.IdCodeLength;
    if (length < 3 || length > 10)
        length = 3;
    return dtmf.IdCode.raw().substr(0, static_cast<std::size_t>(length));
}

std::string acceptedIdCode(std::string_view typed)
{
    const bool digits = std::all_of(typed.begin(), typed.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (typed.size() < 3 || typed.size() > 10 || !digits)
        return "000";
    return std::string(typed);
}

void storeTypedIdCode(DtmfSettings& dtmf, std::string_view typed)
{
    const std::string code = acceptedIdCode(typed);
    dtmf.IdCodeLength = static_cast<Int16>(code.size());
    dtmf.IdCode.assign(code);
}

char codeCharacter(char typed)
{
    if ((typed >= '0' && typed <= '9') || typed == '*' || typed == '#' || (typed >= 'A' && typed <= 'D'))
        return typed;
    if (typed >= 'a' && typed <= 'd')
        return static_cast<char>(typed - 'a' + 'A');
    return 0;
}

} // namespace zav
