#include "feature_rules.h"

#include <algorithm>

namespace zav {

namespace {

// StandbySettings positions of the common data's code and roger-beep numbers.
constexpr int kStandbyRogerBeep = 73;
constexpr int kStandbyBotCode = 76;
constexpr int kStandbyEotCode = 77;
constexpr int kStandbyCallCode = 78;

template <class Fn>
void forUsedRecords(Document& doc, Fn fn)
{
    for (int i = 0; i < doc.activeCount(); ++i)
        fn(doc.active()[static_cast<std::size_t>(i)]);
    for (int i = 0; i < doc.standbyCount(); ++i)
        fn(doc.standby()[static_cast<std::size_t>(i)]);
}

void clearIfEqual(Int16& field, int n)
{
    if (field == n)
        field = 0;
}

} // namespace

bool isCodeMemoryDefined(const RadioImage& image, int n)
{
    if (n < 1 || n > kCodeMemories)
        return false;
    return image.DtmfSettings.CodeMemories[static_cast<std::size_t>(n - 1)].Length > 0;
}

std::vector<int> definedCodeMemories(const RadioImage& image)
{
    std::vector<int> out;
    for (int n = 1; n <= kCodeMemories; ++n)
        if (isCodeMemoryDefined(image, n))
            out.push_back(n);
    return out;
}

void clearCodeMemoryReferences(Document& doc, int n)
{
    forUsedRecords(doc, [n](ChannelRecord& r) {
        clearIfEqual(r.option(ChannelOption::BotCode), n);
        clearIfEqual(r.option(ChannelOption::EotCode), n);
        clearIfEqual(r.option(ChannelOption::CallCode), n);
    });
    OptFeat& opt = doc.image().OptFeat;
    clearIfEqual(opt.botCode(), n);
    clearIfEqual(opt.eotCode(), n);
    clearIfEqual(opt.callCode(), n);
    auto& standby = doc.image().StandbySettings;
    for (int pos : {kStandbyBotCode, kStandbyEotCode, kStandbyCallCode})
        clearIfEqual(standby[static_cast<std::size_t>(pos)], n);
}

bool isToneTipDefined(const RadioImage& image, int t)
{
    if (t < 1 || t > kToneTips)
        return false;
    const ToneTip& tip = image.ToneTips[static_cast<std::size_t>(t - 1)];
    if (tip.tipRepeatCount() < 1)
        return false;
    for (int note = 1; note <= kToneTipNotes; ++note)
        if (tip.noteDuration(note) > 0)
            return true;
    return false;
}

std::vector<int> definedToneTips(const RadioImage& image)
{
    std::vector<int> out;
    for (int t = 1; t <= kToneTips; ++t)
        if (isToneTipDefined(image, t))
            out.push_back(t);
    return out;
}

void clearUndefinedRogerBeeps(Document& doc)
{
    const RadioImage& image = doc.image();
    auto keepIfDefined = [&image](Int16& field) {
        if (!isToneTipDefined(image, field))
            field = 0;
    };
    forUsedRecords(doc, [&](ChannelRecord& r) { keepIfDefined(r.option(ChannelOption::RogerBeep)); });
    keepIfDefined(doc.image().OptFeat.rogerBeep());
    keepIfDefined(doc.image().StandbySettings[kStandbyRogerBeep]);
}

std::string trimmedCode(std::string_view text) { return cleanText(text); }

void storeCode(DtmfCode& code, std::string_view text)
{
    std::string trimmed = trimmedCode(text);
    if (trimmed.size() > FixedText<16>::size())
        trimmed.resize(FixedText<16>::size());
    code.Length = static_cast<Int16>(trimmed.size());
    code.Code.assign(trimmed);
}

std::string shownCode(const DtmfCode& code)
{
    if (code.Length < 0 || code.Length > static_cast<int>(FixedText<16>::size()))
        return {};
    return code.Code.raw().substr(0, static_cast<std::size_t>(code.Length));
}

void storeMessageLine(FixedText<16>& line, std::string_view text)
{
    if (text.size() >= FixedText<16>::size()) {
        line.assign(text);
        return;
    }
    std::string stored(text);
    stored.push_back('\0');
    line.assign(stored);
}

std::string powerOnCharacters(const FixedText<16>& text)
{
    std::string shown = text.clean();
    shown.resize(FixedText<16>::size(), ' ');
    return shown;
}

} // namespace zav
