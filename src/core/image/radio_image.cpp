#include "radio_image.h"

namespace zav {

std::string cleanText(std::string_view text)
{
    // Cut at the first NUL, then drop trailing spaces.
    auto nul = text.find('\0');
    if (nul != std::string_view::npos)
        text = text.substr(0, nul);
    auto end = text.find_last_not_of(' ');
    if (end == std::string_view::npos)
        return {};
    return std::string(text.substr(0, end + 1));
}

namespace {
template <class R>
auto* optionMember(R& r, int id)
{
    switch (id) {
    case 7: return &r.Option7;
    case 8: return &r.Option8;
    case 9: return &r.Option9;
    case 10: return &r.Option10;
    case 11: return &r.Option11;
    case 12: return &r.Option12;
    case 13: return &r.Option13;
    case 14: return &r.Option14;
    case 15: return &r.Option15;
    case 16: return &r.Option16;
    case 17: return &r.Option17;
    case 18: return &r.Option18;
    case 19: return &r.Option19;
    case 21: return &r.Option21;
    case 22: return &r.Option22;
    case 23: return &r.Option23;
    case 24: return &r.Option24;
    case 25: return &r.Option25;
    case 26: return &r.Option26;
    case 27: return &r.Option27;
    case 28: return &r.Option28;
    case 29: return &r.Option29;
    case 30: return &r.Option30;
    case 37: return &r.Option37;
    case 38: return &r.Option38;
    case 39: return &r.Option39;
    case 40: return &r.Option40;
    case 41: return &r.Option41;
    case 42: return &r.Option42;
    case 43: return &r.Option43;
    case 44: return &r.Option44;
    default: return static_cast<decltype(&r.Option7)>(nullptr);
    }
}
} // namespace

Int16* ChannelRecord::option(int id) { return optionMember(*this, id); }
const Int16* ChannelRecord::option(int id) const { return optionMember(*this, id); }

Int16& DtmfSettings::integer(int k)
{
    switch (k) {
    case 0: return DigitRate;
    case 1: return FirstDigitTime;
    case 2: return FirstDigitDelay;
    case 3: return StarHashTime;
    case 4: return DKeySetting;
    case 5: return Sidetone;
    case 6: return CallAlert;
    case 7: return GroupCode;
    default: return AutoResetTime;
    }
}

} // namespace zav
