// Settings > Wire Trace: every byte of the transfers written to a file, for
// when a cable or a radio misbehaves (see wire_trace.h).

#include "main_window.h"
#include "file_write_text.h"
#include "problem_report_dialog.h"
#include "prompts.h"
#include "radio_link.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStatusBar>

namespace zav {
namespace {

constexpr int kTextTraceCaption = 32901;
constexpr int kTextTraceFilter = 32902;
constexpr int kTextTraceFailed = 32903; ///< %1 the file
constexpr int kTextTracing = 32904;     ///< %1 the file

} // namespace

void MainWindow::toggleWireTrace()
{
    if (link_->tracing()) {
        link_->stopTrace();
        action(MenuAction::WireTrace)->setChecked(false);
        statusBar_->clearMessage();
        return;
    }
    const QString path = ui::getSaveFile(this, ctx_.text(kTextTraceCaption),
                                         QDir::home().filePath(QStringLiteral("zavprog-trace.txt")), ctx_.text(kTextTraceFilter));
    if (path.isEmpty()) {
        action(MenuAction::WireTrace)->setChecked(false);
        return;
    }
    startWireTrace(path);
}

bool MainWindow::startWireTrace(const QString& path)
{
    const FileWriteResult started = link_->startTrace(QFile::encodeName(path).toStdString());
    action(MenuAction::WireTrace)->setChecked(started.ok());
    if (!started) {
        ui::inform(this, ctx_.text(kTextTraceFailed).arg(path) + QStringLiteral("\r\n") + ui::fileWriteProblemText(ctx_, path, started),
                   ui::Icon::Critical);
        return false;
    }
    // A problem report offers the last trace kept.
    QSettings().setValue(QString::fromLatin1(help::kLastTraceKey), path);
    // For a while; the checked menu item says it for as long as it runs.
    constexpr int kShownMs = 10000;
    statusBar_->showMessage(ctx_.text(kTextTracing).arg(QDir::toNativeSeparators(path)), kShownMs);
    return true;
}

} // namespace zav
