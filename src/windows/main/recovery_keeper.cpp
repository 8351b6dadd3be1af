#include "recovery_keeper.h"

#include "recovery_store.h"

#include <QThreadPool>

namespace zav {

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
    if (!path_.empty())
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
    writer_->start([copy, path] { (void)writeRecovery(path, *copy); });
}

} // namespace zav
