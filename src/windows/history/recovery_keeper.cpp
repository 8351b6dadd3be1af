#include "recovery_keeper.h"

#include "app_context.h"
#include "recovery_store.h"

#include <QFileInfo>
#include <QThreadPool>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zav {
namespace {

/// What stood in the way of a recovery file that could not be written.
RecoveryKeeper::Problem problemAt(const std::string& path)
{
    const QFileInfo file(QString::fromStdString(path));
    if (file.exists() && !file.isFile())
        return RecoveryKeeper::Problem::NotAFile;
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir() || !folder.isWritable())
        return RecoveryKeeper::Problem::FolderNotWritable;
    return RecoveryKeeper::Problem::WriteFailed;
}

} // namespace

RecoveryKeeper::RecoveryKeeper(const Document& doc, std::string path, QObject* parent)
    : QObject(parent), doc_(doc), path_(std::move(path)), writer_(std::make_unique<QThreadPool>())
{
    writer_->setMaxThreadCount(1);
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::writeNow);
}

RecoveryKeeper::~RecoveryKeeper() { waitForWrites(); }

void RecoveryKeeper::documentEdited()
{
    if (path_.empty())
        writeFailed(Problem::NoDataFolder, {});
    else
        timer_.start();
}

void RecoveryKeeper::documentSettled()
{
    timer_.stop();
    if (path_.empty())
        return;
    const std::string path = path_;
    writer_->start([path] { removeRecovery(path); });
}

void RecoveryKeeper::waitForWrites() { writer_->waitForDone(); }

void RecoveryKeeper::writeNow()
{
    if (path_.empty())
        return;
    if (!doc_.isModified()) {
        documentSettled();
        return;
    }
    // The worker writes a copy: the document may change meanwhile.
    auto copy = std::make_shared<Document>(doc_);
    const std::string path = path_;
    writer_->start([this, copy, path] {
        errno = 0;
        if (writeRecovery(path, *copy))
            return;
        const int error = errno != 0 ? errno : EIO;
        const Problem problem = problemAt(path);
        const QString systemError = QString::fromLocal8Bit(std::strerror(error));
        // Told on the window's thread; the keeper outlives its writes.
        QMetaObject::invokeMethod(this, [this, problem, systemError] { writeFailed(problem, systemError); },
                                  Qt::QueuedConnection);
    });
}

void RecoveryKeeper::writeFailed(Problem problem, const QString& systemError)
{
    if (problem != Problem::NoDataFolder)
        ++failedWrites_;
    // Once: an edit every few seconds must not repeat it.
    if (unavailableTold_)
        return;
    unavailableTold_ = true;
    emit unavailable(problem, systemError);
}

QString RecoveryKeeper::problemText(const ui::AppContext& ctx, Problem problem, const QString& systemError) const
{
    constexpr int kTextNotAFile = 33307;    // %1 the file
    constexpr int kTextFolder = 33308;      // %1 the file
    constexpr int kTextWriteFailed = 33309; // %1 the file, %2 the system's words
    constexpr int kTextNoFolder = 33310;
    const QString file = QString::fromStdString(path_);
    switch (problem) {
    case Problem::NoDataFolder: return ctx.text(kTextNoFolder);
    case Problem::NotAFile: return ctx.text(kTextNotAFile).arg(file);
    case Problem::FolderNotWritable: return ctx.text(kTextFolder).arg(file);
    case Problem::WriteFailed: return ctx.text(kTextWriteFailed).arg(file, systemError);
    }
    return {};
}

} // namespace zav
