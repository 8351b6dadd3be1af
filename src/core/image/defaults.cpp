// Default values of a new document, then the template laid over them.

#include "defaults.h"

#include "band.h"
#include "codecs.h"
#include "data_file.h"
#include "numbers.h"

#include <filesystem>

namespace zav {
namespace {

constexpr const char* kCountryGroupNames[kGroupNames] = {"EU", "CE", "UK", "PL", "I2", "DE",
                                                         "IN", "A",  "B",  "C",  "D",  "E"};
constexpr const char* kExtendedGroupNames[kGroupNames] = {"AE", "BE", "CE", "DE", "EE", "FE",
                                                          "GE", "HE", "IE", "LE", "VFO", "E"};

/// The image-only template has this fixed name whatever the model.
constexpr const char* kImageOnlyTemplate = "ZAV415_0.dat";

void setGroupNames(std::array<FixedText<3>, kGroupNames>& names, bool extended)
{
    const char* const* list = defaultGroupNames(extended);
    for (int k = 0; k < kGroupNames; ++k)
        names[static_cast<std::size_t>(k)].assign(list[k]);
}

void setOptFeatDefaults(OptFeat& opt)
{
    opt.Common1.fill(0);
    opt.Common1[common1::TotTime] = 4;
    opt.Common1[common1::CurrentGroup] = 3;
    opt.Common1[common1::DisplayMode] = 1;
    opt.Common1[common1::BacklightColour] = 1;
    opt.Common1[common1::KeyBeep] = 1;
    opt.Common1[common1::ResetModeBase + 4] = 9; // extended-mode reset group
    ChannelRecord& cc = opt.CommonChannel;
    cc.RxTone = 0;
    cc.TxTone = 0;
    using enum ChannelOption;
    for (ChannelOption option : {RxExpander, TxCompressor, NoiseBlanker, Attenuator, HighCut, BusyLockout, RogerBeep,
                                 SquelchMode, BotCode, EotCode, CallCode, RepeaterShift, TsqMode})
        cc.option(option) = 0;
    opt.PowerOnText.assign(std::string(1, '\0') + "        VANTERA");
    opt.Common2.fill(0);
    opt.Common2[common2::VoicePrompt] = 1;
    opt.Common2[common2::TailElimination] = 3;
}

void setDtmfDefaults(DtmfSettings& dtmf)
{
    for (int k = 0; k <= 8; ++k)
        dtmf.integer(k) = 0;
    dtmf.IdCode.assign("000");
    dtmf.IdCodeLength = 3;
    for (DtmfCode* code : {&dtmf.PttIdBot, &dtmf.PttIdEot, &dtmf.StunCode, &dtmf.KillCode}) {
        code->Length = 0;
        code->Code.assign("");
    }
    for (DtmfCode& code : dtmf.CodeMemories) {
        code.Length = 0;
        code.Code.assign("");
    }
}

void setStandbyDefaults(std::array<Int16, kStandbySettings>& standby)
{
    // The same values as the active fields they stand for.
    standby.fill(0);
    standby[6] = 4; // TotTime
    standby[7] = 3; // CurrentGroup
    standby[8] = 1; // DisplayMode
    standby[9] = 1; // BacklightColour
    standby[12] = 1; // KeyBeep
}

void setToneTipDefaults(std::array<ToneTip, kToneTips>& tips)
{
    auto set = [&](int tip, std::initializer_list<int> values) {
        ToneTip& t = tips[static_cast<std::size_t>(tip - 1)];
        int k = 0;
        for (int v : values)
            t.Values[static_cast<std::size_t>(k++)] = static_cast<Int16>(v);
        t.tipRepeatCount() = 1;
        t.tipInterval() = 0;
    };
    set(1, {210, 10, 0, 10, 210, 10, 0, 10, 210, 10, 0, 10, 210, 10});
    set(2, {80, 4, 0, 4, 80, 4, 0, 4, 80, 4, 0, 4, 80, 4, 0, 4, 80, 4, 0, 4, 80, 4, 0, 4, 80, 4, 0, 4});
    set(3, {170, 3, 90, 3, 170, 3, 90, 3, 170, 3, 90, 3, 170, 3});
    set(4, {64, 6, 94, 6, 134, 6, 163, 6, 192, 6});
    set(5, {150, 20, 70, 20, 150, 20, 70, 20, 150, 20, 70, 20});
}

void setFeatureDefaults(RadioImage& im)
{
    im.KeySettings = {10, 10, 0, 0, 0, 0};
    im.AlertSettings.fill(0);
    im.AlertSettings[0] = 1;
    im.ScanSettings.fill(0);
    setOptFeatDefaults(im.OptFeat);
    for (auto& line : im.EmbeddedMessage)
        line.assign(std::string(1, '\0'));
    setDtmfDefaults(im.DtmfSettings);
}

bool fileExists(const std::filesystem::path& path)
{
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

} // namespace

const char* const* defaultGroupNames(bool extended) { return extended ? kExtendedGroupNames : kCountryGroupNames; }

void appendDefaultChannel(Document& doc, int number, double mhz, bool standby)
{
    Int16& count = standby ? doc.image().StandbyChannelCount : doc.image().ChannelCount;
    if (count < 0 || count >= kChannelSlots)
        return; // a full (or corrupt) table takes no more records
    ChannelRecord record;
    record.Number = static_cast<Int16>(number);
    const BandLimits band{doc.model.bandLow, doc.model.bandHigh};
    record.RxFrequency.assign(toStoredFrequency(formatMHz(mhz), band));
    record.OffsetDirection = 0;
    record.Offset.fill('\0');
    (standby ? doc.standby() : doc.active())[static_cast<std::size_t>(count)] = record;
    ++count;
}

NewDocumentResult buildNewDocument(Document& doc, const std::string& initDir, TemplateVariant variant)
{
    doc.isUntitled = true;
    doc.documentPath = kUntitledName;

    // Nothing of the previous document survives except the channel mode and
    // the program's own image version.
    const Int16 mode = doc.image().ChannelMode;
    const FixedText<4> version = doc.image().Header.Version;
    doc.working = ImageSet{};
    doc.saved = ImageSet{};
    RadioImage& im = doc.image();
    im.ChannelMode = mode;
    im.Header.Version = version;
    const bool extended = isExtendedMode(mode);

    setFeatureDefaults(im);

    const double mid = (doc.model.bandLow + doc.model.bandHigh) / 2;
    im.ChannelCount = 0;
    appendDefaultChannel(doc, 1, mid, false);
    appendDefaultChannel(doc, kChannelSlots, mid, false);
    im.StandbyChannelCount = 0;
    appendDefaultChannel(doc, 1, mid, true);
    appendDefaultChannel(doc, kChannelSlots, mid, true);
    setStandbyDefaults(im.StandbySettings);
    setGroupNames(im.StandbyGroupNames, !extended);

    for (RadioListEntry& entry : im.RadioList) {
        entry.Flag = 1;
        entry.Frequency.assign("");
    }
    doc.stampHeader();
    setGroupNames(im.GroupNames, extended);
    setToneTipDefaults(im.ToneTips);
    doc.copyWorkingToSaved();

    NewDocumentResult result;
    const std::filesystem::path dir(initDir);
    const std::string prefix = doc.model.modelName + "_" + std::to_string(bandCodeOf(doc.model.bandLabel));
    const std::filesystem::path full = dir / (prefix + (variant == TemplateVariant::Init ? ".dat" : "_NEW.dat"));
    const std::filesystem::path imageOnly = dir / kImageOnlyTemplate;
    if (fileExists(full)) {
        result.templatePath = full.string();
        result.templateLoaded = loadFullFile(doc, result.templatePath);
    } else if (std::string(kImageOnlyTemplate).rfind(doc.model.modelName + "_", 0) == 0 && fileExists(imageOnly)) {
        result.templatePath = imageOnly.string();
        result.messageId = loadImageOnlyFile(doc, result.templatePath);
        result.templateLoaded = result.messageId == 0;
    }
    return result;
}

} // namespace zav
