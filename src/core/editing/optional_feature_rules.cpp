#include "optional_feature_rules.h"

#include <cmath>

namespace zav {

const std::vector<FeatureRule>& featureRules()
{
    using enum OptionalFeature;
    using enum ListCoding;
    constexpr FeatureControl L = FeatureControl::List;
    constexpr FeatureControl N = FeatureControl::NumberedList;
    constexpr FeatureControl B = FeatureControl::CheckBox;
    static const std::vector<FeatureRule> rules{
        {SquelchLevel, L, 0, 16001, 10, Index, false},
        {VoicePrompt, L, 1, 16002, 2, IndexPlusOne, false},
        {TailElimination, L, 2, 16003, 4, Index, false},
        {BatterySave, L, 3, 16004, 4, Index, false},
        {TotTime, L, 4, 16005, 41, Fifteens, true},
        {TotPreAlert, L, 5, 16006, 11, Index, false},
        {TotRekey, L, 6, 16007, 61, Index, false},
        {TotReset, L, 7, 16008, 31, Index, false},
        {VoxLevel, L, 8, 16009, 7, Index, false},
        {VoxDelay, L, 9, 16010, 10, Index, false},
        {VoiceVolume, L, 11, 16012, 5, IndexPlusOne, false},
        {DisplayMode, L, 12, 16013, 3, Index, true},
        {BacklightColour, L, 13, 16014, 8, Index, true},
        {ScanMode, L, 14, 16500, 2, Index, true},
        {ScanResumeTime, L, 15, 16501, 12, Index, true},
        {DecodeTone, L, 29, 15005, 283, Index, true},
        {EncodeTone, L, 30, 15006, 283, Index, true},
        {BusyLockout, L, 31, 15011, 3, Index, true},
        {SquelchMode, L, 36, 15201, 2, Index, true},
        {RepeaterShift, L, 37, 15205, 3, Index, false},
        {KeyBeep, L, 38, 16026, 2, Index, true},
        {FreqChangeable, L, 39, 16028, 2, Index, false},
        {TsqMode, L, 40, 15023, 2, Index, true},
        {BotCode, N, 32, 15037, kCodeMemories + 1, Index, true},
        {EotCode, N, 33, 15038, kCodeMemories + 1, Index, true},
        {CallCode, N, 34, 15013, kCodeMemories + 1, Index, true},
        {RogerBeep, N, 35, 15200, kToneTips + 1, Index, true},
        {Vox, B, 0, 16020, 2, Index, false},
        {VoxTone, B, 1, 16021, 2, Index, false},
        {ChannelLock, B, 2, 16022, 2, Index, false},
        {GroupSelect, B, 3, 16023, 2, Index, false},
        {WiredClone, B, 4, 16024, 2, Index, false},
        {TailElimNoSignal, B, 5, 16025, 2, Index, false},
        {CommonData, B, 7, 16027, 2, Index, true},
        {RxExpander, B, 8, 15300, 2, Index, true},
        {TxCompressor, B, 9, 15301, 2, Index, true},
        {NoiseBlanker, B, 10, 15302, 2, Index, true},
        {Attenuator, B, 11, 15303, 2, Index, true},
        {HighCut, B, 12, 15304, 2, Index, true},
    };
    return rules;
}

const FeatureRule& featureRule(OptionalFeature feature)
{
    for (const FeatureRule& rule : featureRules())
        if (rule.feature == feature)
            return rule;
    return featureRules().front(); // not reached: every feature has its rule
}

int entryForValue(const FeatureRule& rule, int stored)
{
    switch (rule.coding) {
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

Int16 valueForEntry(const FeatureRule& rule, int entry)
{
    switch (rule.coding) {
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
    for (const FeatureRule& rule : featureRules()) {
        if (rule.shown || rule.control != FeatureControl::List)
            continue;
        Int16& field = opt.feature(rule.feature);
        int entry = entryForValue(rule, field);
        if (entry < 0 || entry >= rule.entries)
            entry = 0;
        field = valueForEntry(rule, entry);
    }
}

} // namespace zav
