#include "write_log.h"

#include <QCryptographicHash>
#include <QFileInfo>

#include <ctime>

namespace zav {

WrittenDocument describeWritten(const Document& doc)
{
    const std::vector<std::uint8_t> bytes = dataFileBytes(doc);
    WrittenDocument written;
    written.sha256 = QCryptographicHash::hash(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                              QCryptographicHash::Sha256)
                         .toHex()
                         .toStdString();
    const std::string name =
        doc.isUntitled ? std::string() : QFileInfo(QString::fromStdString(doc.documentPath)).fileName().toStdString();
    written.fileName = logFileName(name, doc.isModified());
    return written;
}

ProgrammingLogEntry writeLogEntry(const QString& port, const link::RadioIdentity* identity,
                                  const WrittenDocument& written, const std::string& result)
{
    ProgrammingLogEntry entry;
    entry.when = std::time(nullptr);
    entry.port = port.toStdString();
    if (identity && !identity->modelName.empty()) {
        entry.model = identity->modelName;
        entry.band = std::to_string(identity->bandByte);
        entry.version = identity->version;
    }
    entry.fileName = written.fileName;
    entry.sha256 = written.sha256;
    entry.result = result;
    return entry;
}

} // namespace zav
