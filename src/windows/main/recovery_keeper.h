#pragma once

// Keeps the modified document in a recovery file a few seconds after the
// last edit, so that a crash or a killed program loses at most those
// seconds. The file is written on a worker thread from a copy of the image
// (the window never waits for the disk) and removed when the document is
// saved, replaced, or the program ends normally.

#include "document.h"

#include <QObject>
#include <QTimer>

#include <memory>
#include <string>

class QThreadPool;

namespace zav {

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
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
    /// Time from the last edit to the write (tests shorten it).
    void setDelay(int milliseconds) { timer_.setInterval(milliseconds); }

private:
    void writeNow();

    const Document& doc_;
    std::string path_;
    QTimer timer_;
    std::unique_ptr<QThreadPool> writer_; ///< one thread: writes and removals stay in order
};

} // namespace zav
