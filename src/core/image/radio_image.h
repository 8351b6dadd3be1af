#pragma once

// The radio image: everything one radio stores, as fixed-size records.
// Field order and sizes mirror the data file byte for byte (see
// image_layout.cpp for the offsets); member names are the document's own,
// so the records' members are exempt from the naming check.

#include "fixed_text.h"

#include <array>
#include <cstdint>
#include <optional>

namespace zav {

using Int16 = std::int16_t;

inline constexpr int kChannelSlots = 521;        ///< records per channel table
inline constexpr int kChannelRecordBytes = 90;   ///< one channel in a data file
inline constexpr int kRadioImageBytes = 1860;    ///< settings record in a data file
inline constexpr int kFullFileBytes = kRadioImageBytes + 2 * kChannelSlots * kChannelRecordBytes; // 95640
inline constexpr int kExtendedMode = 4;          ///< ChannelMode value of extended mode

/// Field ids by which the channel editors address ChannelRecord members;
/// the options follow with the ids of ChannelOption.
enum FieldId : int {
    FieldRxFrequency = 1,
    FieldTransmit = 2,   ///< Offset and OffsetDirection
    FieldName = 3,       ///< stores nothing
    FieldRxTone = 4,
    FieldTxTone = 5,
};

/// The per-channel options by what they set. The value is the option's
/// field id: the channel write path, the table's columns and the check
/// report know the option by it.
enum class ChannelOption : int {
    ScanSkip = 7,             ///< 0 scanned, 1 skipped
    OptionalSignalling = 8,   ///< 0 off, 1 DTMF
    Spacing = 9,              ///< 0 wide, 1 middle, 2 narrow
    PttId = 10,               ///< 0 off, 1 BOT, 2 EOT, 3 both
    BusyLockout = 11,         ///< 0 off, 1 carrier, 2 by tone, 3 by optional signalling
    ReverseOrTalkAround = 12, ///< 0 reverse, 1 talk around
    BotCode = 13,             ///< code memory 1..16 sent at the start of a transmission, 0 none
    Scrambler = 14,
    TxInhibit = 15,
    TalkAround = 16,
    Reverse = 17,             ///< 1: the transmit tone governs the busy lockout
    Whisper = 18,
    Compander = 19,
    SignallingRelation = 21,  ///< 0 AND, 1 OR
    EotCode = 22,             ///< code memory 1..16 sent at the end of a transmission, 0 none
    RogerBeep = 23,           ///< tone tip 1..8, 0 off
    SquelchMode = 24,         ///< 0 carrier, 1 CTCSS/DCS
    Modulation = 25,          ///< 0 AM, 1 FM
    AmPower = 26,             ///< 0 high, 1 low
    FmPower = 27,             ///< 0 high, 1 low
    CallCode = 28,            ///< code memory 1..16, 0 none
    RepeaterShift = 29,       ///< 0 off, 1 +100 kHz, 2 -100 kHz
    TsqMode = 30,
    RxExpander = 37,
    TxCompressor = 38,
    NoiseBlanker = 39,        ///< NB/ANL
    Attenuator = 40,
    HighCut = 41,
    ModulationLock = 42,      ///< the user cannot switch AM/FM on the radio
    AmPowerLock = 43,
    FmPowerLock = 44,
};

/// Every channel option, by field id.
inline constexpr std::array kChannelOptions{
    ChannelOption::ScanSkip,       ChannelOption::OptionalSignalling, ChannelOption::Spacing,
    ChannelOption::PttId,          ChannelOption::BusyLockout,        ChannelOption::ReverseOrTalkAround,
    ChannelOption::BotCode,        ChannelOption::Scrambler,          ChannelOption::TxInhibit,
    ChannelOption::TalkAround,     ChannelOption::Reverse,            ChannelOption::Whisper,
    ChannelOption::Compander,      ChannelOption::SignallingRelation, ChannelOption::EotCode,
    ChannelOption::RogerBeep,      ChannelOption::SquelchMode,        ChannelOption::Modulation,
    ChannelOption::AmPower,        ChannelOption::FmPower,            ChannelOption::CallCode,
    ChannelOption::RepeaterShift,  ChannelOption::TsqMode,            ChannelOption::RxExpander,
    ChannelOption::TxCompressor,   ChannelOption::NoiseBlanker,       ChannelOption::Attenuator,
    ChannelOption::HighCut,        ChannelOption::ModulationLock,     ChannelOption::AmPowerLock,
    ChannelOption::FmPowerLock,
};

/// The field id of an option.
[[nodiscard]] constexpr int optionFieldId(ChannelOption option) { return static_cast<int>(option); }
/// The option with that field id; nullopt for ids of other fields or none.
[[nodiscard]] std::optional<ChannelOption> channelOptionOfField(int fieldId);

/// One channel. The options keep the data file's member names
/// (Option<field id>); everything else reaches them through option().
// NOLINTBEGIN(readability-identifier-naming)
struct ChannelRecord {
    Int16 Number = 0;
    Int16 EmptyFlag = 0;
    Int16 Option7 = 0;
    FixedText<8> RxFrequency;
    Int16 RxTone = 0;
    Int16 TxTone = 0;
    Int16 Option27 = 0;
    Int16 Option44 = 0;
    Int16 Option26 = 0;
    Int16 Option43 = 0;
    Int16 Option25 = 0;
    Int16 Option42 = 0;
    Int16 Option37 = 0;
    Int16 Option38 = 0;
    Int16 Option39 = 0;
    Int16 Option40 = 0;
    Int16 Option41 = 0;
    Int16 Option11 = 0;
    Int16 Option23 = 0;
    Int16 Option24 = 0;
    Int16 Option13 = 0;
    Int16 Option22 = 0;
    Int16 Option28 = 0;
    std::uint8_t OffsetDirection = 0;
    FixedText<7> Offset;
    Int16 RxStepClass = 0;
    Int16 TxStepClass = 0;
    Int16 Option15 = 0;
    Int16 Option12 = 0;
    Int16 Option14 = 0;
    Int16 Option16 = 0;
    Int16 Option21 = 0;
    Int16 Option18 = 0;
    Int16 Option10 = 0;
    Int16 Option9 = 0;
    Int16 Option8 = 0;
    Int16 Option19 = 0;
    Int16 Option17 = 0;
    Int16 Option29 = 0;
    Int16 Option30 = 0;

    /// The member that stores an option.
    [[nodiscard]] Int16& option(ChannelOption which);
    [[nodiscard]] const Int16& option(ChannelOption which) const;

    bool operator==(const ChannelRecord&) const = default;
};
// NOLINTEND(readability-identifier-naming)

// NOLINTBEGIN(readability-identifier-naming)
struct ImageHeader {
    FixedText<7> Model;
    Int16 BandCode = 0;
    FixedText<4> Version;
    bool operator==(const ImageHeader&) const = default;
};
// NOLINTEND(readability-identifier-naming)

// NOLINTBEGIN(readability-identifier-naming)
struct RadioListEntry {
    Int16 Flag = 0;
    FixedText<8> Frequency;
    bool operator==(const RadioListEntry&) const = default;
};
// NOLINTEND(readability-identifier-naming)

// NOLINTBEGIN(readability-identifier-naming)
struct TestFrequencyPair {
    FixedText<8> First;
    FixedText<8> Second;
    bool operator==(const TestFrequencyPair&) const = default;
};
// NOLINTEND(readability-identifier-naming)

/// Positions inside OptFeat.Common1.
namespace common1 {
inline constexpr int TotTime = 0;
inline constexpr int CurrentGroup = 1;
inline constexpr int DisplayMode = 2;
inline constexpr int BacklightColour = 3;
inline constexpr int ScanMode = 4;
inline constexpr int ScanResumeTime = 5;
inline constexpr int KeyBeep = 6;
inline constexpr int CommonData = 7;
inline constexpr int PttIdPause = 8;
inline constexpr int EmergencyChannelBase = 9;  ///< [9 + 2g + s]
inline constexpr int EmergencyAmFmBase = 33;    ///< [33 + 2g + s]
inline constexpr int ResetModeBase = 57;        ///< [57..62]
inline constexpr int Count = 63;
} // namespace common1

/// Positions inside OptFeat.Common2.
namespace common2 {
inline constexpr int SquelchLevel = 0;
inline constexpr int VoicePrompt = 1;
inline constexpr int VoiceVolume = 2;
inline constexpr int TailElimination = 3;
inline constexpr int BatterySave = 4;
inline constexpr int Vox = 5;
inline constexpr int VoxTone = 6;
inline constexpr int ChannelLock = 7;
inline constexpr int GroupSelect = 8;
inline constexpr int TotPreAlert = 9;
inline constexpr int WiredClone = 10;
inline constexpr int TailElimNoSignal = 11;
inline constexpr int FreqChangeable = 12;
inline constexpr int TotRekey = 13;
inline constexpr int TotReset = 14;
inline constexpr int VoxLevel = 15;
inline constexpr int VoxDelay = 16;
inline constexpr int Count = 17;
} // namespace common2

/// The settings of the optional-features editor, by what they set: the
/// radio-wide lists and switches, and the common data every channel uses
/// while CommonData is on.
enum class OptionalFeature {
    SquelchLevel,
    VoicePrompt,
    TailElimination,
    BatterySave,
    TotTime,            ///< time-out timer, seconds
    TotPreAlert,
    TotRekey,
    TotReset,
    VoxLevel,
    VoxDelay,
    VoiceVolume,
    DisplayMode,
    BacklightColour,
    ScanMode,
    ScanResumeTime,
    KeyBeep,
    FreqChangeable,
    Vox,
    VoxTone,
    ChannelLock,
    GroupSelect,
    WiredClone,
    TailElimNoSignal,
    CommonData,         ///< 1: the common data below replaces every channel's own
    DecodeTone,
    EncodeTone,
    BusyLockout,
    BotCode,
    EotCode,
    CallCode,
    RogerBeep,
    SquelchMode,
    RepeaterShift,
    TsqMode,
    RxExpander,
    TxCompressor,
    NoiseBlanker,
    Attenuator,
    HighCut,
};

// NOLINTBEGIN(readability-identifier-naming)
struct OptFeat {
    std::array<Int16, common1::Count> Common1{};
    ChannelRecord CommonChannel;   ///< common data; see the accessors below
    FixedText<16> PowerOnText;
    std::array<Int16, common2::Count> Common2{};

    /// The field that stores a feature.
    [[nodiscard]] Int16& feature(OptionalFeature which);
    [[nodiscard]] const Int16& feature(OptionalFeature which) const;

    // The common data most callers name.
    Int16& decodeTone() { return CommonChannel.RxTone; }
    Int16& encodeTone() { return CommonChannel.TxTone; }
    Int16& busyLockout() { return CommonChannel.option(ChannelOption::BusyLockout); }
    Int16& rogerBeep() { return CommonChannel.option(ChannelOption::RogerBeep); }
    Int16& squelchMode() { return CommonChannel.option(ChannelOption::SquelchMode); }
    Int16& botCode() { return CommonChannel.option(ChannelOption::BotCode); }
    Int16& eotCode() { return CommonChannel.option(ChannelOption::EotCode); }
    Int16& callCode() { return CommonChannel.option(ChannelOption::CallCode); }
    Int16& repeaterShift() { return CommonChannel.option(ChannelOption::RepeaterShift); }
    Int16& tsqMode() { return CommonChannel.option(ChannelOption::TsqMode); }

    bool operator==(const OptFeat&) const = default;
};
// NOLINTEND(readability-identifier-naming)

// NOLINTBEGIN(readability-identifier-naming)
struct DtmfCode {
    Int16 Length = 0;
    FixedText<16> Code;
    bool operator==(const DtmfCode&) const = default;
};
// NOLINTEND(readability-identifier-naming)

inline constexpr int kCodeMemories = 16;

// NOLINTBEGIN(readability-identifier-naming)
struct DtmfSettings {
    Int16 DigitRate = 0;       ///< Integer 0
    Int16 FirstDigitTime = 0;  ///< Integer 1
    Int16 FirstDigitDelay = 0; ///< Integer 2
    Int16 StarHashTime = 0;    ///< Integer 3
    Int16 DKeySetting = 0;     ///< Integer 4
    Int16 Sidetone = 0;        ///< Integer 5
    Int16 CallAlert = 0;       ///< Integer 6
    Int16 GroupCode = 0;       ///< Integer 7
    Int16 AutoResetTime = 0;   ///< Integer 8
    FixedText<10> IdCode;
    Int16 IdCodeLength = 0;
    DtmfCode PttIdBot;
    DtmfCode PttIdEot;
    DtmfCode StunCode;
    DtmfCode KillCode;
    std::array<DtmfCode, kCodeMemories> CodeMemories{}; ///< memory k at [k - 1]

    /// Integer k (0..8) of the record, in record order.
    [[nodiscard]] Int16& integer(int k);

    bool operator==(const DtmfSettings&) const = default;
};
// NOLINTEND(readability-identifier-naming)

inline constexpr int kToneTips = 8;
inline constexpr int kToneTipNotes = 14;

/// 30 Integers: 14 (frequency, duration) pairs, then repeat count and interval.
// NOLINTBEGIN(readability-identifier-naming)
struct ToneTip {
    std::array<Int16, 30> Values{};

    Int16& noteFrequency(int note) { return Values[2 * (note - 1)]; }   ///< note 1..14
    Int16& noteDuration(int note) { return Values[2 * (note - 1) + 1]; }
    Int16& tipRepeatCount() { return Values[28]; }
    Int16& tipInterval() { return Values[29]; }
    [[nodiscard]] Int16 noteFrequency(int note) const { return Values[2 * (note - 1)]; }
    [[nodiscard]] Int16 noteDuration(int note) const { return Values[2 * (note - 1) + 1]; }
    [[nodiscard]] Int16 tipRepeatCount() const { return Values[28]; }
    [[nodiscard]] Int16 tipInterval() const { return Values[29]; }

    bool operator==(const ToneTip&) const = default;
};
// NOLINTEND(readability-identifier-naming)

inline constexpr int kGroupNames = 12;
inline constexpr int kStandbySettings = 79;

// NOLINTBEGIN(readability-identifier-naming)
struct RadioImage {
    ImageHeader Header;
    Int16 ChannelMode = 0;
    Int16 ChannelCount = 0;
    std::array<RadioListEntry, 20> RadioList{};
    std::array<TestFrequencyPair, 11> TestFrequencies{};
    ::zav::OptFeat OptFeat;
    ::zav::DtmfSettings DtmfSettings;
    std::array<FixedText<16>, 4> EmbeddedMessage{};
    std::array<Int16, 6> KeySettings{};
    std::array<std::uint8_t, 11> AlertSettings{};
    std::array<std::uint8_t, 12> ScanSettings{};
    std::array<ToneTip, kToneTips> ToneTips{};   ///< tone tip t at [t - 1]
    std::array<FixedText<3>, kGroupNames> GroupNames{};
    Int16 StandbyChannelCount = 0;
    std::array<Int16, kStandbySettings> StandbySettings{};
    std::array<FixedText<3>, kGroupNames> StandbyGroupNames{};

    bool operator==(const RadioImage&) const = default;
};
// NOLINTEND(readability-identifier-naming)

using ChannelTable = std::array<ChannelRecord, kChannelSlots>;

/// One complete image: the settings record and both channel tables.
// NOLINTBEGIN(readability-identifier-naming)
struct ImageSet {
    RadioImage Settings;
    ChannelTable ActiveChannels{};
    ChannelTable StandbyChannels{};
};
// NOLINTEND(readability-identifier-naming)

/// Whether the settings describe extended mode.
[[nodiscard]] inline bool isExtendedMode(Int16 channelMode) { return channelMode == kExtendedMode; }

} // namespace zav
