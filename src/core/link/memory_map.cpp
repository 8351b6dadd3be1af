#include "memory_map.h"

#include "codecs.h"

#include <algorithm>
#include <memory>

namespace zav::link {
namespace {

constexpr int kLastChannel = kChannelSlots; // 521, the VFO slot in extended mode
constexpr std::uint8_t kNone = 0xFF;
constexpr char kDtmfKeys[] = "0123456789ABCD*#";
/// The radio keeps the transmit time-out in steps of 15 s in one byte;
/// the image keeps seconds.
constexpr int kTotSecondsPerStep = 15;

std::uint8_t lowByte(int value) { return static_cast<std::uint8_t>(value & 0xFF); }
/// A field masked to its width in a packed byte, so it never spills.
int lowBits(int value, int bits) { return value & ((1 << bits) - 1); }

std::uint8_t& byteAt(RadioMemory& m, int address) { return m[static_cast<std::size_t>(address)]; }
std::uint8_t byteAt(const RadioMemory& m, int address) { return m[static_cast<std::size_t>(address)]; }

int clampCount(Int16 count) { return std::clamp<int>(count, 0, kChannelSlots); }

bool bitOf(const RadioMemory& m, int bitmap, int index) { return (byteAt(m, bitmap + index / 8) >> (index % 8)) & 1; }
void setBit(RadioMemory& m, int bitmap, int index) { byteAt(m, bitmap + index / 8) |= static_cast<std::uint8_t>(1 << (index % 8)); }

/// Channel number as the emergency and reset tables hold it: number - 1,
/// 0xFF for none.
std::uint8_t channelByte(int number) { return number <= 0 ? kNone : lowByte(number - 1); }
Int16 channelFromByte(std::uint8_t b) { return b == kNone ? 0 : static_cast<Int16>(b + 1); }

void putWord(RadioMemory& m, int address, std::uint16_t value)
{
    byteAt(m, address) = static_cast<std::uint8_t>(value >> 8);
    byteAt(m, address + 1) = static_cast<std::uint8_t>(value & 0xFF);
}
std::uint16_t wordAt(const RadioMemory& m, int address)
{
    return static_cast<std::uint16_t>(byteAt(m, address) << 8 | byteAt(m, address + 1));
}

// --- texts ---------------------------------------------------------------------

/// A text's bytes with trailing spaces removed.
std::string trimmedRaw(const std::string& raw)
{
    std::string text = raw;
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

void putText(RadioMemory& m, int address, int size, const std::string& raw, std::uint8_t filler)
{
    const std::string text = trimmedRaw(raw);
    for (int i = 0; i < size; ++i)
        byteAt(m, address + i) = i < static_cast<int>(text.size()) ? static_cast<std::uint8_t>(text[static_cast<std::size_t>(i)]) : filler;
}

/// A text from the radio ends at the first 0x00 or 0xFF.
std::string textAt(const RadioMemory& m, int address, int size)
{
    std::string text;
    for (int i = 0; i < size; ++i) {
        const std::uint8_t b = byteAt(m, address + i);
        if (b == 0x00 || b == 0xFF)
            break;
        text.push_back(static_cast<char>(b));
    }
    return text;
}

// --- channel records -----------------------------------------------------------

/// Bytes 10..14 of a channel record (and 0x2194..0x2198 of CommonChannel).
void packTail(const ChannelRecord& r, RadioMemory& m, int address)
{
    byteAt(m, address) = static_cast<std::uint8_t>(lowBits(r.Option37, 1) | lowBits(r.Option38, 1) << 1 | lowBits(r.Option39, 1) << 2
                                               | lowBits(r.Option40, 1) << 3 | lowBits(r.Option41, 1) << 4
                                               | lowBits(r.Option30, 1) << 5 | lowBits(r.Option11, 2) << 6);
    byteAt(m, address + 1) = static_cast<std::uint8_t>(lowBits(r.Option23, 4) | lowBits(r.Option24, 4) << 4);
    byteAt(m, address + 2) = static_cast<std::uint8_t>(lowBits(r.Option13, 6) | lowBits(r.Option29, 2) << 6);
    byteAt(m, address + 3) = lowByte(r.Option22);
    byteAt(m, address + 4) = lowByte(r.Option28);
}

void unpackTail(const RadioMemory& m, int address, ChannelRecord& r)
{
    const int b10 = byteAt(m, address);
    r.Option37 = static_cast<Int16>(b10 & 1);
    r.Option38 = static_cast<Int16>(b10 >> 1 & 1);
    r.Option39 = static_cast<Int16>(b10 >> 2 & 1);
    r.Option40 = static_cast<Int16>(b10 >> 3 & 1);
    r.Option41 = static_cast<Int16>(b10 >> 4 & 1);
    r.Option30 = static_cast<Int16>(b10 >> 5 & 1);
    r.Option11 = static_cast<Int16>(b10 >> 6 & 3);
    const int b11 = byteAt(m, address + 1);
    r.Option23 = static_cast<Int16>(b11 & 0x0F);
    r.Option24 = static_cast<Int16>(b11 >> 4 & 0x0F);
    const int b12 = byteAt(m, address + 2);
    r.Option13 = static_cast<Int16>(b12 & 0x3F);
    r.Option29 = static_cast<Int16>(b12 >> 6 & 3);
    r.Option22 = byteAt(m, address + 3);
    r.Option28 = byteAt(m, address + 4);
}

void encodeChannel(const ChannelRecord& r, std::uint16_t kiloHertz, RadioMemory& m, int address)
{
    byteAt(m, address) = static_cast<std::uint8_t>(kiloHertz & 0xFF);
    byteAt(m, address + 1) = static_cast<std::uint8_t>(kiloHertz >> 8);
    byteAt(m, address + 5) = static_cast<std::uint8_t>(lowBits(r.Option27, 1) | lowBits(r.Option44, 1) << 1 | lowBits(r.Option26, 1) << 3
                                                   | lowBits(r.Option43, 1) << 4 | lowBits(r.Option25, 1) << 5
                                                   | lowBits(r.Option42, 1) << 6);
    putWord(m, address + 6, toneToWire(r.RxTone));
    putWord(m, address + 8, toneToWire(r.TxTone));
    packTail(r, m, address + 10);
}

void decodeChannel(const RadioMemory& m, int address, ChannelRecord& r)
{
    const int b5 = byteAt(m, address + 5);
    r.Option27 = static_cast<Int16>(b5 & 1);
    r.Option44 = static_cast<Int16>(b5 >> 1 & 1);
    r.Option26 = static_cast<Int16>(b5 >> 3 & 1);
    r.Option43 = static_cast<Int16>(b5 >> 4 & 1);
    r.Option25 = static_cast<Int16>(b5 >> 5 & 1);
    r.Option42 = static_cast<Int16>(b5 >> 6 & 1);
    r.RxTone = static_cast<Int16>(wireToTone(wordAt(m, address + 6)));
    r.TxTone = static_cast<Int16>(wireToTone(wordAt(m, address + 8)));
    unpackTail(m, address + 10, r);
}

bool isEmptyFrequency(const FixedText<8>& frequency)
{
    const std::string clean = frequency.clean();
    return clean.empty() || clean == "FFFFFFFF";
}

// --- the per-mode part: channels, bitmaps, group names, settings, common
// channel, emergency tables (country mode at 0, extended mode at 0x4000) ------

void encodeModeSet(const ImageSet& set, RadioMemory& m, int off)
{
    const RadioImage& im = set.Settings;
    std::fill_n(m.begin() + off + mem::BitmapB, mem::BitmapBytes, 0x00);
    std::fill_n(m.begin() + off + mem::BitmapA, mem::BitmapBytes, 0x00);

    for (int i = 0; i < clampCount(im.ChannelCount); ++i) {
        const ChannelRecord& r = set.ActiveChannels[static_cast<std::size_t>(i)];
        std::uint16_t kiloHertz = 0;
        // Numbers outside 1..521 have no place; an empty channel (or one
        // whose frequency 16 bits cannot carry) leaves its bytes 0xFF and
        // its bits clear.
        if (r.Number < 1 || r.Number > kLastChannel || isEmptyFrequency(r.RxFrequency)
            || !encodeRxFrequency(r.RxFrequency.raw(), kiloHertz))
            continue;
        setBit(m, off + mem::BitmapA, r.Number - 1);
        if (r.Option7 == 0)
            setBit(m, off + mem::BitmapB, r.Number - 1);
        encodeChannel(r, kiloHertz, m, off + mem::ChannelRecords + 16 * r.Number);
    }

    for (int k = 0; k < kGroupNames; ++k)
        putText(m, off + mem::GroupNames + 3 * k, 3, im.GroupNames[static_cast<std::size_t>(k)].raw(), 0x20);

    const auto& c1 = im.OptFeat.Common1;
    const auto& dtmf = im.DtmfSettings;
    const int s = off + mem::Settings;
    byteAt(m, s + 0x0) = lowByte(c1[common1::TotTime] / kTotSecondsPerStep);
    byteAt(m, s + 0x1) = lowByte(dtmf.Sidetone);
    for (int k = 1; k <= 7; ++k)
        byteAt(m, s + 0x1 + k) = lowByte(c1[static_cast<std::size_t>(k)]);
    byteAt(m, s + 0x9) = lowByte(dtmf.DigitRate);
    byteAt(m, s + 0xA) = lowByte(dtmf.FirstDigitDelay);
    byteAt(m, s + 0xB) = lowByte(dtmf.FirstDigitTime);
    byteAt(m, s + 0xC) = lowByte(dtmf.StarHashTime);
    byteAt(m, s + 0xD) = lowByte(dtmf.DKeySetting);
    byteAt(m, s + 0xE) = lowByte(c1[common1::PttIdPause]);
    byteAt(m, s + 0xF) = lowByte(im.OptFeat.Common2[common2::FreqChangeable]);

    const ChannelRecord& cc = im.OptFeat.CommonChannel;
    putWord(m, off + mem::CommonChannel, commonToneToWire(cc.RxTone));
    putWord(m, off + mem::CommonChannel + 2, commonToneToWire(cc.TxTone));
    packTail(cc, m, off + mem::CommonChannel + 4);

    for (int i = 0; i < 24; ++i) {
        const int slot = i / 2 + 12 * (i % 2);
        byteAt(m, off + mem::EmergencyChannels + slot) = channelByte(c1[static_cast<std::size_t>(common1::EmergencyChannelBase + i)]);
        byteAt(m, off + mem::EmergencyAmFm + slot) = lowByte(c1[static_cast<std::size_t>(common1::EmergencyAmFmBase + i)]);
    }
}

const ChannelRecord* findPrevious(const ChannelTable& table, int count, int number)
{
    for (int i = 0; i < count; ++i)
        if (table[static_cast<std::size_t>(i)].Number == number)
            return &table[static_cast<std::size_t>(i)];
    return nullptr;
}

void decodeModeSet(const RadioMemory& m, int off, const ChannelTable& previous, int previousCount, ImageSet& set)
{
    RadioImage& im = set.Settings;
    int count = 0;
    for (int i = 0; i < kChannelSlots; ++i) {
        const int number = i + 1;
        const bool used = bitOf(m, off + mem::BitmapA, i);
        if (!used && number != kLastChannel)
            continue;
        // Fields without a place in memory come from the record that had
        // this number before, else they are those of a new channel.
        const ChannelRecord* before = findPrevious(previous, previousCount, number);
        ChannelRecord r = before ? *before : ChannelRecord{};
        r.Number = static_cast<Int16>(number);
        r.EmptyFlag = 0;
        r.Option7 = bitOf(m, off + mem::BitmapB, i) ? 0 : 1;
        const int address = off + mem::ChannelRecords + 16 * number;
        if (used)
            r.RxFrequency.assign(decodeRxFrequency(static_cast<std::uint16_t>(byteAt(m, address) | byteAt(m, address + 1) << 8)));
        else
            r.RxFrequency.assign("FFFFFFFF");
        decodeChannel(m, address, r);
        set.ActiveChannels[static_cast<std::size_t>(count++)] = r;
    }
    im.ChannelCount = static_cast<Int16>(count);

    for (int k = 0; k < kGroupNames; ++k)
        im.GroupNames[static_cast<std::size_t>(k)].assign(textAt(m, off + mem::GroupNames + 3 * k, 3));

    auto& c1 = im.OptFeat.Common1;
    auto& dtmf = im.DtmfSettings;
    const int s = off + mem::Settings;
    c1[common1::TotTime] = static_cast<Int16>(byteAt(m, s + 0x0) * kTotSecondsPerStep);
    dtmf.Sidetone = byteAt(m, s + 0x1);
    for (int k = 1; k <= 7; ++k)
        c1[static_cast<std::size_t>(k)] = byteAt(m, s + 0x1 + k);
    dtmf.DigitRate = byteAt(m, s + 0x9);
    dtmf.FirstDigitDelay = byteAt(m, s + 0xA);
    dtmf.FirstDigitTime = byteAt(m, s + 0xB);
    dtmf.StarHashTime = byteAt(m, s + 0xC);
    dtmf.DKeySetting = byteAt(m, s + 0xD);
    c1[common1::PttIdPause] = byteAt(m, s + 0xE);
    im.OptFeat.Common2[common2::FreqChangeable] = byteAt(m, s + 0xF);

    ChannelRecord& cc = im.OptFeat.CommonChannel;
    cc.RxTone = static_cast<Int16>(wireToCommonTone(wordAt(m, off + mem::CommonChannel)));
    cc.TxTone = static_cast<Int16>(wireToCommonTone(wordAt(m, off + mem::CommonChannel + 2)));
    unpackTail(m, off + mem::CommonChannel + 4, cc);

    for (int i = 0; i < 24; ++i) {
        const int slot = i / 2 + 12 * (i % 2);
        c1[static_cast<std::size_t>(common1::EmergencyChannelBase + i)] = channelFromByte(byteAt(m, off + mem::EmergencyChannels + slot));
        c1[static_cast<std::size_t>(common1::EmergencyAmFmBase + i)] = byteAt(m, off + mem::EmergencyAmFm + slot);
    }
}

// --- the shared part: header, texts, DTMF memories, tone tips, reset mode -------

int dtmfKeyValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'D')
        return c - 'A' + 10;
    if (c == '*' || c == 'E')
        return 14;
    if (c == '#' || c == 'F')
        return 15;
    return 0; // a missing character counts as "0"
}

void encodeShared(const RadioImage& im, RadioMemory& m)
{
    putText(m, mem::Header, 6, im.Header.Model.clean(), 0x00);
    byteAt(m, mem::Header + 6) = lowByte(im.Header.BandCode);
    const char version[] = "V300";
    for (int i = 0; i < 4; ++i)
        byteAt(m, mem::Header + 8 + i) = static_cast<std::uint8_t>(version[i]);

    putText(m, mem::PowerOnText, 16, im.OptFeat.PowerOnText.raw(), 0x00);
    for (int line = 0; line < 4; ++line)
        putText(m, mem::EmbeddedMessage + 16 * line, 16, im.EmbeddedMessage[static_cast<std::size_t>(line)].raw(), 0x00);

    for (int k = 0; k < kCodeMemories; ++k) {
        const DtmfCode& code = im.DtmfSettings.CodeMemories[static_cast<std::size_t>(k)];
        const int length = code.Length < 0 || code.Length > 16 ? 0 : code.Length;
        const int address = mem::CodeMemories + 16 * k;
        for (int i = 0; i < 16; ++i)
            byteAt(m, address + i) = i < length ? static_cast<std::uint8_t>(dtmfKeyValue(code.Code.bytes[static_cast<std::size_t>(i)])) : kNone;
    }

    for (int t = 0; t < kToneTips; ++t) {
        const auto& v = im.ToneTips[static_cast<std::size_t>(t)].Values;
        const int address = mem::ToneTips + mem::ToneTipBytes * t;
        for (int j = 0; j < 14; ++j) {
            byteAt(m, address + j) = lowByte(v[static_cast<std::size_t>(2 * j)]);
            byteAt(m, address + 14 + j) = lowByte(v[static_cast<std::size_t>(2 * j + 1)]);
        }
        byteAt(m, address + 28) = lowByte(v[28]);
        byteAt(m, address + 29) = lowByte(v[29]);
    }

    const auto& c1 = im.OptFeat.Common1;
    for (int o = 0; o < 6; ++o) {
        const int value = c1[static_cast<std::size_t>(common1::ResetModeBase + o)];
        byteAt(m, mem::ResetMode + o) = o % 2 == 0 ? lowByte(value) : channelByte(value);
    }
}

void decodeShared(const RadioMemory& m, RadioImage& im)
{
    im.Header.Model.assign(textAt(m, mem::Header, 6));
    im.Header.BandCode = byteAt(m, mem::Header + 6);

    im.OptFeat.PowerOnText.assign(textAt(m, mem::PowerOnText, 16));
    for (int line = 0; line < 4; ++line)
        im.EmbeddedMessage[static_cast<std::size_t>(line)].assign(textAt(m, mem::EmbeddedMessage + 16 * line, 16));

    for (int k = 0; k < kCodeMemories; ++k) {
        DtmfCode& code = im.DtmfSettings.CodeMemories[static_cast<std::size_t>(k)];
        const int address = mem::CodeMemories + 16 * k;
        std::string keys;
        for (int i = 0; i < 16 && byteAt(m, address + i) <= 15; ++i)
            keys.push_back(kDtmfKeys[byteAt(m, address + i)]);
        code.Length = static_cast<Int16>(keys.size());
        code.Code.assign(keys);
    }

    for (int t = 0; t < kToneTips; ++t) {
        auto& v = im.ToneTips[static_cast<std::size_t>(t)].Values;
        const int address = mem::ToneTips + mem::ToneTipBytes * t;
        for (int j = 0; j < 14; ++j) {
            v[static_cast<std::size_t>(2 * j)] = byteAt(m, address + j);
            v[static_cast<std::size_t>(2 * j + 1)] = byteAt(m, address + 14 + j);
        }
        v[28] = byteAt(m, address + 28);
        v[29] = byteAt(m, address + 29);
    }

    auto& c1 = im.OptFeat.Common1;
    for (int o = 0; o < 6; ++o) {
        const std::uint8_t b = byteAt(m, mem::ResetMode + o);
        c1[static_cast<std::size_t>(common1::ResetModeBase + o)] = o % 2 == 0 ? static_cast<Int16>(b) : channelFromByte(b);
    }
}

} // namespace

bool encodeRxFrequency(const std::string& stored, std::uint16_t& kiloHertz)
{
    if (stored.size() < 6 || !std::all_of(stored.begin(), stored.begin() + 6, [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    long k = std::stol(stored.substr(0, 6));
    if (k % 10 == 1)
        ++k; // marks a frequency of the 12.5 kHz raster (…125)
    if (k > 0xFFFF)
        return false;
    kiloHertz = static_cast<std::uint16_t>(k);
    return true;
}

std::string decodeRxFrequency(std::uint16_t kiloHertz)
{
    std::string digits = std::to_string(kiloHertz);
    digits.insert(0, digits.size() < 5 ? 5 - digits.size() : 0, '0');
    const char last = digits.back();
    // Appended, not "0" + ...: GCC 12 sees a false overlap in the optimised
    // insert at the front of a temporary (-Wrestrict).
    std::string text(1, '0');
    if (last == '1' || last == '2')
        return text.append(digits, 0, 4).append("125");
    return text.append(digits).append("00");
}

RadioMemory encodeImage(const ImageSet& image)
{
    RadioMemory m;
    m.fill(0xFF);
    // Country mode is always the set at 0x0000: bring it to the active
    // place on a copy, so the caller's image never changes. (Image sets are
    // large; they live on the heap.)
    auto country = std::make_unique<ImageSet>(image);
    if (isExtendedMode(country->Settings.ChannelMode))
        exchangeModePairs(*country);
    encodeModeSet(*country, m, 0);
    encodeShared(country->Settings, m);
    exchangeModePairs(*country); // now the extended set is the active one
    encodeModeSet(*country, m, mem::StandbyOffset);
    return m;
}

RadioMemory encodeDocument(const Document& doc) { return encodeImage(doc.working); }

void decodeImage(const RadioMemory& memory, Int16 mode, ImageSet& image)
{
    // The previous image with the country set active: the source of the
    // fields that memory does not hold.
    auto previous = std::make_unique<ImageSet>(image);
    if (isExtendedMode(previous->Settings.ChannelMode))
        exchangeModePairs(*previous);
    auto result = std::make_unique<ImageSet>(*previous);

    decodeModeSet(memory, 0, previous->ActiveChannels, clampCount(previous->Settings.ChannelCount), *result);
    exchangeModePairs(*result);
    decodeModeSet(memory, mem::StandbyOffset, previous->StandbyChannels,
                  clampCount(previous->Settings.StandbyChannelCount), *result);
    exchangeModePairs(*result);
    decodeShared(memory, result->Settings);

    result->Settings.ChannelMode = mode;
    if (isExtendedMode(mode))
        exchangeModePairs(*result);
    image = *result;
}

void decodeDocument(const RadioMemory& memory, Int16 mode, Document& doc) { decodeImage(memory, mode, doc.working); }

} // namespace zav::link
