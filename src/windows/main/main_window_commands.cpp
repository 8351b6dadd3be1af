// The main window's dialogs, channel mode and radio commands.

#include "editor_window.h"
#include "about_dialog.h"
#include "main_window.h"
#include "model_dialog.h"
#include "password_dialog.h"
#include "radio_info_window.h"
#include "port_dialog.h"
#include "language_dialog.h"
#include "port_mapping.h"
#include "prompts.h"
#include "radio_link.h"
#include "serial_devices.h"
#include "session.h"
#include "window_registry.h"

#include <QMdiArea>

namespace zav {

// --- dialogs ------------------------------------------------------------------

void MainWindow::mnuModelInfo_Click()
{
    ModelDialog dialog(ctx_, this);
    ui::ExecDialog(dialog);
    if (dialog.modelChanged())
        LoadNewDoc();
}

void MainWindow::mnuLanguage_Click()
{
    LanguageDialog dialog(ctx_, this);
    ui::ExecDialog(dialog);
    // The window is activated again when the dialog closes.
    Form_Activate();
}

void MainWindow::mnuComm_Click()
{
    PortDialog dialog(ctx_, SystemSerialDevices, this);
    if (ui::ExecDialog(dialog) == QDialog::Accepted)
        SetMainCaptions(); // the status bar shows the port
}

void MainWindow::MnuProPassWord_Click()
{
    PasswordDialog dialog(ctx_, this);
    ui::ExecDialog(dialog);
}

void MainWindow::mnuHelpAbout_Click()
{
    AboutDialog dialog(ctx_, this);
    ui::ExecDialog(dialog);
}

// --- channel mode -------------------------------------------------------------

void MainWindow::ChangeCountryMode(Int16 newMode)
{
    session_.doc.swapChannelMode(newMode);
    ShowCountryMode();
    CloseCurAllWindows();
    ShowChannelTable();
    area_->cascadeSubWindows();
}

void MainWindow::MnuModeCountry_Click()
{
    if (isExtendedMode(session_.doc.image().ChannelMode))
        ChangeCountryMode(0);
    else
        ShowCountryMode(); // a click on the checked item must not clear its mark
}

void MainWindow::MnuModeExtended_Click()
{
    if (!isExtendedMode(session_.doc.image().ChannelMode))
        ChangeCountryMode(kExtendedMode);
    else
        ShowCountryMode();
}

// --- radio --------------------------------------------------------------------

std::string MainWindow::LinkDevice() const
{
    const RunSettings& settings = session_.settings;
    if (!options_.portOverride.empty())
        return options_.portOverride;
    const PortTable table = mapPorts(SystemSerialDevices(), settings.portDevice, settings.portNumber);
    return resolveLinkDevice({}, table, settings.portNumber, settings.portDevice);
}

void MainWindow::mnuReadFromRadio_Click()
{
    if (link_->busy())
        return;
    SetSaveEditData();
    link_->StartRead();
}

void MainWindow::mnuWriteToRadio_Click()
{
    if (link_->busy())
        return;
    // Values still being edited go into the document before it is encoded.
    for (const char* name : {"frmCommChInfo", "FrmCHInfoEdit", "FrmOptFeatures", "FrmDTMF", "FrmEmbMsg",
                             "FrmRadioInfo"}) {
        if (ui::EditorWindow* editor = ui::FindEditor(area_, QString::fromLatin1(name)))
            editor->commitPendingEdit();
    }
    link_->StartWrite();
}

void MainWindow::MnuLocalInfo_Click()
{
    if (link_->busy())
        return;
    ui::UnloadByName(area_, QStringLiteral("FrmRadioInfo"));
    ReadRMGDataFromRadio();
}

void MainWindow::ReadRMGDataFromRadio() { link_->StartInfoRead(); }

void MainWindow::TransferEnding(const link::TransferOutcome& outcome)
{
    if (!outcome.success)
        return;
    if (outcome.kind == link::TransferKind::Read) {
        CloseCurAllWindows();
    } else if (outcome.kind == link::TransferKind::Info) {
        const link::RadioInfo info = link_->engine().radioInfo();
        ui::ShowEditor(area_, QStringLiteral("FrmRadioInfo"), [this, info] { return new features::RadioInfoWindow(ctx_, info); });
    }
}

void MainWindow::TransferFinished(const link::TransferOutcome& outcome)
{
    if (outcome.success && outcome.kind == link::TransferKind::Read) {
        // The radio's memory is the document now (untitled "new.dat").
        ShowCountryMode();
        ShowMainTxt();
        Change_Language();
        ShowChannelTable();
        area_->cascadeSubWindows();
    }
    if (outcome.otherVersionRequested) {
        // The transfer has ended (END sent, port closed); the other version
        // takes over through the normal exit with its save question.
        if (StartOtherVersion(outcome.radioVersion, {}))
            close();
    }
}

} // namespace zav
