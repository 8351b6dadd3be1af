// Arbitrary radio memories (short inputs padded with 0xFF) through the
// decoder: never a crash or an out-of-range access, always a sane image,
// and once decoded and encoded a memory is stable: decoding and encoding it
// again gives the same bytes.

#include "memory_map.h"

#include "data_file.h"
#include "defaults.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace zav;
using namespace zav::link;

namespace {
void Require(bool condition)
{
    if (!condition)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const Int16 mode = (data[0] & 1) ? kExtendedMode : static_cast<Int16>(data[0] >> 1);
    RadioMemory memory;
    memory.fill(0xFF);
    std::copy_n(data + 1, std::min<std::size_t>(size - 1, memory.size()), memory.begin());

    static const auto fresh = [] {
        auto doc = std::make_unique<Document>();
        buildNewDocument(*doc, "/nonexistent/zav-fuzz-init", TemplateVariant::NewDocument);
        return doc;
    }();
    auto doc = std::make_unique<Document>(*fresh);
    decodeDocument(memory, mode, *doc);
    Require(isSaneImage(doc->working));
    Require(doc->image().ChannelMode == mode);

    const RadioMemory once = encodeDocument(*doc);
    auto again = std::make_unique<Document>(*fresh);
    decodeDocument(once, mode, *again);
    Require(encodeDocument(*again) == once);
    return 0;
}
