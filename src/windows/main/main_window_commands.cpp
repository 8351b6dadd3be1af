// The main window's dialogs, channel mode and radio commands.

#include "about_dialog.h"
#include "adapter_choice.h"
#include "help_system.h"
#include "language_dialog.h"
#include "main_window.h"
#include "model_dialog.h"
#include "password_dialog.h"
#include "pending_edits.h"
#include "port_dialog.h"
#include "port_mapping.h"
#include "prompts.h"
#include "radio_info_window.h"
#include "radio_link.h"
#include "serial_devices.h"
#include "session.h"
#include "undo_tracker.h"
#include "window_names.h"
#include "window_registry.h"

#include <QFileInfo>
#include <QMdiArea>
#include <QStatusBar>

namespace zav {

// --- dialogs ------------------------------------------------------------------

void MainWindow::chooseModel()
{
    ModelDialog dialog(ctx_, this);
    ui::execDialog(dialog);
    if (dialog.modelChanged())
        scheduleNewDocument();
}

void MainWindow::chooseLanguage()
{
    LanguageDialog dialog(ctx_, this);
    ui::execDialog(dialog);
    // The window is activated again when the dialog closes.
    applyLanguageChange();
}

void MainWindow::choosePort()
{
    PortDialog dialog(ctx_, systemSerialDevices, this);
    if (ui::execDialog(dialog) == QDialog::Accepted)
        retranslate(); // the status bar shows the port
}

void MainWindow::enterPassword()
{
    PasswordDialog dialog(ctx_, this);
    ui::execDialog(dialog);
}

void MainWindow::showAbout()
{
    AboutDialog dialog(ctx_, this);
    connect(&dialog, &AboutDialog::manualRequested, this, [this] { help_->showManual(); });
    ui::execDialog(dialog);
}

// --- channel mode -------------------------------------------------------------

void MainWindow::changeChannelMode(Int16 newMode)
{
    session_.doc.swapChannelMode(newMode);
    showChannelMode();
    closeAllWindows();
    showChannelTable();
    area_->cascadeSubWindows();
}

void MainWindow::useCountryMode()
{
    if (isExtendedMode(session_.doc.image().ChannelMode))
        changeChannelMode(0);
    else
        showChannelMode(); // a click on the checked item must not clear its mark
}

void MainWindow::useExtendedMode()
{
    if (!isExtendedMode(session_.doc.image().ChannelMode))
        changeChannelMode(kExtendedMode);
    else
        showChannelMode();
}

// --- radio --------------------------------------------------------------------

std::string MainWindow::linkDevice() const
{
    const RunSettings& settings = session_.settings;
    if (!options_.portOverride.empty())
        return options_.portOverride;
    const std::vector<SerialDevice> devices = systemSerialDevices();
    const PortTable table = mapPorts(devices, settings.portDevice, settings.portNumber);
    const std::string chosen = resolveLinkDevice({}, table, settings.portNumber, settings.portDevice);
    // The one cable plugged in where the chosen port was: no visit to the
    // port dialog needed, but the user is told which device is used. A
    // chosen device that exists but that the system does not list as a
    // serial port (a pseudo-terminal) is used as it is.
    if (QFileInfo::exists(QString::fromStdString(chosen)))
        return chosen;
    if (const auto adapter = soleAdapterInstead(devices, chosen)) {
        constexpr int kTextSoleAdapter = 32905; // %1 the device
        constexpr int kShownMs = 15000;
        statusBar_->showMessage(ctx_.text(kTextSoleAdapter).arg(QString::fromStdString(adapter->path)), kShownMs);
        return adapter->path;
    }
    return chosen;
}

void MainWindow::readFromRadio()
{
    if (transferRunning())
        return;
    // The read replaces the document: the question before it is asked
    // about the document as it is, what is being typed included.
    ui::commitPendingEdits(ctx_);
    link_->startRead();
}

void MainWindow::writeToRadio()
{
    if (transferRunning())
        return;
    // Values still being edited go into the document before it is encoded.
    ui::commitPendingEdits(ctx_);
    const CheckAnswer answer = askCheckBeforeWrite();
    if (answer == CheckAnswer::DontWrite) {
        logRefusedWrite();
        return;
    }
    // The question about the errors was also the write's own question.
    link_->startWrite(answer == CheckAnswer::WriteAnyway);
}

void MainWindow::showRadioInfo()
{
    if (transferRunning())
        return;
    ui::unloadByName(area_, kRadioInfoName);
    readRadioInfo();
}

void MainWindow::readRadioInfo() { link_->startInfoRead(); }

void MainWindow::transferEnding(const link::TransferOutcome& outcome)
{
    if (!outcome.success)
        return;
    if (outcome.kind == link::TransferKind::Read) {
        closeAllWindows();
    } else if (outcome.kind == link::TransferKind::Info) {
        const link::RadioInfo info = link_->engine().radioInfo();
        ui::showEditor(area_, kRadioInfoName, [this, info] { return new features::RadioInfoWindow(ctx_, info); });
    }
}

void MainWindow::showReadDocument()
{
    showChannelMode();
    refreshCaption();
    retranslate();
    rebuildTree();
    showChannelTable();
    area_->cascadeSubWindows();
    documentSettled();
}

void MainWindow::transferFinished(const link::TransferOutcome& outcome)
{
    backups_.keepTransfer(outcome, linkDevice());
    logSingleWrite(outcome);
    if (outcome.success && outcome.kind == link::TransferKind::Read)
        showReadDocument(); // the radio's memory is the document now (untitled "new.dat")
    if (outcome.otherVersionRequested) {
        // The transfer has ended (END sent, port closed); the other version
        // takes over through the normal exit with its save question.
        if (startOtherVersion(outcome.radioVersion, {}))
            close();
    }
}

} // namespace zav
