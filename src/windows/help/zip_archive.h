#pragma once

// A zip archive made in memory with libarchive (Qt has no public zip
// writer), so that the one safe-save routine writes it like any other file.

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace zav::help {

struct ArchiveFile {
    QString name;     ///< path inside the archive ("settings/mysetup.ini")
    QByteArray bytes;
};

/// The files as one zip archive; nullopt (with *error) when libarchive fails.
[[nodiscard]] std::optional<QByteArray> zipArchive(const std::vector<ArchiveFile>& files, QString* error);
/// The files of a zip archive (to check what one holds).
[[nodiscard]] std::optional<std::vector<ArchiveFile>> unzipArchive(const QByteArray& archive, QString* error);

} // namespace zav::help
