#include "sample_document.h"

#include "defaults.h"
#include "memory_map.h"
#include "virtual_radio.h"

#include <string>

namespace zav::sim {
namespace {

struct SampleChannel {
    int number;
    const char* rx;   ///< stored 8-digit frequency
    int rxTone;
    int txTone;
    int scanSkip; ///< 0 scanned, 1 skipped
};

// Country channels across EU, CE, UK, PL and DE; extended ones across
// AE..LE and the VFO slot. Tones: CTCSS, DCS normal and DCS inverted.
constexpr SampleChannel kCountry[] = {
    {1, "02696500", 0, 0, 1},    {2, "02697500", 13, 13, 1},  {9, "02706500", 0, 52, 0},
    {40, "02740500", 50, 50, 1}, {41, "02696500", 0, 0, 1},   {125, "02760125", 159, 159, 1},
    {161, "02696000", 1, 0, 0},  {250, "02750000", 0, 0, 1},  {521, "02786000", 0, 0, 1},
};
constexpr SampleChannel kExtended[] = {
    {1, "02561500", 0, 0, 1},   {2, "02600000", 7, 7, 1},     {40, "02800000", 60, 60, 0},
    {41, "02900000", 0, 0, 1},  {399, "03010500", 264, 0, 1}, {400, "03000000", 0, 0, 1},
    {521, "02786000", 0, 0, 1},
};

void fillChannels(Document& doc, const SampleChannel* list, std::size_t count, bool standby)
{
    Int16& used = standby ? doc.image().StandbyChannelCount : doc.image().ChannelCount;
    ChannelTable& table = standby ? doc.standby() : doc.active();
    used = 0;
    for (std::size_t i = 0; i < count; ++i) {
        ChannelRecord r;
        r.Number = static_cast<Int16>(list[i].number);
        r.RxFrequency.assign(list[i].rx);
        r.RxTone = static_cast<Int16>(list[i].rxTone);
        r.TxTone = static_cast<Int16>(list[i].txTone);
        r.option(ChannelOption::ScanSkip) = static_cast<Int16>(list[i].scanSkip);
        r.Offset.fill('\0');
        r.option(ChannelOption::FmPower) = static_cast<Int16>(i % 2);
        r.option(ChannelOption::Modulation) = static_cast<Int16>((i / 2) % 2);
        r.option(ChannelOption::RxExpander) = 1;
        r.option(ChannelOption::BusyLockout) = static_cast<Int16>(i % 3);
        r.option(ChannelOption::RogerBeep) = static_cast<Int16>(i % 9);
        r.option(ChannelOption::SquelchMode) = static_cast<Int16>(i % 4);
        r.option(ChannelOption::BotCode) = static_cast<Int16>(i % 17);
        r.option(ChannelOption::EotCode) = static_cast<Int16>(i % 5);
        r.option(ChannelOption::CallCode) = static_cast<Int16>(i % 6);
        r.option(ChannelOption::RepeaterShift) = static_cast<Int16>(i % 3);
        table[static_cast<std::size_t>(used++)] = r;
    }
}

void fillSettings(RadioImage& im, bool extended)
{
    auto& c1 = im.OptFeat.Common1;
    c1[common1::TotTime] = extended ? 60 : 180;
    c1[common1::CurrentGroup] = extended ? 1 : 3;
    c1[common1::PttIdPause] = 2;
    c1[common1::EmergencyChannelBase + 0] = 9;   // group 0, first emergency channel
    c1[common1::EmergencyChannelBase + 1] = 19;
    c1[common1::EmergencyChannelBase + 6] = 9;
    c1[common1::EmergencyAmFmBase + 0] = 1;
    c1[common1::EmergencyAmFmBase + 6] = 1;
    im.DtmfSettings.DigitRate = extended ? 8 : 10;
    im.DtmfSettings.FirstDigitTime = 2;
    im.DtmfSettings.FirstDigitDelay = 6;
    im.DtmfSettings.StarHashTime = 10;
    im.DtmfSettings.DKeySetting = 3;
    im.DtmfSettings.Sidetone = 1;
    ChannelRecord& cc = im.OptFeat.CommonChannel;
    cc.RxTone = extended ? 64 : 12;   // entry 64 of the optional-features list: DCS 055
    cc.TxTone = extended ? 200 : 12;
    cc.option(ChannelOption::TxCompressor) = 1;
    cc.option(ChannelOption::RogerBeep) = 2;
    cc.option(ChannelOption::BotCode) = 1;
    cc.option(ChannelOption::CallCode) = 2;
}

} // namespace

Document sampleDocument(Int16 mode)
{
    Document doc;
    doc.image().ChannelMode = 0;
    // No template folder: the defaults alone.
    buildNewDocument(doc, "/nonexistent/zav-sample-init", TemplateVariant::NewDocument);

    // Country mode first (active), then the extended set as standby.
    fillChannels(doc, kCountry, std::size(kCountry), false);
    fillSettings(doc.image(), false);
    doc.image().GroupNames[3].assign("POL");
    doc.swapChannelMode(kExtendedMode);
    fillChannels(doc, kExtended, std::size(kExtended), false);
    fillSettings(doc.image(), true);
    doc.image().GroupNames[0].assign("A1");
    doc.swapChannelMode(0);

    RadioImage& im = doc.image();
    im.OptFeat.Common1[common1::ResetModeBase + 0] = 2;
    im.OptFeat.Common1[common1::ResetModeBase + 1] = 5;
    im.OptFeat.PowerOnText.assign("ZAV415 READY");
    im.EmbeddedMessage[0].assign("Fleet 7");
    im.EmbeddedMessage[1].assign("Call base on 9");
    auto& memories = im.DtmfSettings.CodeMemories;
    const char* codes[] = {"123", "*9#", "ABCD0123456789*#", "7"};
    for (std::size_t k = 0; k < std::size(codes); ++k) {
        memories[k].Code.assign(codes[k]);
        memories[k].Length = static_cast<Int16>(std::string(codes[k]).size());
    }
    ToneTip& tip6 = im.ToneTips[5];
    for (int note = 1; note <= 4; ++note) {
        tip6.noteFrequency(note) = static_cast<Int16>(60 + 20 * note);
        tip6.noteDuration(note) = 5;
    }
    tip6.tipRepeatCount() = 2;
    tip6.tipInterval() = 3;

    doc.swapChannelMode(mode);
    doc.copyWorkingToSaved();
    return doc;
}

link::RadioMemory sampleMemory()
{
    const Document doc = sampleDocument(0);
    link::RadioMemory memory = link::encodeDocument(doc);
    // The radio's own header: ZAV415, band 0, version V300, country mode.
    setRadioHeader(memory, "ZAV415", 0, "V300", 0);
    return memory;
}

link::InfoBlock sampleInfoBlock()
{
    link::InfoBlock block;
    block.fill(0xFF);
    link::RadioInfo info;
    info.SalesArea = "EU";
    info.CustomerCode.assign("C042");
    info.ProductionBatch.assign("B2307");
    info.SerialNumber.assign(std::string("41507") + '\0');
    info.FactoryDate.assign("2023-07-14");
    info.RepairDate.assign("");
    info.RepairReason.assign("none");
    info.InfoVersion = "V3.00";
    info.DealerCode.assign("D-1187");
    info.StockInTime.assign("2023-08-01");
    info.SaleTime.assign("2023-09-12");
    info.Handler.assign("K. Weber");
    link::encodeRadioInfo(info, block);
    return block;
}

} // namespace zav::sim
