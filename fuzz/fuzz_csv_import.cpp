// Arbitrary text as a channel CSV import, or as pasted rows, into a new
// document of either channel mode. Whatever is accepted must follow the
// table's rules (in country mode no channel comes or goes and no frequency
// or offset changes), give a document that opens as a data file, and export
// to CSV that imports back to the same document with the same export. What
// is refused changes nothing.
//
// Input: byte 0 chooses (bit 0) extended mode, (bit 1) keeping the valid
// rows of a refused text, (bit 2) a paste instead of an import; bytes 1 and
// 2 are the group and the first position of a paste; the rest is the text.

#include "import_invariants.h"

#include "channel_csv.h"
#include "channel_groups.h"
#include "defaults.h"

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

using namespace zav;
using zav::fuzz::FileBytes;
using zav::fuzz::Require;

namespace {

/// A new document with a few channels in and outside the mode's groups,
/// among them one with an offset and tones.
Document BaseDocument(Int16 mode)
{
    Document doc;
    doc.image().ChannelMode = mode;
    buildNewDocument(doc, std::string(), TemplateVariant::NewDocument);
    const std::initializer_list<std::pair<int, const char*>> channels{
        {1, "02700000"}, {5, "02926000"}, {41, "02740000"}, {450, "02800000"}, {521, "02710000"}};
    int i = 0;
    for (const auto& [number, rx] : channels) {
        ChannelRecord record;
        record.Number = static_cast<Int16>(number);
        record.RxFrequency.assign(rx);
        doc.active()[static_cast<std::size_t>(i++)] = record;
    }
    doc.active()[1].Offset.assign("0060000");
    doc.active()[1].OffsetDirection = 2;
    doc.active()[1].RxTone = 13;
    doc.active()[1].TxTone = 13;
    doc.image().ChannelCount = static_cast<Int16>(i);
    doc.copyWorkingToSaved();
    return doc;
}

/// What the table's rules never let an edit change in country mode: which
/// channels exist, and their frequencies and offsets.
std::map<int, std::tuple<std::string, std::string, Int16>> FixedPart(const Document& doc)
{
    std::map<int, std::tuple<std::string, std::string, Int16>> out;
    for (int i = 0; i < doc.activeCount(); ++i) {
        const ChannelRecord& r = doc.active()[static_cast<std::size_t>(i)];
        out[r.Number] = {r.RxFrequency.raw(), r.Offset.raw(), r.OffsetDirection};
    }
    return out;
}

std::map<int, ChannelRecord> ByNumber(const Document& doc)
{
    std::map<int, ChannelRecord> out;
    for (int i = 0; i < doc.activeCount(); ++i)
        out[doc.active()[static_cast<std::size_t>(i)].Number] = doc.active()[static_cast<std::size_t>(i)];
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const bool extended = (data[0] & 1) != 0;
    const RefusedRows refused = (data[0] & 2) != 0 ? RefusedRows::SkipThem : RefusedRows::ChangeNothing;
    const bool paste = (data[0] & 4) != 0;
    const std::string text(reinterpret_cast<const char*>(data) + 3, size - 3);

    const Document base = BaseDocument(extended ? kExtendedMode : Int16{0});
    Document doc = base;
    const CsvImportResult result = paste ? pasteChannelsText(doc, text, data[1] % 12, data[2], refused)
                                         : importChannelsCsv(doc, text, refused);
    const bool changed = FileBytes(doc) != FileBytes(base);
    if (!result.ok() && refused == RefusedRows::ChangeNothing) {
        Require(!changed); // a refused text stores nothing
        return 0;
    }
    Require(doc.activeCount() >= 1); // the table's last channel stays
    if (!extended)
        Require(FixedPart(doc) == FixedPart(base));
    zav::fuzz::RequireOpens(doc);

    // Its export imports back to the same document and exports the same.
    const std::string exported = exportChannelsCsv(doc);
    Document again = doc;
    const CsvImportResult back = importChannelsCsv(again, exported);
    Require(back.ok());
    Require(ByNumber(again) == ByNumber(doc));
    Require(again.working.Settings == doc.working.Settings);
    if (!paste)
        Require(FileBytes(again) == FileBytes(doc));
    Require(exportChannelsCsv(again) == exported);
    return 0;
}
