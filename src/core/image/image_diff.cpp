#include "image_diff.h"

#include "image_fields.h"
#include "image_json.h"

#include <algorithm>
#include <utility>

namespace zav {
namespace {

using FlatFields = std::vector<std::pair<std::string, std::string>>;

// Lists every field a visitor walks as (dotted name, value text).
class Flattener {
public:
    Flattener(FlatFields& out, std::string prefix) : out_(out), prefix_(std::move(prefix)) {}

    void operator()(const char* name, Int16 value) { add(name, std::to_string(value)); }
    void operator()(const char* name, std::uint8_t value) { add(name, std::to_string(value)); }
    template <std::size_t N>
    void operator()(const char* name, const FixedText<N>& text)
    {
        add(name, jsonString(std::string_view(text.bytes.data(), N)));
    }
    template <class T, std::size_t N>
    void operator()(const char* name, const std::array<T, N>& items)
    {
        for (std::size_t i = 0; i < N; ++i) {
            Flattener element(out_, prefix_);
            element(indexed(name, i).c_str(), items[i]);
        }
    }
    template <class R, class F>
    void record(const char* name, const R& r, F fn)
    {
        Flattener inner(out_, prefix_ + name + ".");
        fn(inner, r);
    }
    template <class R, std::size_t N, class F>
    void records(const char* name, const std::array<R, N>& rs, F fn)
    {
        for (std::size_t i = 0; i < N; ++i) {
            Flattener inner(out_, prefix_ + indexed(name, i) + ".");
            fn(inner, rs[i]);
        }
    }

private:
    static std::string indexed(const char* name, std::size_t i) { return std::string(name) + "[" + std::to_string(i) + "]"; }
    void add(const char* name, std::string value) { out_.emplace_back(prefix_ + name, std::move(value)); }

    FlatFields& out_;
    std::string prefix_;
};

FlatFields flattenSettings(const RadioImage& image)
{
    FlatFields fields;
    Flattener f(fields, "Settings.");
    visitRadioImageFields(f, image);
    return fields;
}

FlatFields flattenChannel(const ChannelRecord& record, const std::string& prefix)
{
    FlatFields fields;
    Flattener f(fields, prefix);
    visitChannelFields(f, record);
    return fields;
}

void diffFlat(const FlatFields& a, const FlatFields& b, std::vector<FieldDifference>& out)
{
    // Both lists come from the same record type: same names, same order.
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i].second != b[i].second)
            out.push_back({a[i].first, a[i].second, b[i].second});
}

const ChannelRecord* findByNumber(const ChannelTable& table, int count, Int16 number)
{
    for (int i = 0; i < count; ++i)
        if (table[static_cast<std::size_t>(i)].Number == number)
            return &table[static_cast<std::size_t>(i)];
    return nullptr;
}

void diffTable(const char* name, const ChannelTable& a, Int16 countA, const ChannelTable& b, Int16 countB,
               std::vector<FieldDifference>& out)
{
    const int na = std::clamp<int>(countA, 0, kChannelSlots);
    const int nb = std::clamp<int>(countB, 0, kChannelSlots);
    auto label = [&](Int16 number) { return std::string(name) + "[Number=" + std::to_string(number) + "]"; };
    for (int i = 0; i < na; ++i) {
        const ChannelRecord& ra = a[static_cast<std::size_t>(i)];
        // A repeated Number is matched again to its first record.
        if (findByNumber(a, i, ra.Number) != nullptr)
            continue;
        if (const ChannelRecord* rb = findByNumber(b, nb, ra.Number))
            diffFlat(flattenChannel(ra, label(ra.Number) + "."), flattenChannel(*rb, label(ra.Number) + "."), out);
        else
            out.push_back({label(ra.Number), "(present)", "(none)"});
    }
    for (int i = 0; i < nb; ++i) {
        const ChannelRecord& rb = b[static_cast<std::size_t>(i)];
        if (findByNumber(b, i, rb.Number) == nullptr && findByNumber(a, na, rb.Number) == nullptr)
            out.push_back({label(rb.Number), "(none)", "(present)"});
    }
}

} // namespace

std::vector<FieldDifference> diffImages(const ImageSet& a, const ImageSet& b)
{
    std::vector<FieldDifference> out;
    diffFlat(flattenSettings(a.Settings), flattenSettings(b.Settings), out);
    diffTable("ActiveChannels", a.ActiveChannels, a.Settings.ChannelCount, b.ActiveChannels, b.Settings.ChannelCount,
              out);
    diffTable("StandbyChannels", a.StandbyChannels, a.Settings.StandbyChannelCount, b.StandbyChannels,
              b.Settings.StandbyChannelCount, out);
    return out;
}

} // namespace zav
