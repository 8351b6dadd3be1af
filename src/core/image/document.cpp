#include "document.h"

#include "band.h"

#include <algorithm>
#include <utility>

namespace zav {

void ModelBand::parseBandLimits()
{
    auto limits = zav::parseBandLimits(bandLabel);
    bandLow = limits.low;
    bandHigh = limits.high;
}

Document::Document()
{
    working.Settings.Header.Version.assign(kProgramImageVersion);
    saved = working;
}

namespace {
int clampCount(Int16 count) { return std::clamp<int>(count, 0, kChannelSlots); }

// Compares two records field by field; texts are compared after cleanText.
bool sameChannel(const ChannelRecord& a, const ChannelRecord& b)
{
    // Member-wise comparison with texts taken clean.
    auto cleanEqual = [](const auto& x, const auto& y) { return x.clean() == y.clean(); };
    ChannelRecord ca = a, cb = b;
    if (!cleanEqual(a.RxFrequency, b.RxFrequency) || !cleanEqual(a.Offset, b.Offset))
        return false;
    ca.RxFrequency = cb.RxFrequency;
    ca.Offset = cb.Offset;
    return ca == cb;
}

bool sameTable(const ChannelTable& saved, int savedCount, const ChannelTable& working, int workingCount)
{
    for (int i = 0; i < savedCount; ++i) {
        const ChannelRecord& s = saved[i];
        const ChannelRecord* w = nullptr;
        if (i < kChannelSlots && working[i].Number == s.Number) {
            w = &working[i];
        } else {
            for (int j = 0; j < workingCount; ++j)
                if (working[j].Number == s.Number) {
                    w = &working[j];
                    break;
                }
        }
        if (w == nullptr || !sameChannel(s, *w))
            return false;
    }
    return true;
}
} // namespace

int Document::activeCount() const { return clampCount(working.Settings.ChannelCount); }
int Document::standbyCount() const { return clampCount(working.Settings.StandbyChannelCount); }

void Document::stampHeader()
{
    working.Settings.Header.Model.assign(model.modelName);
    working.Settings.Header.BandCode = bandCodeOf(model.bandLabel);
}

void Document::copyWorkingToSaved()
{
    stampHeader();
    // Every record slot goes along, used or not: the working image is the
    // whole file, so that undoing edits gives back every byte of it.
    saved = working;
}

void Document::copySavedToWorking()
{
    working.Settings = saved.Settings;
    ImageHeader& header = working.Settings.Header;
    model.modelName = header.Model.clean();
    header.Model.assign(model.modelName);
    model.bandLabel = bandLabelOf(header.BandCode);
    model.bandCodeOfImage = header.BandCode;
    model.parseBandLimits();
    // The slots beyond the counts too: saving writes the working image whole.
    working.ActiveChannels = saved.ActiveChannels;
    working.StandbyChannels = saved.StandbyChannels;
}

void Document::adoptSavedSettings()
{
    working.Settings = saved.Settings;
    stampHeader();
    saved.Settings = working.Settings;
}

void exchangeModePairs(ImageSet& set)
{
    RadioImage& im = set.Settings;
    auto& sb = im.StandbySettings;
    auto& dtmf = im.DtmfSettings;
    auto& opt = im.OptFeat;
    auto& cc = opt.CommonChannel;

    std::swap(im.ChannelCount, im.StandbyChannelCount);
    std::swap(dtmf.DigitRate, sb[0]);
    std::swap(dtmf.FirstDigitDelay, sb[1]);   // Integers 1 and 2 are crossed
    std::swap(dtmf.FirstDigitTime, sb[2]);
    std::swap(dtmf.StarHashTime, sb[3]);
    std::swap(dtmf.DKeySetting, sb[4]);
    std::swap(dtmf.Sidetone, sb[5]);
    for (int k = 0; k <= 8; ++k)
        std::swap(opt.Common1[k], sb[6 + k]);
    std::swap(opt.Common2[common2::FreqChangeable], sb[15]);
    for (int k = 9; k <= 32; ++k)
        std::swap(opt.Common1[k], sb[16 + (k - 9)]);
    for (int k = 33; k <= 56; ++k)
        std::swap(opt.Common1[k], sb[40 + (k - 33)]);
    std::swap(cc.RxTone, sb[64]);
    std::swap(cc.TxTone, sb[65]);
    std::swap(cc.option(ChannelOption::RxExpander), sb[66]);
    std::swap(cc.option(ChannelOption::TxCompressor), sb[67]);
    std::swap(cc.option(ChannelOption::NoiseBlanker), sb[68]);
    std::swap(cc.option(ChannelOption::Attenuator), sb[69]);
    std::swap(cc.option(ChannelOption::HighCut), sb[70]);
    std::swap(cc.option(ChannelOption::TsqMode), sb[71]);
    std::swap(cc.option(ChannelOption::BusyLockout), sb[72]);
    std::swap(cc.option(ChannelOption::RogerBeep), sb[73]);
    std::swap(cc.option(ChannelOption::SquelchMode), sb[74]);
    std::swap(cc.option(ChannelOption::RepeaterShift), sb[75]);
    std::swap(cc.option(ChannelOption::BotCode), sb[76]);
    std::swap(cc.option(ChannelOption::EotCode), sb[77]);
    std::swap(cc.option(ChannelOption::CallCode), sb[78]);
    std::swap(im.GroupNames, im.StandbyGroupNames);
    std::swap(set.ActiveChannels, set.StandbyChannels);
}

void Document::swapChannelMode(Int16 newMode)
{
    if (isExtendedMode(newMode) == isExtendedMode(working.Settings.ChannelMode))
        return;
    working.Settings.ChannelMode = newMode;
    exchangeModePairs(working);
}

bool Document::isModified() const
{
    const RadioImage& w = working.Settings;
    const RadioImage& s = saved.Settings;
    if (w.ChannelMode != s.ChannelMode || w.StandbyChannelCount != s.StandbyChannelCount ||
        w.ChannelCount != s.ChannelCount)
        return true;
    if (!sameTable(saved.ActiveChannels, clampCount(s.ChannelCount), working.ActiveChannels, activeCount()))
        return true;
    if (!sameTable(saved.StandbyChannels, clampCount(s.StandbyChannelCount), working.StandbyChannels,
                   standbyCount()))
        return true;
    if (w.Header.Model.clean() != s.Header.Model.clean() || w.Header.BandCode != s.Header.BandCode)
        return true;
    // Version and RadioList are deliberately left out of the comparison.
    return w.StandbySettings != s.StandbySettings || !(w.OptFeat == s.OptFeat) ||
           !(w.DtmfSettings == s.DtmfSettings) || w.EmbeddedMessage != s.EmbeddedMessage ||
           w.KeySettings != s.KeySettings || w.AlertSettings != s.AlertSettings ||
           w.ScanSettings != s.ScanSettings || w.ToneTips != s.ToneTips || w.GroupNames != s.GroupNames ||
           w.StandbyGroupNames != s.StandbyGroupNames || w.TestFrequencies != s.TestFrequencies;
}

int Document::findChannelByNumber(Int16 number, bool standby) const
{
    const ChannelTable& table = standby ? working.StandbyChannels : working.ActiveChannels;
    const int count = standby ? standbyCount() : activeCount();
    for (int i = 0; i < count; ++i)
        if (table[i].Number == number)
            return i;
    return -1;
}

std::string Document::documentName() const
{
    auto slash = documentPath.find_last_of("/\\");
    return slash == std::string::npos ? documentPath : documentPath.substr(slash + 1);
}

} // namespace zav
