#pragma once

// Recovery after a crash: a few seconds after the last edit the desktop
// program writes its modified document to recovery-<pid>.dat in the
// per-user data folder. A save, New, Open or a normal exit removes it, so a
// file whose program is no longer running was left by a run that ended
// abnormally, and the next start offers it. The process id in the name
// keeps two programs running at once apart. The side file beside it
// (side_info.h) names the data file the work came from.

#include "document.h"
#include "version_records.h"

#include <ctime>
#include <string>
#include <vector>

namespace zav {

/// folder/recovery-<pid>.dat
[[nodiscard]] std::string recoveryPath(const std::string& folder, long pid);

/// Writes the document's working image atomically (the previous recovery
/// file stays whole until the new one is complete), and the document's file
/// into the side file. False on any error.
bool writeRecovery(const std::string& path, const Document& doc);

/// Removes a recovery file with its side file.
void removeRecovery(const std::string& path);

/// What the question about left work names: when it was last kept and the
/// data file it came from ("" for an untitled document).
struct RecoveryFacts {
    std::time_t time = 0;
    std::string document;
};
[[nodiscard]] RecoveryFacts recoveryFacts(const std::string& path);

/// Recovery files of folder whose program is not running, oldest first.
[[nodiscard]] std::vector<std::string> abandonedRecoveries(const std::string& folder);

/// Makes the recovery file's image the working image of doc, named after
/// the data file the work came from (untitled when it had none); doc's
/// saved image stays, so the restored work counts as modified against it.
/// False, with doc unchanged, when the file is not a whole, sane data file
/// of this program.
bool restoreRecovery(Document& doc, const std::string& path, const VersionRecords& versions);

} // namespace zav
