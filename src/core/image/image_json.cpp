#include "image_json.h"

#include "gbk_text.h"
#include "image_fields.h"

#include <algorithm>
#include <cstdio>
#include <type_traits>

namespace zav {
namespace {

// Writes the fields a visitor walks as JSON members. Scalars and arrays of
// scalars go on one line; records and arrays of records are indented.
class JsonWriter {
public:
    explicit JsonWriter(std::string& out, int depth) : out_(out), depth_(depth) {}

    void operator()(const char* name, Int16 value) { member(name, std::to_string(value)); }
    void operator()(const char* name, std::uint8_t value) { member(name, std::to_string(value)); }
    template <std::size_t N>
    void operator()(const char* name, const FixedText<N>& text)
    {
        member(name, jsonText(std::string_view(text.bytes.data(), N)));
    }
    template <class T, std::size_t N>
    void operator()(const char* name, const std::array<T, N>& items)
    {
        std::string list = "[";
        for (std::size_t i = 0; i < N; ++i) {
            if (i > 0)
                list += ", ";
            list += scalar(items[i]);
        }
        member(name, list + "]");
    }
    template <class R, class F>
    void record(const char* name, const R& r, F fn)
    {
        key(name);
        writeObject(r, fn);
    }
    template <class R, std::size_t N, class F>
    void records(const char* name, const std::array<R, N>& rs, F fn)
    {
        recordList(name, rs.begin(), rs.end(), fn);
    }

    /// A member holding the records [first, last) as an array of objects.
    template <class It, class F>
    void recordList(const char* name, It first, It last, F fn)
    {
        key(name);
        writeArray(first, last, fn);
    }

    /// An object of the fields fn visits, at this writer's depth.
    template <class R, class F>
    void writeObject(const R& r, F fn)
    {
        out_ += "{";
        JsonWriter inner(out_, depth_ + 1);
        fn(inner, r);
        inner.close();
        out_ += "}";
    }

    template <class It, class F>
    void writeArray(It first, It last, F fn)
    {
        out_ += "[";
        bool any = false;
        for (It it = first; it != last; ++it) {
            out_ += any ? ",\n" : "\n";
            indent(depth_ + 1);
            JsonWriter element(out_, depth_ + 1);
            element.writeObject(*it, fn);
            any = true;
        }
        if (any) {
            out_ += "\n";
            indent(depth_);
        }
        out_ += "]";
    }

    /// Ends the object whose members this writer wrote.
    void close()
    {
        if (count_ > 0) {
            out_ += "\n";
            indent(depth_ - 1);
        }
    }

private:
    static std::string scalar(Int16 v) { return std::to_string(v); }
    static std::string scalar(std::uint8_t v) { return std::to_string(v); }
    template <std::size_t N>
    static std::string scalar(const FixedText<N>& t)
    {
        return jsonText(std::string_view(t.bytes.data(), N));
    }

    void key(const char* name)
    {
        out_ += count_++ > 0 ? ",\n" : "\n";
        indent(depth_);
        out_ += jsonString(name) + ": ";
    }
    void member(const char* name, const std::string& value)
    {
        key(name);
        out_ += value;
    }
    void indent(int depth) { out_.append(static_cast<std::size_t>(2 * depth), ' '); }

    std::string& out_;
    int depth_;
    int count_ = 0;
};

int usedCount(Int16 count) { return std::clamp<int>(count, 0, kChannelSlots); }

} // namespace

std::string jsonString(std::string_view bytes)
{
    std::string out = "\"";
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (b >= 0x20 && b < 0x7F) {
            out += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", b);
            out += escaped;
        }
    }
    return out + "\"";
}

std::string jsonText(std::string_view bytes)
{
    const std::string text = gbkToUtf8(bytes);
    std::string out = "\"";
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (b < 0x20 || b == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", b);
            out += escaped;
        } else {
            out += c; // UTF-8 as it is
        }
    }
    return out + "\"";
}

std::string imageSetToJson(const ImageSet& set)
{
    std::string out = "{";
    JsonWriter top(out, 1);
    auto channel = [](JsonWriter& w, const ChannelRecord& r) { visitChannelFields(w, r); };
    top.record("Settings", set.Settings, [](JsonWriter& w, const RadioImage& r) { visitRadioImageFields(w, r); });
    // The tables hold only their used records.
    const auto& active = set.ActiveChannels;
    const auto& standby = set.StandbyChannels;
    top.recordList("ActiveChannels", active.begin(), active.begin() + usedCount(set.Settings.ChannelCount), channel);
    top.recordList("StandbyChannels", standby.begin(),
                   standby.begin() + usedCount(set.Settings.StandbyChannelCount), channel);
    top.close();
    return out + "}\n";
}

} // namespace zav
