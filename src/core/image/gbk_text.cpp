#include "gbk_text.h"

#include <cerrno>
#include <iconv.h>

namespace zav {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD in UTF-8

/// One iconv conversion descriptor for the length of a conversion.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(::iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid())
            ::iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    [[nodiscard]] bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    /// Converts as much of in as it can, appending to out; leaves in at the
    /// first byte it could not convert. Returns 0 or the errno that stopped it.
    int convert(std::string_view& in, std::string& out)
    {
        char buffer[256];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            std::size_t srcLeft = in.size();
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = ::iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            const int error = rc == static_cast<std::size_t>(-1) ? errno : 0;
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            in.remove_prefix(in.size() - srcLeft);
            if (error != 0 && error != E2BIG)
                return error;
        }
        return 0;
    }

private:
    iconv_t cd_;
};

} // namespace

std::string gbkToUtf8(std::string_view bytes)
{
    Converter converter("UTF-8", "GBK");
    std::string out;
    if (!converter.valid()) {
        // Without the converter ASCII still reads as itself.
        for (const char c : bytes)
            out += static_cast<unsigned char>(c) < 0x80 ? std::string(1, c) : std::string(kReplacement);
        return out;
    }
    while (!bytes.empty()) {
        if (converter.convert(bytes, out) == 0)
            break;
        // Not GBK here: show the byte as unreadable and read on after it,
        // so that one bad byte does not hide the characters that follow.
        out += kReplacement;
        bytes.remove_prefix(1);
    }
    return out;
}

std::optional<std::string> utf8ToGbk(std::string_view text)
{
    Converter converter("GBK", "UTF-8");
    if (!converter.valid())
        return std::nullopt;
    std::string out;
    if (converter.convert(text, out) != 0)
        return std::nullopt;
    return out;
}

bool isValidGbk(std::string_view bytes)
{
    Converter converter("UTF-8", "GBK");
    std::string ignored;
    return converter.valid() && converter.convert(bytes, ignored) == 0;
}

} // namespace zav
