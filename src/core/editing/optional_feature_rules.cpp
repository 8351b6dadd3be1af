#include "optional_feature_rules.h"

#include <cmath>

namespace zav {

namespace {

template <int Pos>
Int16& C1(OptFeat& o) { return o.Common1[Pos]; }
template <int Pos>
Int16& C2(OptFeat& o) { return o.Common2[Pos]; }

Int16& Decode(OptFeat& o) { return o.decodeTone(); }
Int16& Encode(OptFeat& o) { return o.encodeTone(); }
Int16& Busy(OptFeat& o) { return o.busyLockout(); }
Int16& Squelch(OptFeat& o) { return o.squelchMode(); }
Int16& Shift(OptFeat& o) { return o.repeaterShift(); }
Int16& Tsq(OptFeat& o) { return o.tsqMode(); }

} // namespace

const std::vector<OptionList>& optionLists()
{
    using enum ListCoding;
    static const std::vector<OptionList> lists{
        {0, &C2<common2::SquelchLevel>, 10, Index, false},
        {1, &C2<common2::VoicePrompt>, 2, IndexPlusOne, false},
        {2, &C2<common2::TailElimination>, 4, Index, false},
        {3, &C2<common2::BatterySave>, 4, Index, false},
        {4, &C1<common1::TotTime>, 41, Fifteens, true},
        {5, &C2<common2::TotPreAlert>, 11, Index, false},
        {6, &C2<common2::TotRekey>, 61, Index, false},
        {7, &C2<common2::TotReset>, 31, Index, false},
        {8, &C2<common2::VoxLevel>, 7, Index, false},
        {9, &C2<common2::VoxDelay>, 10, Index, false},
        {11, &C2<common2::VoiceVolume>, 5, IndexPlusOne, false},
        {12, &C1<common1::DisplayMode>, 3, Index, true},
        {13, &C1<common1::BacklightColour>, 8, Index, true},
        {14, &C1<common1::ScanMode>, 2, Index, true},
        {15, &C1<common1::ScanResumeTime>, 12, Index, true},
        {29, &Decode, 283, Index, true},
        {30, &Encode, 283, Index, true},
        {31, &Busy, 3, Index, true},
        {36, &Squelch, 2, Index, true},
        {37, &Shift, 3, Index, false},
        {38, &C1<common1::KeyBeep>, 2, Index, true},
        {39, &C2<common2::FreqChangeable>, 2, Index, false},
        {40, &Tsq, 2, Index, true},
    };
    return lists;
}

const OptionList* findOptionList(int id)
{
    for (const OptionList& list : optionLists())
        if (list.id == id)
            return &list;
    return nullptr;
}

int entryForValue(const OptionList& list, int stored)
{
    switch (list.coding) {
    case ListCoding::IndexPlusOne:
        return stored - 1;
    case ListCoding::Fifteens:
        // Nearest whole entry: 37 s shows the 30 s entry.
        return static_cast<int>(std::lround(stored / 15.0));
    case ListCoding::Index:
        break;
    }
    return stored;
}

Int16 valueForEntry(const OptionList& list, int entry)
{
    switch (list.coding) {
    case ListCoding::IndexPlusOne:
        return static_cast<Int16>(entry + 1);
    case ListCoding::Fifteens:
        return static_cast<Int16>(entry * 15);
    case ListCoding::Index:
        break;
    }
    return static_cast<Int16>(entry);
}

void normaliseHiddenOptions(OptFeat& opt)
{
    for (const OptionList& list : optionLists()) {
        if (list.shown)
            continue;
        Int16& field = list.field(opt);
        int entry = entryForValue(list, field);
        if (entry < 0 || entry >= list.entries)
            entry = 0;
        field = valueForEntry(list, entry);
    }
}

Int16* numberedListField(OptFeat& opt, int id)
{
    switch (id) {
    case 32: return &opt.botCode();
    case 33: return &opt.eotCode();
    case 34: return &opt.callCode();
    case 35: return &opt.rogerBeep();
    default: return nullptr;
    }
}

Int16* checkBoxField(OptFeat& opt, int n)
{
    ChannelRecord& c = opt.CommonChannel;
    switch (n) {
    case 0: return &opt.Common2[common2::Vox];
    case 1: return &opt.Common2[common2::VoxTone];
    case 2: return &opt.Common2[common2::ChannelLock];
    case 3: return &opt.Common2[common2::GroupSelect];
    case 4: return &opt.Common2[common2::WiredClone];
    case 5: return &opt.Common2[common2::TailElimNoSignal];
    case 7: return &opt.Common1[common1::CommonData];
    case 8: return &c.Option37;
    case 9: return &c.Option38;
    case 10: return &c.Option39;
    case 11: return &c.Option40;
    case 12: return &c.Option41;
    default: return nullptr;
    }
}

} // namespace zav
