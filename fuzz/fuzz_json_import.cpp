// Arbitrary text as a readable JSON configuration, imported over a new
// document. An accepted text must give a document whose data file opens
// through the code that opens data files (model, band, version, counts and
// channel numbers included), and whose JSON export imports back to the same
// data file bytes with the same export. A refused text changes nothing.

#include "import_invariants.h"

#include "config_json.h"
#include "defaults.h"

#include <cstdint>
#include <string>

using namespace zav;
using zav::fuzz::FileBytes;
using zav::fuzz::Require;

namespace {

Document BaseDocument()
{
    Document doc;
    buildNewDocument(doc, std::string(), TemplateVariant::NewDocument);
    doc.copyWorkingToSaved();
    return doc;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Document base = BaseDocument();
    Document doc = base;
    if (!importConfigJson(doc, text).ok()) {
        Require(FileBytes(doc) == FileBytes(base));
        return 0;
    }
    zav::fuzz::RequireOpens(doc);

    const std::string exported = exportConfigJson(doc);
    Document again = BaseDocument();
    Require(importConfigJson(again, exported).ok());
    Require(FileBytes(again) == FileBytes(doc));
    Require(exportConfigJson(again) == exported);
    return 0;
}
