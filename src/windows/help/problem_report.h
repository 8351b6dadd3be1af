#pragma once

// What a problem report holds, gathered from the run and the user's files:
// the versions, the settings, the programming log's last lines, a wire
// trace, the open document when the user wants it, and the user's words.
// Nothing leaves the computer: the report is a file the user mails.

#include "zip_archive.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace zav {
struct Session;
}

namespace zav::help {

struct ProblemReportInput {
    QString description;     ///< what happened, in the user's words
    QString tracePath;       ///< a wire trace to add ("" for none)
    bool includeDocument = false;
    QString settingsStore;   ///< the desktop's settings store (QSettings' file)
    QString programmingLog;  ///< the programming log's file
};

/// The programming log's lines kept in a report (its header and the newest).
inline constexpr int kReportLogLines = 200;
/// The most of a wire trace a report keeps (its end, where the failure is).
inline constexpr qsizetype kReportTraceBytes = 4 * 1024 * 1024;

/// The report's files. Every secret the run knows is scrubbed from them.
[[nodiscard]] std::vector<ArchiveFile> collectProblemReport(const Session& session, const ProblemReportInput& input);
/// The radio passwords this run has seen: the one typed in the password
/// dialog and ZAV_PASSWORD's (the command line's --password only reaches
/// its own process, whose trace masks it).
[[nodiscard]] QStringList knownSecrets(const Session& session);
/// Replaces every occurrence of each secret in every file by asterisks of
/// its length: a last line of defence behind the trace's own mask.
void scrubSecrets(std::vector<ArchiveFile>& files, const QStringList& secrets);

} // namespace zav::help
