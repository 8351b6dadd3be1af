#include "app_context.h"

namespace zav::ui {

QString fromBytes(const std::string& bytes) { return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())); }

std::string toBytes(const QString& text)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text)
        out.push_back(c.unicode() > 255 ? '?' : static_cast<char>(c.unicode()));
    return out;
}

} // namespace zav::ui
