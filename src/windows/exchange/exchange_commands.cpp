#include "exchange_commands.h"

#include "app_context.h"
#include "atomic_file.h"
#include "channel_csv.h"
#include "channel_table_window.h"
#include "pending_edits.h"
#include "file_write_text.h"
#include "import_choice_dialog.h"
#include "prompts.h"
#include "refusal_dialog.h"
#include "report_builder.h"
#include "report_pdf.h"
#include "undo_tracker.h"
#include "window_names.h"
#include "window_registry.h"

#include <QAction>
#include <QClipboard>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace zav {
namespace {
constexpr int kTextExportChannels = 32740;
constexpr int kTextPrint = 32742;
constexpr int kTextExportPdf = 32743;
constexpr int kTextCopyChannels = 32744;
constexpr int kTextPasteChannels = 32745;
constexpr int kTextCsvFilter = 32746;
constexpr int kTextPdfFilter = 32747;
constexpr int kTextNotRead = 32749;
constexpr int kTextNoRows = 32758;
constexpr int kTextNoTable = 32759;
constexpr int kTextEmergencyCleared = 33132; ///< "The import also cleared emergency channels..."
constexpr int kChinese = 2;

/// Larger than any channel table a spreadsheet could hold; stops a wrong
/// file choice from filling the memory.
constexpr qint64 kMaxCsvBytes = 16 * 1024 * 1024;

QString withSuffix(QString path, const QString& suffix)
{
    if (!QFileInfo(path).fileName().contains('.'))
        path += suffix;
    return path;
}

} // namespace

ExchangeCommands::ExchangeCommands(ui::AppContext& ctx, QWidget* window, UndoTracker& undo)
    : QObject(window), ctx_(ctx), window_(window), undo_(undo)
{
    const auto action = [this](const char* name, void (ExchangeCommands::*slot)()) {
        auto* a = new QAction(this);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    exportChannels_ = action("mnuExportChannels", &ExchangeCommands::exportChannels);
    importChannels_ = action("mnuImportChannels", &ExchangeCommands::importChannels);
    print_ = action("mnuPrintReport", &ExchangeCommands::printReport);
    exportPdf_ = action("mnuExportPdf", &ExchangeCommands::exportPdf);
    copy_ = action("mnuCopyChannels", &ExchangeCommands::copyChannels);
    copy_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    paste_ = action("mnuPasteChannels", &ExchangeCommands::pasteChannels);
    paste_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    retranslate();
}

void ExchangeCommands::retranslate()
{
    exportChannels_->setText(ctx_.text(kTextExportChannels));
    importChannels_->setText(ctx_.text(kTextImportChannels));
    print_->setText(ctx_.text(kTextPrint));
    exportPdf_->setText(ctx_.text(kTextExportPdf));
    copy_->setText(ctx_.text(kTextCopyChannels));
    paste_->setText(ctx_.text(kTextPasteChannels));
}

void ExchangeCommands::commitPendingEdits()
{
    ui::commitPendingEdits(ctx_);
    // What was typed is a step of its own, not part of an import after it.
    undo_.checkForEdit();
}

QString ExchangeCommands::suggestedPath(const QString& suffix) const
{
    const QFileInfo info(QString::fromStdString(ctx_.doc().documentPath));
    return info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + suffix;
}

// --- CSV ----------------------------------------------------------------------

void ExchangeCommands::exportChannels()
{
    commitPendingEdits();
    const QString path = ui::getSaveFile(window_, ui::dialogTitle(ctx_.text(kTextExportChannels)),
                                         suggestedPath(QStringLiteral(".csv")), ctx_.text(kTextCsvFilter));
    if (path.isEmpty())
        return;
    const QString target = withSuffix(path, QStringLiteral(".csv"));
    const std::string text = exportChannelsCsv(ctx_.doc());
    const FileWriteResult written =
        writeFileAtomically(QFile::encodeName(target).toStdString(), std::vector<std::uint8_t>(text.begin(), text.end()));
    if (!written)
        ui::inform(window_, ui::fileWriteProblemText(ctx_, target, written), ui::Icon::Critical);
}

void ExchangeCommands::importChannels()
{
    commitPendingEdits();
    const QString dir = QFileInfo(QString::fromStdString(ctx_.doc().documentPath)).absolutePath();
    const QString path = ui::getOpenFile(window_, ui::dialogTitle(ctx_.text(kTextImportChannels)), dir,
                                         ctx_.text(kTextCsvFilter));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxCsvBytes) {
        ui::inform(window_, ctx_.text(kTextNotRead).arg(path), ui::Icon::Critical);
        return;
    }
    const QByteArray bytes = file.readAll();
    // In extended mode an import may replace the whole table: the user
    // hears so first (hand-typed channels would go), and may keep every
    // channel the file does not name. A country table is never replaced.
    ImportScope scope = ImportScope::ChannelsInFile;
    if (frequenciesTypable(ctx_.doc().image().ChannelMode)) {
        ImportChoiceDialog question([this](int id) { return ctx_.text(id); }, ctx_.doc().activeCount(), window_);
        const std::optional<ImportScope> chosen = ImportChoiceDialog::scopeOf(ui::execDialog(question));
        if (!chosen)
            return;
        scope = *chosen;
    }
    Document changed = ctx_.doc();
    const CsvImportResult result =
        importChannelsCsv(changed, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                          RefusedRows::SkipThem, scope);
    apply(changed, result, ChangeSummary::Area::Import);
}

bool ExchangeCommands::apply(Document& changed, const CsvImportResult& result, ChangeSummary::Area step)
{
    if (!result.ok()) {
        RefusalDialog dialog([this](int id) { return ctx_.text(id); }, result, result.stored, window_);
        if (ui::execDialog(dialog) != QDialog::Accepted || result.stored == 0)
            return false;
    }
    ctx_.doc().working = changed.working;
    // One step for the whole import; every open window shows it again.
    undo_.recordReplacement(step);
    if (ctx_.shell)
        ctx_.shell->refreshCaption();
    // Emergency channels that pointed at empty slots were cleared: a change
    // the user did not ask for, so it is told.
    if (!result.emergencyResets.empty()) {
        const auto text = [this](int id) { return ctx_.text(id).toStdString(); };
        QStringList lines{ctx_.text(kTextEmergencyCleared)};
        for (const EmergencyReset& reset : result.emergencyResets)
            lines << QString::fromStdString(reasonIn(emergencyResetReason(reset), text));
        ui::inform(window_, lines.join(QLatin1Char('\n')), ui::Icon::Information);
    }
    return true;
}

// --- clipboard ------------------------------------------------------------------

void ExchangeCommands::copyChannels()
{
    auto* table = qobject_cast<ChannelTableWindow*>(ui::findEditor(ctx_.area, kChannelTableName));
    if (!table) {
        ui::inform(window_, ctx_.text(kTextNoTable), ui::Icon::Information);
        return;
    }
    commitPendingEdits();
    const std::vector<int> numbers = table->selectedChannelNumbers();
    if (numbers.empty())
        return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(copyChannelsText(ctx_.doc(), numbers)));
}

void ExchangeCommands::pasteChannels()
{
    auto* table = qobject_cast<ChannelTableWindow*>(ui::findEditor(ctx_.area, kChannelTableName));
    if (!table || table->currentRow() < 1) {
        ui::inform(window_, ctx_.text(kTextNoTable), ui::Icon::Information);
        return;
    }
    commitPendingEdits();
    const QByteArray text = QGuiApplication::clipboard()->text().toUtf8();
    if (text.size() > kMaxCsvBytes) {
        ui::inform(window_, ctx_.text(kTextNoRows), ui::Icon::Information);
        return;
    }
    Document changed = ctx_.doc();
    const int group = table->shownGroup();
    const int firstRow = table->currentRow();
    const CsvImportResult result =
        pasteChannelsText(changed, std::string_view(text.constData(), static_cast<std::size_t>(text.size())), group,
                          firstRow, RefusedRows::SkipThem);
    if (result.ok() && result.stored == 0) {
        ui::inform(window_, ctx_.text(kTextNoRows), ui::Icon::Information);
        return;
    }
    if (!apply(changed, result, ChangeSummary::Area::Paste))
        return;
    // The user goes on from what was pasted: its rows selected and in view.
    // (The table shown again after the step may be a new window.)
    table = qobject_cast<ChannelTableWindow*>(ui::findEditor(ctx_.area, kChannelTableName));
    if (table && table->shownGroup() == group)
        table->selectRows(firstRow, firstRow + result.stored + result.refusedRows() - 1);
}

// --- report ---------------------------------------------------------------------

namespace {
std::unique_ptr<QTextDocument> buildReport(ui::AppContext& ctx)
{
    const report::ReportInfo info{QString::fromStdString(ctx.doc().documentName()), QDateTime::currentDateTime(),
                                  ctx.session.settings.language == kChinese};
    return report::reportDocument(ctx.doc(), [&ctx](int id) { return ctx.text(id); }, info);
}
} // namespace

void ExchangeCommands::printReport()
{
    commitPendingEdits();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(ctx_.text(report::kTextReportTitle));
    QPrintDialog dialog(&printer, window_);
    dialog.setObjectName(kPrintDialogName);
    if (ui::execDialog(dialog) != QDialog::Accepted)
        return;
    buildReport(ctx_)->print(&printer);
}

void ExchangeCommands::exportPdf()
{
    commitPendingEdits();
    const QString path = ui::getSaveFile(window_, ui::dialogTitle(ctx_.text(kTextExportPdf)),
                                         suggestedPath(QStringLiteral(".pdf")), ctx_.text(kTextPdfFilter));
    if (path.isEmpty())
        return;
    const QString target = withSuffix(path, QStringLiteral(".pdf"));
    const auto report = buildReport(ctx_);
    const QString title = ctx_.text(report::kTextReportTitle) + " - " + QString::fromStdString(ctx_.doc().documentName());
    const FileWriteResult written = report::writeReportPdf(*report, target, title);
    if (!written)
        ui::inform(window_, ui::fileWriteProblemText(ctx_, target, written), ui::Icon::Critical);
}

} // namespace zav
