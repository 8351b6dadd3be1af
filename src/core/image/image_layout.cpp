#include "image_layout.h"

#include "image_fields.h"

#include <cstring>
#include <stdexcept>
#include <type_traits>

namespace zav {
namespace {

template <class T>
struct IsStdArray : std::false_type {};
template <class T, std::size_t N>
struct IsStdArray<std::array<T, N>> : std::true_type {};

// Writes fields one after the other: Integers little-endian, Text bytes raw.
class FieldWriter {
public:
    explicit FieldWriter(std::span<std::uint8_t> out) : out_(out) {}

    void operator()(const char*, Int16 value)
    {
        auto u = static_cast<std::uint16_t>(value);
        put(static_cast<std::uint8_t>(u & 0xFF));
        put(static_cast<std::uint8_t>(u >> 8));
    }
    void operator()(const char*, std::uint8_t value) { put(value); }
    template <std::size_t N>
    void operator()(const char*, const FixedText<N>& text)
    {
        for (char c : text.bytes)
            put(static_cast<std::uint8_t>(c));
    }
    template <class T, std::size_t N>
    void operator()(const char* name, const std::array<T, N>& items)
    {
        for (const auto& item : items)
            (*this)(name, item);
    }
    template <class R, class F>
    void record(const char*, const R& r, F fn) { fn(*this, r); }
    template <class R, std::size_t N, class F>
    void records(const char*, const std::array<R, N>& rs, F fn)
    {
        for (const auto& r : rs)
            fn(*this, r);
    }

    [[nodiscard]] std::size_t position() const { return pos_; }

private:
    void put(std::uint8_t b)
    {
        if (pos_ >= out_.size())
            throw std::logic_error("record layout overruns its buffer");
        out_[pos_++] = b;
    }
    std::span<std::uint8_t> out_;
    std::size_t pos_ = 0;
};

class FieldReader {
public:
    explicit FieldReader(std::span<const std::uint8_t> in) : in_(in) {}

    void operator()(const char*, Int16& value)
    {
        std::uint16_t lo = get();
        std::uint16_t hi = get();
        value = static_cast<Int16>(lo | (hi << 8));
    }
    void operator()(const char*, std::uint8_t& value) { value = get(); }
    template <std::size_t N>
    void operator()(const char*, FixedText<N>& text)
    {
        for (char& c : text.bytes)
            c = static_cast<char>(get());
    }
    template <class T, std::size_t N>
    void operator()(const char* name, std::array<T, N>& items)
    {
        for (auto& item : items)
            (*this)(name, item);
    }
    template <class R, class F>
    void record(const char*, R& r, F fn) { fn(*this, r); }
    template <class R, std::size_t N, class F>
    void records(const char*, std::array<R, N>& rs, F fn)
    {
        for (auto& r : rs)
            fn(*this, r);
    }

    [[nodiscard]] std::size_t position() const { return pos_; }

private:
    std::uint8_t get()
    {
        if (pos_ >= in_.size())
            throw std::logic_error("record layout overruns its buffer");
        return in_[pos_++];
    }
    std::span<const std::uint8_t> in_;
    std::size_t pos_ = 0;
};

void expectConsumed(std::size_t used, std::size_t size)
{
    if (used != size)
        throw std::logic_error("record layout does not fill its buffer");
}

} // namespace

void writeChannelRecord(const ChannelRecord& record, std::span<std::uint8_t, kChannelRecordBytes> out)
{
    FieldWriter w(out);
    visitChannelFields(w, record);
    expectConsumed(w.position(), out.size());
}

ChannelRecord readChannelRecord(std::span<const std::uint8_t, kChannelRecordBytes> in)
{
    ChannelRecord record;
    FieldReader r(in);
    visitChannelFields(r, record);
    expectConsumed(r.position(), in.size());
    return record;
}

void writeRadioImage(const RadioImage& image, std::span<std::uint8_t, kRadioImageBytes> out)
{
    FieldWriter w(out);
    visitRadioImageFields(w, image);
    expectConsumed(w.position(), out.size());
}

RadioImage readRadioImage(std::span<const std::uint8_t, kRadioImageBytes> in)
{
    RadioImage image;
    FieldReader r(in);
    visitRadioImageFields(r, image);
    expectConsumed(r.position(), in.size());
    return image;
}

Bytes writeFullImage(const ImageSet& set)
{
    Bytes out(kFullFileBytes, 0);
    writeRadioImage(set.Settings, std::span<std::uint8_t, kRadioImageBytes>(out.data(), kRadioImageBytes));
    for (int i = 0; i < kChannelSlots; ++i) {
        writeChannelRecord(set.ActiveChannels[i],
                           std::span<std::uint8_t, kChannelRecordBytes>(
                               out.data() + offsets::ActiveChannels + kChannelRecordBytes * i, kChannelRecordBytes));
        writeChannelRecord(set.StandbyChannels[i],
                           std::span<std::uint8_t, kChannelRecordBytes>(
                               out.data() + offsets::StandbyChannels + kChannelRecordBytes * i, kChannelRecordBytes));
    }
    return out;
}

ImageSet readFullImage(std::span<const std::uint8_t, kFullFileBytes> in)
{
    ImageSet set;
    set.Settings = readRadioImage(in.first<kRadioImageBytes>());
    for (int i = 0; i < kChannelSlots; ++i) {
        set.ActiveChannels[i] = readChannelRecord(std::span<const std::uint8_t, kChannelRecordBytes>(
            in.data() + offsets::ActiveChannels + kChannelRecordBytes * i, kChannelRecordBytes));
        set.StandbyChannels[i] = readChannelRecord(std::span<const std::uint8_t, kChannelRecordBytes>(
            in.data() + offsets::StandbyChannels + kChannelRecordBytes * i, kChannelRecordBytes));
    }
    return set;
}

} // namespace zav
