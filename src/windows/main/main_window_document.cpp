// The main window's document commands: New, Open, Save, Save As, Init.

#include "data_file.h"
#include "defaults.h"
#include "editor_catalog.h"
#include "editor_window.h"
#include "main_window.h"
#include "prompts.h"
#include "session.h"
#include "versions.h"
#include "window_registry.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QProcess>

namespace zav {

void MainWindow::CloseCurAllWindows() { ui::CloseAllWindows(area_); }

void MainWindow::OpenEditor(const QString& name)
{
    if (!EditorAvailable(name))
        return; // never an empty window
    ui::ShowEditor(area_, name, [this, &name] { return CreateEditor(name, ctx_); });
}

void MainWindow::ShowChannelTable() { OpenEditor(QStringLiteral("frmCommChInfo")); }

void MainWindow::SetSaveEditData()
{
    if (ui::EditorWindow* table = ui::FindEditor(area_, QStringLiteral("frmCommChInfo")))
        table->commitPendingEdit();
}

// --- New --------------------------------------------------------------------

void MainWindow::LoadNewDoc2()
{
    buildNewDocument(session_.doc, session_.paths.initDir(), TemplateVariant::NewDocument);
    SetMainCaptions();
    ShowChannelTable();
    ShowMainTxt();
}

void MainWindow::LoadNewDoc()
{
    CloseCurAllWindows();
    NewDocTimer.start();
}

void MainWindow::NewDocTimer_Timer()
{
    NewDocTimer.stop();
    Document& doc = session_.doc;
    const TemplateVariant variant = doc.initPending ? TemplateVariant::Init : TemplateVariant::NewDocument;
    const NewDocumentResult result = buildNewDocument(doc, session_.paths.initDir(), variant);
    if (result.messageId != 0)
        ui::Inform(this, ctx_.text(result.messageId), ui::Icon::Critical);
    SetMainCaptions();
    ShowCountryMode();
    ShowChannelTable();
    ShowMainTxt();
    area_->cascadeSubWindows();
    doc.initPending = false;
}

void MainWindow::mnuFileNew_Click()
{
    Document& doc = session_.doc;
    if (doc.isModified()) {
        // No and Cancel both go on to the question below; only Yes saves.
        const ui::Answer answer = ui::Ask(this, ctx_.text(9006), ui::Buttons::YesNoCancel, ui::Icon::Warning);
        if (answer == ui::Answer::Yes && !SaveWithoutAsking()) {
            doc.initPending = false;
            return;
        }
    }
    if (ui::Ask(this, ctx_.text(9026), ui::Buttons::OkCancel, ui::Icon::Warning) != ui::Answer::Ok) {
        doc.initPending = false;
        return;
    }
    LoadNewDoc();
}

void MainWindow::ToolbarNew()
{
    if (session_.doc.isModified()) {
        // The toolbar has no second question, so Cancel stops here.
        const ui::Answer answer = ui::Ask(this, ctx_.text(9006), ui::Buttons::YesNoCancel, ui::Icon::Warning);
        if (answer == ui::Answer::Cancel || (answer == ui::Answer::Yes && !SaveWithoutAsking()))
            return;
    }
    LoadNewDoc();
}

void MainWindow::MnuInit_Click()
{
    session_.doc.initPending = true;
    mnuFileNew_Click();
}

// --- Save -------------------------------------------------------------------

bool MainWindow::SaveTo(const std::string& path)
{
    Document& doc = session_.doc;
    const std::string previousPath = doc.documentPath;
    if (!saveDocument(doc, path)) {
        doc.documentPath = previousPath;
        ui::Inform(this, ctx_.text(9002), ui::Icon::Critical);
        ShowMainTxt();
        return false;
    }
    doc.documentPath = path;
    doc.isUntitled = false;
    ShowMainTxt();
    return true;
}

bool MainWindow::SaveWithoutAsking()
{
    // An untitled document has no file to go to: ask for one.
    if (session_.doc.isUntitled)
        return mnuFileSaveAs_Click();
    return SaveTo(session_.doc.documentPath);
}

bool MainWindow::mnuFileSave_Click()
{
    Document& doc = session_.doc;
    if (doc.isUntitled)
        return mnuFileSaveAs_Click();
    const QString question = "\"" + QString::fromStdString(doc.documentName()) + "\"" + ctx_.text(9007);
    if (ui::Ask(this, question, ui::Buttons::OkCancel, ui::Icon::Question) != ui::Answer::Ok)
        return false;
    return SaveTo(doc.documentPath);
}

bool MainWindow::mnuFileSaveAs_Click()
{
    const QString path = ui::GetSaveFile(this, ctx_.text(10004).remove('&'),
                                         QString::fromStdString(session_.doc.documentPath), fileFilter_);
    if (path.isEmpty())
        return false;
    return SaveTo(path.toStdString());
}

// --- Open -------------------------------------------------------------------

void MainWindow::mnuFileOpen_Click()
{
    if (session_.doc.isModified()) {
        const ui::Answer answer = ui::Ask(this, ctx_.text(9006), ui::Buttons::YesNoCancel, ui::Icon::Warning);
        if (answer == ui::Answer::Cancel || (answer == ui::Answer::Yes && !SaveWithoutAsking()))
            return;
    }
    const QString dir = QFileInfo(QString::fromStdString(session_.doc.documentPath)).absolutePath();
    const QString path = ui::GetOpenFile(this, ctx_.text(10002).remove('&'), dir, fileFilter_);
    if (path.isEmpty())
        return;
    OpenFile(path);
}

void MainWindow::OpenFile(const QString& path)
{
    CloseCurAllWindows();
    const OpenResult result = openDocument(session_.doc, path.toStdString(), session_.versions);
    switch (result.outcome) {
    case OpenOutcome::Opened:
        ShowCountryMode();
        SetMainCaptions();
        break;
    case OpenOutcome::Incompatible:
        // The other version gets the file; this program then ends.
        if (AskOtherVersion(result.fileVersion, {path}))
            return;
        break;
    default:
        ui::Inform(this, ctx_.text(result.messageId()), ui::Icon::Critical);
        break;
    }
    // Opened or not, the channel table shows the document in force.
    ShowChannelTable();
    ShowMainTxt();
    area_->cascadeSubWindows();
}

// --- other program versions ------------------------------------------------

bool MainWindow::AskOtherVersion(const std::string& imageVersion, const QStringList& arguments)
{
    const std::string question = incompatibleMessage(session_.texts, kProgramImageVersion, imageVersion);
    if (ui::Ask(this, QString::fromStdString(question), ui::Buttons::YesNo, ui::Icon::Question) != ui::Answer::Yes)
        return false;
    return StartOtherVersion(imageVersion, arguments) && close();
}

bool MainWindow::StartOtherVersion(const std::string& imageVersion, const QStringList& arguments)
{
    const std::string program =
        otherVersionProgram(session_.versions, session_.paths.dataDir, options_.programFile, imageVersion);
    if (program.empty() || !QProcess::startDetached(QString::fromStdString(program), arguments)) {
        // Nothing was started: the program goes on (9063 says why).
        ui::Inform(this, ctx_.text(9063), ui::Icon::Warning);
        return false;
    }
    return true;
}

} // namespace zav
