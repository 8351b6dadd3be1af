// The main window's check, fleet and programming-log commands: the check
// window and where its findings lead, the question before a write with
// errors, the fleet window, and the log line of a single write.

#include "check_window.h"
#include "compare_command.h"
#include "compare_window.h"
#include "fleet_radio.h"
#include "fleet_window.h"
#include "main_window.h"
#include "pending_edits.h"
#include "programming_log_dialog.h"
#include "programming_log_words.h"
#include "file_write_text.h"
#include "prompts.h"
#include "radio_link.h"
#include "session.h"
#include "transfer_messages.h"
#include "window_names.h"
#include "window_registry.h"
#include "write_log.h"

#include "channel_detail_editor.h"
#include "channel_table_window.h"
#include "channel_windows.h"
#include "config_check.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

namespace zav {
namespace {

constexpr int kTextCheckErrorsFound = 33600; ///< %1 how many errors
constexpr int kTextSwitchMode = 33305;  ///< %1 the mode, as the mode menu names it
constexpr int kTextCountryModeItem = 10011;
constexpr int kTextExtendedModeItem = 10012;
// The grid columns that show a channel field; other fields live only in
// the detail editor.
constexpr int kLastFieldColumn = FieldTxTone;
constexpr int kCheckWindowWidth = 1000;
constexpr int kCheckWindowHeight = 440;
constexpr int kTextReplaceModified = 34229;

} // namespace

void MainWindow::showConfigurationCheck()
{
    ui::commitPendingEdits(ctx_);
    bool created = false;
    QWidget* shown = ui::showEditor(area_, kCheckWindowName, [this, &created] {
        created = true;
        auto* window = new CheckWindow(ctx_);
        window->onOpenFinding = [this](const ConfigFinding& f) {
            openFinding(f);
            if (auto* check = qobject_cast<CheckWindow*>(ui::findWindow(area_, kCheckWindowName)))
                check->keepInFrontOfEditor();
        };
        return window;
    });
    auto* window = qobject_cast<CheckWindow*>(shown);
    if (!window)
        return;
    if (created) {
        // Wide enough for the findings' texts at first; the user sizes it after.
        if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
            sub->resize(std::min(kCheckWindowWidth, area_->width() - 40), std::min(kCheckWindowHeight, area_->height() - 40));
    } else {
        window->runCheck(); // shown again: the document may have changed since
    }
}

void MainWindow::openFinding(const ConfigFinding& finding)
{
    if (finding.standby) {
        openFindingOfOtherMode(finding);
        return;
    }
    switch (finding.area) {
    case FindingArea::OptionalFeatures: openEditor(kOptionalFeaturesName); return;
    case FindingArea::Dtmf: openEditor(kDtmfEditorName); return;
    case FindingArea::ToneTips: openEditor(kToneTipsName); return;
    case FindingArea::Messages: openEditor(kEmbeddedMessageName); return;
    case FindingArea::Memory: return; // no editor shows bytes no field reads
    case FindingArea::Channel:
    case FindingArea::Group:
    case FindingArea::ChannelTable: break;
    }
    if (finding.group < 0) {
        showChannelTable();
        return;
    }
    const bool inGrid = finding.field >= FieldRxFrequency && finding.field <= kLastFieldColumn;
    const bool channel = finding.area == FindingArea::Channel;
    channels::showChannel(ctx_, finding.group, channel ? finding.numberInGroup : 0,
                          inGrid ? finding.field : FieldRxFrequency);
    if (channel && !inGrid)
        channels::showDetailEditor(ctx_);
}

void MainWindow::openFindingOfOtherMode(ConfigFinding finding)
{
    // No window shows the other channel mode until the mode is switched;
    // the switch closes every window, so the user is asked first.
    const bool toExtended = !isExtendedMode(session_.doc.image().ChannelMode);
    // The mode as the menu names it, without the menu's shortcut ("(&E)" in Chinese).
    const QString mode = ui::dialogTitle(ctx_.text(toExtended ? kTextExtendedModeItem : kTextCountryModeItem));
    if (ui::ask(this, ctx_.text(kTextSwitchMode).arg(mode), ui::Buttons::YesNo, ui::Icon::Question) != ui::Answer::Yes)
        return;
    changeChannelMode(static_cast<Int16>(toExtended ? kExtendedMode : 0));
    // The list the user works through comes back, checked in the mode now
    // shown, and the place opens in front of it.
    showConfigurationCheck();
    finding.standby = false;
    openFinding(finding);
}

MainWindow::CheckAnswer MainWindow::askCheckBeforeWrite()
{
    const std::vector<ConfigFinding> findings = checkConfiguration(session_.doc);
    if (!hasErrors(findings))
        return CheckAnswer::NoErrors;
    const auto errors = std::count_if(findings.begin(), findings.end(),
                                      [](const ConfigFinding& f) { return f.level == FindingLevel::Error; });
    // One question: two in a row would have the user say yes twice to one
    // decision.
    const QString question = ctx_.text(kTextCheckErrorsFound).arg(errors) + QStringLiteral("\n\n") +
                             ctx_.text(link::confirmTextId(link::TransferKind::Write));
    return ui::ask(this, question, ui::Buttons::YesNo, ui::Icon::Warning, ui::Answer::No) == ui::Answer::Yes
               ? CheckAnswer::WriteAnyway
               : CheckAnswer::DontWrite;
}

void MainWindow::compareWithRadio()
{
    if (transferRunning())
        return;
    // Compared with what a write would send now, what is typed included.
    ui::commitPendingEdits(ctx_);
    compare_->start();
}

void MainWindow::showComparison(const link::RadioMemory& memory, const QString& device)
{
    QWidget* shown = ui::showEditor(area_, kCompareWindowName, [this] {
        auto* window = new CompareWindow(ctx_);
        window->onOpenFinding = [this](const ConfigFinding& f) { openFinding(f); };
        window->onWriteDocument = [this] { writeToRadio(); };
        window->onOpenRadio = [this] {
            // As a read: the radio's contents become the untitled document.
            if (session_.doc.isModified() &&
                ui::ask(this, ctx_.text(kTextReplaceModified), ui::Buttons::YesNo, ui::Icon::Question, ui::Answer::No) !=
                    ui::Answer::Yes)
                return;
            Document held = compare_->radioDocument();
            closeAllWindows();
            session_.doc = std::move(held);
            showReadDocument();
        };
        return window;
    });
    auto* window = qobject_cast<CompareWindow*>(shown);
    if (!window)
        return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        sub->resize(std::min(kCheckWindowWidth, area_->width() - 40), std::min(kCheckWindowHeight, area_->height() - 40));
    window->showRadio(memory, device);
}

FleetWindow* MainWindow::fleetWindow() const { return qobject_cast<FleetWindow*>(fleet_.data()); }

void MainWindow::showFleetWindow()
{
    if (!fleet_) {
        fleet_ = new FleetWindow(ctx_, systemFleetDevices, this);
        fleet_->setAttribute(Qt::WA_DeleteOnClose);
    }
    fleet_->show();
    fleet_->raise();
    fleet_->activateWindow();
}

void MainWindow::showProgrammingLog()
{
    ProgrammingLogDialog dialog(ctx_, programmingLogPath(), this);
    ui::execDialog(dialog);
}

void MainWindow::logSingleWrite(const link::TransferOutcome& outcome)
{
    if (outcome.kind != link::TransferKind::Write)
        return;
    addLogLine(link_->writeLogLine(outcome));
}

void MainWindow::logRefusedWrite()
{
    addLogLine(writeLogEntry(link_->chosenDevice(), nullptr, describeWritten(session_.doc),
                             logResultNotWritten(logReasonWords(logword::CheckErrors))));
}

void MainWindow::addLogLine(const ProgrammingLogEntry& entry)
{
    const std::string path = programmingLogPath();
    if (const FileWriteResult added = appendProgrammingLog(path, entry); !added) {
        const QString file = QString::fromStdString(path);
        ui::inform(this, ctx_.text(kTextLogFailed).arg(file) + QStringLiteral("\r\n") + ui::fileWriteProblemText(ctx_, file, added),
                   ui::Icon::Warning);
    }
}

} // namespace zav
