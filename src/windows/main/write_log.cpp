#include "write_log.h"

#include <QCryptographicHash>
#include <QFileInfo>

#include <ctime>

namespace zav {

std::string configurationHash(const Document& doc)
{
    const std::vector<std::uint8_t> bytes = dataFileBytes(doc);
    return QCryptographicHash::hash(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                    QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

ProgrammingLogEntry writeLogEntry(const QString& port, const link::RadioIdentity* identity, const Document& doc,
                                  const std::string& hash, const std::string& result)
{
    ProgrammingLogEntry entry;
    entry.when = std::time(nullptr);
    entry.port = port.toStdString();
    if (identity && !identity->modelName.empty()) {
        entry.model = identity->modelName;
        entry.band = std::to_string(identity->bandByte);
        entry.version = identity->version;
    }
    if (!doc.isUntitled)
        entry.fileName = QFileInfo(QString::fromStdString(doc.documentPath)).fileName().toStdString();
    entry.sha256 = hash;
    entry.result = result;
    return entry;
}

} // namespace zav
