// The windows' object names are what stored settings, the manual's pictures
// and the tests (through window_names.h) know the windows by: a changed
// value would lose a user's stored window layout unnoticed.

#include "window_names.h"

#include <QtTest>

using namespace zav;

class WindowNamesTest : public QObject {
    Q_OBJECT
private slots:
    void namesKeepTheirValues_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored");
        QTest::newRow("frmMain") << kMainWindowName << QStringLiteral("frmMain");
        QTest::newRow("frmSplash") << kSplashName << QStringLiteral("frmSplash");
        QTest::newRow("frmAbout") << kAboutName << QStringLiteral("frmAbout");
        QTest::newRow("FrmSetLanguage") << kLanguageDialogName << QStringLiteral("FrmSetLanguage");
        QTest::newRow("FrmModelInfo") << kModelDialogName << QStringLiteral("FrmModelInfo");
        QTest::newRow("FrmSetComm") << kPortDialogName << QStringLiteral("FrmSetComm");
        QTest::newRow("FrmPassWord") << kPasswordDialogName << QStringLiteral("FrmPassWord");
        QTest::newRow("FrmProgress") << kProgressDialogName << QStringLiteral("FrmProgress");
        QTest::newRow("FrmBackupSettings") << kTransferOptionsName << QStringLiteral("FrmBackupSettings");
        QTest::newRow("frmCommChInfo") << kChannelTableName << QStringLiteral("frmCommChInfo");
        QTest::newRow("FrmCHInfoEdit") << kDetailEditorName << QStringLiteral("FrmCHInfoEdit");
        QTest::newRow("FrmOptFeatures") << kOptionalFeaturesName << QStringLiteral("FrmOptFeatures");
        QTest::newRow("FrmDTMF") << kDtmfEditorName << QStringLiteral("FrmDTMF");
        QTest::newRow("FrmToneTips") << kToneTipsName << QStringLiteral("FrmToneTips");
        QTest::newRow("FrmEmbMsg") << kEmbeddedMessageName << QStringLiteral("FrmEmbMsg");
        QTest::newRow("FrmRadioInfo") << kRadioInfoName << QStringLiteral("FrmRadioInfo");
        QTest::newRow("FrmBulkEdit") << kBulkEditName << QStringLiteral("FrmBulkEdit");
        QTest::newRow("FrmBulkRefusals") << kBulkRefusalsName << QStringLiteral("FrmBulkRefusals");
        QTest::newRow("FrmFindChannel") << kFindChannelName << QStringLiteral("FrmFindChannel");
        QTest::newRow("FrmCheck") << kCheckWindowName << QStringLiteral("FrmCheck");
        QTest::newRow("FrmCompare") << kCompareWindowName << QStringLiteral("FrmCompare");
        QTest::newRow("FrmFleet") << kFleetWindowName << QStringLiteral("FrmFleet");
        QTest::newRow("FrmProgrammingLog") << kProgrammingLogWindowName << QStringLiteral("FrmProgrammingLog");
        QTest::newRow("FrmOpenBackup") << kBackupListName << QStringLiteral("FrmOpenBackup");
        QTest::newRow("FrmImportChoice") << kImportChoiceName << QStringLiteral("FrmImportChoice");
        QTest::newRow("FrmImportRefusals") << kImportRefusalsName << QStringLiteral("FrmImportRefusals");
        QTest::newRow("FrmPrint") << kPrintDialogName << QStringLiteral("FrmPrint");
        QTest::newRow("FrmHelp") << kHelpWindowName << QStringLiteral("FrmHelp");
        QTest::newRow("FrmShortcuts") << kShortcutsName << QStringLiteral("FrmShortcuts");
        QTest::newRow("FrmProblemReport") << kProblemReportName << QStringLiteral("FrmProblemReport");
    }
    void namesKeepTheirValues()
    {
        QFETCH(QString, name);
        QFETCH(QString, stored);
        QCOMPARE(name, stored);
    }
};

QTEST_GUILESS_MAIN(WindowNamesTest)
#include "test_window_names.moc"
