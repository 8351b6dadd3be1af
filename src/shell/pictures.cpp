#include "pictures.h"

#include <QDir>

namespace zav {

QPixmap LoadPicture(const std::string& programDir, const char* name)
{
    return QPixmap(QDir(QString::fromStdString(programDir)).filePath(QString::fromLatin1(name)));
}

QIcon StripIcon(const std::string& programDir, IconId id)
{
    const QPixmap strip = LoadPicture(programDir, kIconStrip);
    const int size = strip.height();
    const int index = static_cast<int>(id);
    if (strip.isNull() || size <= 0 || (index + 1) * size > strip.width())
        return {};
    return QIcon(strip.copy(index * size, 0, size, size));
}

} // namespace zav
