#pragma once

// Keeps the modified document in a recovery file a few seconds after the
// last edit, so that a crash or a killed program loses at most those
// seconds. The file is written on a worker thread from a copy of the image
// (the window never waits for the disk) and removed when the document is
// saved, replaced, or the program ends normally. When no file can be kept,
// the keeper says so once per run.

#include "document.h"

#include <QObject>
#include <QTimer>

#include <memory>
#include <string>

class QThreadPool;

namespace zav {

namespace ui {
struct AppContext;
}

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    /// What keeps the recovery file from being written.
    enum class Problem {
        NoDataFolder,      ///< no folder to keep it in (HOME is not set)
        NotAFile,          ///< a folder, device or pipe has its name
        FolderNotWritable, ///< its folder cannot be made or written
        WriteFailed,       ///< the system refused the write (a full disk ...)
    };
    Q_ENUM(Problem)

    /// path: this run's recovery file (recoveryPath of the data folder and
    /// this process); "" keeps nothing.
    RecoveryKeeper(const Document& doc, std::string path, QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    static constexpr int kDelayMs = 3000;

    /// The document changed: write it once the edits pause.
    void documentEdited();
    /// The document was saved or replaced (or the program ends): no
    /// recovery file is needed.
    void documentSettled();
    /// Waits for the files queued so far (tests, exit).
    void waitForWrites();

    [[nodiscard]] const std::string& path() const { return path_; }
    /// Writes of this run that failed.
    [[nodiscard]] int failedWrites() const { return failedWrites_; }
    /// Why no recovery file can be kept, in the user's language.
    [[nodiscard]] QString problemText(const ui::AppContext& ctx, Problem problem, const QString& systemError) const;
    /// Time from the last edit to the write (tests shorten it).
    void setDelay(int milliseconds) { timer_.setInterval(milliseconds); }

signals:
    /// The first time in this run that no recovery file could be kept;
    /// systemError is the system's description of a failed write.
    void unavailable(zav::RecoveryKeeper::Problem problem, const QString& systemError);

private:
    void writeNow();
    void writeFailed(Problem problem, const QString& systemError);

    const Document& doc_;
    std::string path_;
    QTimer timer_;
    std::unique_ptr<QThreadPool> writer_; ///< one thread: writes and removals stay in order
    int failedWrites_ = 0;
    bool unavailableTold_ = false;
};

} // namespace zav
