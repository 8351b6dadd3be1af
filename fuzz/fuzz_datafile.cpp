// Arbitrary bytes as a data file: the open checks must refuse or accept
// without crashing, reading out of bounds or undefined behaviour, and an
// accepted file must behave like one (not modified, saved and reopened).

#include "band.h"
#include "channel_groups.h"
#include "codecs.h"
#include "data_file.h"
#include "image_json.h"
#include "image_layout.h"
#include "versions.h"

#include <cstdint>
#include <cstdlib>
#include <span>

using namespace zav;

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

/// Everything the program shows of each used channel.
void ShowChannels(const Document& doc)
{
    const BandLimits band{doc.model.bandLow, doc.model.bandHigh};
    const RadioImage& im = doc.image();
    for (int i = 0; i < doc.activeCount(); ++i) {
        const ChannelRecord& r = doc.active()[static_cast<std::size_t>(i)];
        (void)storedFrequencyToText(r.RxFrequency.raw(), band);
        (void)transmitText(r.RxFrequency.raw(), r.Offset.raw(), r.OffsetDirection, false, band);
        (void)offsetFromEntry(r.RxFrequency.raw(), "27.5", false, r.Offset, r.OffsetDirection, band);
        (void)toneText(r.RxTone);
        (void)toneToWire(r.TxTone);
        const GroupPosition pos = groupOfChannel(r.Number, im.ChannelMode);
        (void)groupLabel(pos.group, im);
    }
    (void)groupLabel(im.OptFeat.Common1[common1::CurrentGroup], im);
    (void)commonToneToWire(im.OptFeat.CommonChannel.RxTone);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    VersionRecords versions;
    versions.pairs = {"V300", "V210"};
    Document doc;
    const std::span<const std::uint8_t> bytes(data, size);
    const OpenResult result = openDocumentBytes(doc, bytes, "fuzz.dat", versions);
    if (result.outcome != OpenOutcome::Opened) {
        Require(doc.isUntitled && !doc.isModified());
        return 0;
    }
    Require(!doc.isModified() && !doc.isUntitled);
    ShowChannels(doc);
    (void)imageSetToJson(doc.working);

    Document saved = doc;
    saved.copyWorkingToSaved();
    const Bytes file = writeFullImage(saved.saved);
    Document again;
    Require(openDocumentBytes(again, file, "again.dat", versions).outcome == OpenOutcome::Opened);
    Require(again.working.Settings == saved.working.Settings);
    for (int i = 0; i < again.activeCount(); ++i)
        Require(again.active()[static_cast<std::size_t>(i)] == saved.active()[static_cast<std::size_t>(i)]);
    for (int i = 0; i < again.standbyCount(); ++i)
        Require(again.standby()[static_cast<std::size_t>(i)] == saved.standby()[static_cast<std::size_t>(i)]);
    return 0;
}
