#include "pictures.h"

#include <QDir>

namespace zav {

QPixmap loadPicture(const std::string& programDir, const char* name)
{
    return QPixmap(QDir(QString::fromStdString(programDir)).filePath(QString::fromLatin1(name)));
}

IconStrip::IconStrip(const std::string& programDir) : strip_(loadPicture(programDir, kIconStrip)) {}

QIcon IconStrip::icon(IconId id) const
{
    const int size = strip_.height();
    const int index = static_cast<int>(id);
    if (strip_.isNull() || size <= 0 || (index + 1) * size > strip_.width())
        return {};
    return QIcon(strip_.copy(index * size, 0, size, size));
}

} // namespace zav
