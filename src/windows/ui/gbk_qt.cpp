#include "gbk_qt.h"

#include "gbk_text.h"

namespace zav::ui {

QString fromGbk(std::string_view bytes) { return QString::fromStdString(gbkToUtf8(bytes)); }

std::optional<std::string> toGbk(const QString& text) { return utf8ToGbk(text.toStdString()); }

int gbkLength(const QString& text)
{
    const auto bytes = toGbk(text);
    return bytes ? static_cast<int>(bytes->size()) : -1;
}

QString editedText(QString text) { return text.remove(QChar::ReplacementCharacter); }

} // namespace zav::ui
