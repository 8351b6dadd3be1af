// The main window's document commands: New, Open, Save, Save As, Init.

#include "data_file.h"
#include "common_text_ids.h"
#include "defaults.h"
#include "editor_catalog.h"
#include "main_window.h"
#include "pending_edits.h"
#include "file_write_text.h"
#include "prompts.h"
#include "session.h"
#include "recovery_keeper.h"
#include "undo_tracker.h"
#include "versions.h"
#include "window_names.h"
#include "window_registry.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QProcess>

namespace zav {
namespace {

constexpr int kTextOverwrite = 9007;      // ": overwrite this file with the current data?"
constexpr int kTextNewDocument = 9026;
constexpr int kTextNoOtherVersion = 9063;
constexpr int kTextOpen = 10002;          // "&Open..."
constexpr int kTextSaveAs = 10004;        // "Save &As..."

} // namespace

void MainWindow::closeAllWindows() { ui::closeAllWindows(area_); }

void MainWindow::openEditor(const QString& name)
{
    if (!editorAvailable(name))
        return; // never an empty window
    ui::showEditor(area_, name, [this, &name] { return createEditor(name, ctx_); });
}

void MainWindow::showChannelTable() { openEditor(kChannelTableName); }

// --- New --------------------------------------------------------------------

void MainWindow::loadStartupDocument()
{
    buildNewDocument(session_.doc, session_.paths.initDir(), TemplateVariant::NewDocument);
    retranslate();
    showChannelTable();
    refreshCaption();
    documentSettled();
}

void MainWindow::scheduleNewDocument()
{
    closeAllWindows();
    newDocumentTimer_.start();
}

void MainWindow::buildScheduledDocument()
{
    newDocumentTimer_.stop();
    Document& doc = session_.doc;
    const TemplateVariant variant = doc.initPending ? TemplateVariant::Init : TemplateVariant::NewDocument;
    const NewDocumentResult result = buildNewDocument(doc, session_.paths.initDir(), variant);
    if (result.messageId != 0)
        ui::inform(this, ctx_.text(result.messageId), ui::Icon::Critical);
    retranslate();
    showChannelMode();
    showChannelTable();
    refreshCaption();
    area_->cascadeSubWindows();
    doc.initPending = false;
    documentSettled();
}

void MainWindow::newDocument()
{
    Document& doc = session_.doc;
    ui::commitPendingEdits(ctx_);
    if (doc.isModified()) {
        // No and Cancel both go on to the question below; only Yes saves.
        const ui::Answer answer =
            ui::ask(this, ctx_.text(textid::kTextSaveChanges), ui::Buttons::YesNoCancel, ui::Icon::Warning);
        if (answer == ui::Answer::Yes && !saveWithoutAsking()) {
            doc.initPending = false;
            return;
        }
    }
    if (ui::ask(this, ctx_.text(kTextNewDocument), ui::Buttons::OkCancel, ui::Icon::Warning) != ui::Answer::Ok) {
        doc.initPending = false;
        return;
    }
    scheduleNewDocument();
}

void MainWindow::newDocumentFromToolbar()
{
    ui::commitPendingEdits(ctx_);
    if (session_.doc.isModified()) {
        // The toolbar has no second question, so Cancel stops here.
        const ui::Answer answer =
            ui::ask(this, ctx_.text(textid::kTextSaveChanges), ui::Buttons::YesNoCancel, ui::Icon::Warning);
        if (answer == ui::Answer::Cancel || (answer == ui::Answer::Yes && !saveWithoutAsking()))
            return;
    }
    scheduleNewDocument();
}

void MainWindow::initializeDocument()
{
    session_.doc.initPending = true;
    newDocument();
}

// --- Save -------------------------------------------------------------------

bool MainWindow::saveTo(const std::string& path)
{
    Document& doc = session_.doc;
    const std::string previousPath = doc.documentPath;
    if (const FileWriteResult saved = zav::saveDocument(doc, path); !saved) {
        doc.documentPath = previousPath;
        // What was wrong with the target when that is known (a read-only
        // file, a folder...), below the usual file error.
        QString text = ctx_.text(kTextFileError);
        if (saved.problem != FileWriteProblem::Failed)
            text += QStringLiteral("\r\n") + ui::fileWriteProblemText(ctx_, QString::fromStdString(path), saved);
        ui::inform(this, text, ui::Icon::Critical);
        refreshCaption();
        return false;
    }
    doc.documentPath = path;
    doc.isUntitled = false;
    refreshCaption();
    recovery_->documentSettled();
    return true;
}

bool MainWindow::saveWithoutAsking()
{
    ui::commitPendingEdits(ctx_);
    // An untitled document has no file to go to: ask for one.
    if (session_.doc.isUntitled)
        return saveDocumentAs();
    return saveTo(session_.doc.documentPath);
}

bool MainWindow::saveDocument()
{
    Document& doc = session_.doc;
    ui::commitPendingEdits(ctx_);
    if (doc.isUntitled)
        return saveDocumentAs();
    const QString question = "\"" + QString::fromStdString(doc.documentName()) + "\"" + ctx_.text(kTextOverwrite);
    if (ui::ask(this, question, ui::Buttons::OkCancel, ui::Icon::Question) != ui::Answer::Ok)
        return false;
    return saveTo(doc.documentPath);
}

bool MainWindow::saveDocumentAs()
{
    ui::commitPendingEdits(ctx_);
    QString path = ui::getSaveFile(this, ui::dialogTitle(ctx_.text(kTextSaveAs)),
                                   QString::fromStdString(session_.doc.documentPath), fileFilter_);
    if (path.isEmpty())
        return false;
    // The open dialog lists *.dat only: a name typed without an extension
    // would give a file that cannot be found again.
    if (!QFileInfo(path).fileName().contains('.'))
        path += QStringLiteral(".dat");
    return saveTo(path.toStdString());
}

// --- Open -------------------------------------------------------------------

void MainWindow::openDocument()
{
    ui::commitPendingEdits(ctx_);
    if (session_.doc.isModified()) {
        const ui::Answer answer =
            ui::ask(this, ctx_.text(textid::kTextSaveChanges), ui::Buttons::YesNoCancel, ui::Icon::Warning);
        if (answer == ui::Answer::Cancel || (answer == ui::Answer::Yes && !saveWithoutAsking()))
            return;
    }
    const QString dir = QFileInfo(QString::fromStdString(session_.doc.documentPath)).absolutePath();
    const QString path = ui::getOpenFile(this, ui::dialogTitle(ctx_.text(kTextOpen)), dir, fileFilter_);
    if (path.isEmpty())
        return;
    openFile(path);
}

void MainWindow::openFile(const QString& path)
{
    closeAllWindows();
    const OpenResult result = zav::openDocument(session_.doc, path.toStdString(), session_.versions);
    switch (result.outcome) {
    case OpenOutcome::Opened:
        showChannelMode();
        retranslate();
        break;
    case OpenOutcome::Incompatible:
        // The other version gets the file; this program then ends.
        if (askOtherVersion(result.fileVersion, {path}))
            return;
        break;
    default:
        ui::inform(this, ctx_.text(result.messageId()), ui::Icon::Critical);
        break;
    }
    // Opened or not, the channel table shows the document in force.
    showChannelTable();
    refreshCaption();
    area_->cascadeSubWindows();
    if (result.outcome == OpenOutcome::Opened)
        documentSettled();
}

// --- other program versions ------------------------------------------------

bool MainWindow::askOtherVersion(const std::string& imageVersion, const QStringList& arguments)
{
    const std::string question = incompatibleMessage(session_.texts, kProgramImageVersion, imageVersion);
    if (ui::ask(this, QString::fromStdString(question), ui::Buttons::YesNo, ui::Icon::Question) != ui::Answer::Yes)
        return false;
    return startOtherVersion(imageVersion, arguments) && close();
}

bool MainWindow::startOtherVersion(const std::string& imageVersion, const QStringList& arguments)
{
    const std::string program =
        otherVersionProgram(session_.versions, session_.paths.dataDir, options_.programFile, imageVersion);
    if (program.empty() || !QProcess::startDetached(QString::fromStdString(program), arguments)) {
        // Nothing was started: the program goes on (9063 says why).
        ui::inform(this, ctx_.text(kTextNoOtherVersion), ui::Icon::Warning);
        return false;
    }
    return true;
}

} // namespace zav
