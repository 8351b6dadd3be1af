#include "radio_image.h"

namespace zav {

std::string cleanText(std::string_view text)
{
    // Cut at the first NUL, then drop trailing spaces.
    auto nul = text.find('\0');
    if (nul != std::string_view::npos)
        text = text.substr(0, nul);
    auto end = text.find_last_not_of(' ');
    if (end == std::string_view::npos)
        return {};
    return std::string(text.substr(0, end + 1));
}

namespace {

/// The record member of each option: the one place that ties an option to
/// the data file's member.
Int16 ChannelRecord::*optionMember(ChannelOption which)
{
    switch (which) {
    case ChannelOption::ScanSkip: return &ChannelRecord::Option7;
    case ChannelOption::OptionalSignalling: return &ChannelRecord::Option8;
    case ChannelOption::Spacing: return &ChannelRecord::Option9;
    case ChannelOption::PttId: return &ChannelRecord::Option10;
    case ChannelOption::BusyLockout: return &ChannelRecord::Option11;
    case ChannelOption::ReverseOrTalkAround: return &ChannelRecord::Option12;
    case ChannelOption::BotCode: return &ChannelRecord::Option13;
    case ChannelOption::Scrambler: return &ChannelRecord::Option14;
    case ChannelOption::TxInhibit: return &ChannelRecord::Option15;
    case ChannelOption::TalkAround: return &ChannelRecord::Option16;
    case ChannelOption::Reverse: return &ChannelRecord::Option17;
    case ChannelOption::Whisper: return &ChannelRecord::Option18;
    case ChannelOption::Compander: return &ChannelRecord::Option19;
    case ChannelOption::SignallingRelation: return &ChannelRecord::Option21;
    case ChannelOption::EotCode: return &ChannelRecord::Option22;
    case ChannelOption::RogerBeep: return &ChannelRecord::Option23;
    case ChannelOption::SquelchMode: return &ChannelRecord::Option24;
    case ChannelOption::Modulation: return &ChannelRecord::Option25;
    case ChannelOption::AmPower: return &ChannelRecord::Option26;
    case ChannelOption::FmPower: return &ChannelRecord::Option27;
    case ChannelOption::CallCode: return &ChannelRecord::Option28;
    case ChannelOption::RepeaterShift: return &ChannelRecord::Option29;
    case ChannelOption::TsqMode: return &ChannelRecord::Option30;
    case ChannelOption::RxExpander: return &ChannelRecord::Option37;
    case ChannelOption::TxCompressor: return &ChannelRecord::Option38;
    case ChannelOption::NoiseBlanker: return &ChannelRecord::Option39;
    case ChannelOption::Attenuator: return &ChannelRecord::Option40;
    case ChannelOption::HighCut: return &ChannelRecord::Option41;
    case ChannelOption::ModulationLock: return &ChannelRecord::Option42;
    case ChannelOption::AmPowerLock: return &ChannelRecord::Option43;
    case ChannelOption::FmPowerLock: return &ChannelRecord::Option44;
    }
    return &ChannelRecord::Option7; // not reached: every option has its member
}

template <class O>
auto& featureField(O& o, OptionalFeature which)
{
    using enum OptionalFeature;
    switch (which) {
    case SquelchLevel: return o.Common2[common2::SquelchLevel];
    case VoicePrompt: return o.Common2[common2::VoicePrompt];
    case TailElimination: return o.Common2[common2::TailElimination];
    case BatterySave: return o.Common2[common2::BatterySave];
    case TotTime: return o.Common1[common1::TotTime];
    case TotPreAlert: return o.Common2[common2::TotPreAlert];
    case TotRekey: return o.Common2[common2::TotRekey];
    case TotReset: return o.Common2[common2::TotReset];
    case VoxLevel: return o.Common2[common2::VoxLevel];
    case VoxDelay: return o.Common2[common2::VoxDelay];
    case VoiceVolume: return o.Common2[common2::VoiceVolume];
    case DisplayMode: return o.Common1[common1::DisplayMode];
    case BacklightColour: return o.Common1[common1::BacklightColour];
    case ScanMode: return o.Common1[common1::ScanMode];
    case ScanResumeTime: return o.Common1[common1::ScanResumeTime];
    case KeyBeep: return o.Common1[common1::KeyBeep];
    case FreqChangeable: return o.Common2[common2::FreqChangeable];
    case Vox: return o.Common2[common2::Vox];
    case VoxTone: return o.Common2[common2::VoxTone];
    case ChannelLock: return o.Common2[common2::ChannelLock];
    case GroupSelect: return o.Common2[common2::GroupSelect];
    case WiredClone: return o.Common2[common2::WiredClone];
    case TailElimNoSignal: return o.Common2[common2::TailElimNoSignal];
    case CommonData: return o.Common1[common1::CommonData];
    case DecodeTone: return o.CommonChannel.RxTone;
    case EncodeTone: return o.CommonChannel.TxTone;
    case BusyLockout: return o.CommonChannel.Option11;
    case BotCode: return o.CommonChannel.Option13;
    case EotCode: return o.CommonChannel.Option22;
    case CallCode: return o.CommonChannel.Option28;
    case RogerBeep: return o.CommonChannel.Option23;
    case SquelchMode: return o.CommonChannel.Option24;
    case RepeaterShift: return o.CommonChannel.Option29;
    case TsqMode: return o.CommonChannel.Option30;
    case RxExpander: return o.CommonChannel.Option37;
    case TxCompressor: return o.CommonChannel.Option38;
    case NoiseBlanker: return o.CommonChannel.Option39;
    case Attenuator: return o.CommonChannel.Option40;
    case HighCut: return o.CommonChannel.Option41;
    }
    return o.Common1[common1::CommonData]; // not reached: every feature has its field
}

} // namespace

std::optional<ChannelOption> channelOptionOfField(int fieldId)
{
    for (ChannelOption option : kChannelOptions)
        if (optionFieldId(option) == fieldId)
            return option;
    return std::nullopt;
}

Int16& ChannelRecord::option(ChannelOption which) { return this->*optionMember(which); }
const Int16& ChannelRecord::option(ChannelOption which) const { return this->*optionMember(which); }

Int16& OptFeat::feature(OptionalFeature which) { return featureField(*this, which); }
const Int16& OptFeat::feature(OptionalFeature which) const { return featureField(*this, which); }

Int16& DtmfSettings::integer(int k)
{
    switch (k) {
    case 0: return DigitRate;
    case 1: return FirstDigitTime;
    case 2: return FirstDigitDelay;
    case 3: return StarHashTime;
    case 4: return DKeySetting;
    case 5: return Sidetone;
    case 6: return CallAlert;
    case 7: return GroupCode;
    default: return AutoResetTime;
    }
}

} // namespace zav
