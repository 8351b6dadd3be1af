#pragma once

// The object name of every window, defined once. These names are what the
// child-window area finds windows by (showEditor, findWindow, unloadByName),
// what the window tour and stored settings name, and what tests look for:
// their values never change.

#include <QString>

namespace zav {

// The main window and its own dialogs.
inline const QString kMainWindowName = QStringLiteral("frmMain");
inline const QString kSplashName = QStringLiteral("frmSplash");
inline const QString kAboutName = QStringLiteral("frmAbout");
inline const QString kLanguageDialogName = QStringLiteral("FrmSetLanguage");
inline const QString kModelDialogName = QStringLiteral("FrmModelInfo");

// Transfers.
inline const QString kPortDialogName = QStringLiteral("FrmSetComm");
inline const QString kPasswordDialogName = QStringLiteral("FrmPassWord");
inline const QString kProgressDialogName = QStringLiteral("FrmProgress");
inline const QString kTransferOptionsName = QStringLiteral("FrmBackupSettings");

// The editors of the document.
inline const QString kChannelTableName = QStringLiteral("frmCommChInfo");
inline const QString kDetailEditorName = QStringLiteral("FrmCHInfoEdit");
inline const QString kOptionalFeaturesName = QStringLiteral("FrmOptFeatures");
inline const QString kDtmfEditorName = QStringLiteral("FrmDTMF");
inline const QString kToneTipsName = QStringLiteral("FrmToneTips");
inline const QString kEmbeddedMessageName = QStringLiteral("FrmEmbMsg");
inline const QString kRadioInfoName = QStringLiteral("FrmRadioInfo");

// The channel table's dialogs.
inline const QString kBulkEditName = QStringLiteral("FrmBulkEdit");
inline const QString kBulkRefusalsName = QStringLiteral("FrmBulkRefusals");
inline const QString kFindChannelName = QStringLiteral("FrmFindChannel");

// The Program menu's windows.
inline const QString kCheckWindowName = QStringLiteral("FrmCheck");
inline const QString kCompareWindowName = QStringLiteral("FrmCompare");
inline const QString kFleetWindowName = QStringLiteral("FrmFleet");
inline const QString kProgrammingLogWindowName = QStringLiteral("FrmProgrammingLog");

// History and exchange.
inline const QString kBackupListName = QStringLiteral("FrmOpenBackup");
inline const QString kImportChoiceName = QStringLiteral("FrmImportChoice");
inline const QString kImportRefusalsName = QStringLiteral("FrmImportRefusals");
inline const QString kPrintDialogName = QStringLiteral("FrmPrint");

// Help.
inline const QString kHelpWindowName = QStringLiteral("FrmHelp");
inline const QString kShortcutsName = QStringLiteral("FrmShortcuts");
inline const QString kProblemReportName = QStringLiteral("FrmProblemReport");

} // namespace zav
