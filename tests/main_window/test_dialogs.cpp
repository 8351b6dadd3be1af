// The main window's dialogs: language, channel mode, model, port,
// password, progress and about.

#include "about_dialog.h"
#include "window_names.h"
#include "password_dialog.h"
#include "progress_dialog.h"
#include "port_dialog.h"
#include "splash_screen.h"
#include "main_window_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QTreeWidget>

using namespace zav;
using namespace zav::test;
using ui::Answer;

namespace {

QAction* Action(MainWindow& w, const char* name) { return w.findChild<QAction*>(QString::fromLatin1(name)); }

// A scripted dialog answer: optionally picks an entry of Combo1, then
// clicks the named button and hands back the dialog's result.
std::function<int(QDialog&)> Click(const char* button, int comboIndex = -1)
{
    return [button, comboIndex](QDialog& d) {
        if (comboIndex >= 0)
            d.findChild<QComboBox*>("Combo1")->setCurrentIndex(comboIndex);
        d.findChild<QPushButton*>(QString::fromLatin1(button))->click();
        return d.result();
    };
}

QString ReadSettingsFile(const ShellFixture& f)
{
    QFile file(f.settingsFile());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList Names(const ShellFixture& f)
{
    return QStringList(f.prompter.dialogNames.begin(), f.prompter.dialogNames.end());
}

QWidget* Window(MainWindow& w, const QString& name)
{
    for (QMdiSubWindow* sub : w.area()->subWindowList())
        if (!sub->isHidden() && sub->widget()->objectName() == name)
            return sub->widget();
    return nullptr;
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void sameLanguageRewritesButKeepsWindows();
    void switchToChineseRecaptionsAndReopensTable();
    void qtOwnTextsFollowLanguage();
    void languageListComesFromTheFolders();
    void switchToGermanStoresItsLocale();
    void systemLocalePicksTheFirstLanguage();
    void missingLanguageToldOnceShown();
    void messageBoxShowsWholeTitle_data();
    void messageBoxShowsWholeTitle();
    void modeSwitch();
    void modelDialog_data();
    void modelDialog();
    void portDialogRefreshKeepsSelection();
    void portDialogTypedDeviceAndCancel();
    void passwordDialog();
    void passwordRetypedAfterRefusal();
    void progressWindowCloseIsCancel();
    void progressWindowCancelButton();
    void messageBoxButtonsHaveAccelerators_data();
    void messageBoxButtonsHaveAccelerators();
    void fileDialogShowsWholeColumns();
    void aboutBox();
    void splashOpensMainOnce_data();
    void splashOpensMainOnce();
};

void TestDialogs::sameLanguageRewritesButKeepsWindows()
{
    ShellFixture f;
    MainWindow& w = f.open();
    w.openEditor(zav::kOptionalFeaturesName);
    QWidget* table = Window(w, zav::kChannelTableName);
    QVERIFY(QFile::remove(f.settingsFile()));

    f.prompter.dialogs.push_back(Click("CommandOK"));
    w.chooseLanguage();
    ShellFixture::flush();

    QCOMPARE(Names(f), QStringList{zav::kLanguageDialogName});
    QVERIFY(ReadSettingsFile(f).contains("CurrentLanguage=1"));
    QCOMPARE(Window(w, zav::kChannelTableName), table);
    QCOMPARE(f.openWindows().size(), 2);
    QCOMPARE(w.shownLanguageFile(), f.session.settings.languageFile);
    QCOMPARE(f.session.settings.language, kEnglish);
}

void TestDialogs::switchToChineseRecaptionsAndReopensTable()
{
    ShellFixture f;
    MainWindow& w = f.open();
    const QString englishFile = f.text(10000);
    const QString englishTableTitle = Window(w, zav::kChannelTableName)->windowTitle();
    w.openEditor(zav::kOptionalFeaturesName);

    f.prompter.dialogs.push_back(Click("CommandOK", 1));
    w.chooseLanguage();
    ShellFixture::flush();

    QCOMPARE(f.session.settings.language, kChinese);
    QVERIFY(ReadSettingsFile(f).contains("CurrentLanguage=2"));
    QCOMPARE(w.shownLanguageFile(), f.session.settings.languageFile);
    QCOMPARE(f.openWindows(), QStringList{zav::kChannelTableName});
    const QString chineseFile = f.text(10000);
    QVERIFY(chineseFile != englishFile);
    QCOMPARE(w.findChild<QMenu*>("mnuFile")->title(), chineseFile);
    QCOMPARE(w.findChild<QAction*>("ReadRadio")->toolTip(), f.text(11004));
    auto* tree = w.findChild<QTreeWidget*>("TreeView1");
    QCOMPARE(tree->topLevelItem(0)->child(0)->text(0), f.text(12001));
    QVERIFY(w.windowTitle().startsWith(f.text(12000)));
    QVERIFY(Window(w, zav::kChannelTableName)->windowTitle() != englishTableTitle);
    QCOMPARE(ui::messageTitle(), f.text(12000));
}

void TestDialogs::qtOwnTextsFollowLanguage()
{
    // Qt's standard buttons, as the file dialogs show them.
    auto cancelText = [] {
        QDialogButtonBox box(QDialogButtonBox::Cancel);
        return box.button(QDialogButtonBox::Cancel)->text();
    };
    ShellFixture f(kChinese);
    MainWindow& w = f.open();
    QCOMPARE(cancelText(), QString::fromUtf8("取消"));

    f.prompter.dialogs.push_back(Click("CommandOK", 0));
    Action(w, "mnuLanguage")->trigger();
    QCOMPARE(f.session.settings.language, kEnglish);
    QCOMPARE(w.shownLanguageFile(), f.session.settings.languageFile);
    QCOMPARE(cancelText(), QString("Cancel"));

    f.prompter.dialogs.push_back(Click("CommandOK", 1));
    Action(w, "mnuLanguage")->trigger();
    QCOMPARE(f.session.settings.language, kChinese);
    QCOMPARE(w.shownLanguageFile(), f.session.settings.languageFile);
    QCOMPARE(cancelText(), QString::fromUtf8("取消"));
}

void TestDialogs::languageListComesFromTheFolders()
{
    ShellFixture f;
    QDir().mkpath(f.userLanguageDir());
    auto write = [&](const char* name, const QByteArray& bytes) {
        QFile file(f.userLanguageDir() + "/" + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write("dansk.ini", "[Language]\nName=Dansk\nLocale=da\n[Msg]\n9017=OK\n");
    write("broken.ini", "[Msg]\n9017=OK\n");
    MainWindow& w = f.open();

    QStringList listed;
    QString skipped;
    bool skippedShown = false;
    f.prompter.dialogs.push_back([&](QDialog& d) {
        auto* list = d.findChild<QComboBox*>("Combo1");
        for (int i = 0; i < list->count(); ++i)
            listed << list->itemText(i);
        auto* label = d.findChild<QLabel*>("LabelSkipped");
        skipped = label->text();
        skippedShown = !label->isHidden();
        d.findChild<QPushButton*>("CommandCancel")->click();
        return d.result();
    });
    w.chooseLanguage();

    // Each under its own name: English and Chinese first, then by name.
    QCOMPARE(listed, (QStringList{"English", QString::fromUtf8("简体中文"), "Dansk", "Deutsch", "Italiano", "Polski"}));
    QVERIFY(skippedShown);
    QCOMPARE(skipped, f.text(34602).arg(f.userLanguageDir() + "/broken.ini"));
    QCOMPARE(f.session.settings.language, kEnglish);
}

void TestDialogs::switchToGermanStoresItsLocale()
{
    ShellFixture f;
    MainWindow& w = f.open();
    f.prompter.dialogs.push_back(Click("CommandOK", 2)); // English, 简体中文, Deutsch, ...
    w.chooseLanguage();
    ShellFixture::flush();

    QCOMPARE(w.findChild<QMenu*>("mnuFile")->title(), QString("&Datei"));
    QCOMPARE(w.shownLanguageFile(), f.programDir().toStdString() + "/language/german.ini");
    QVERIFY(ReadSettingsFile(f).contains("CurrentLanguage=3"));
    QVERIFY(ReadSettingsFile(f).contains("LanguageLocale=de"));
    QCOMPARE(f.openWindows(), QStringList{zav::kChannelTableName});
    // Qt's own buttons too.
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QString("Abbrechen"));

    // Another language of number 3 re-captions as well.
    f.prompter.dialogs.push_back(Click("CommandOK", 3)); // Italiano
    w.chooseLanguage();
    ShellFixture::flush();
    QCOMPARE(w.findChild<QMenu*>("mnuFile")->title(), QString("&File"));
    QCOMPARE(w.findChild<QMenu*>("mnuEdit")->title(), QString("&Modifica"));
    QVERIFY(ReadSettingsFile(f).contains("LanguageLocale=it"));

    // The next start shows the stored language.
    f.restart();
    QCOMPARE(f.session.settings.language, 3);
    QCOMPARE(QString::fromStdString(f.session.settings.languageLocale), QString("it"));
    QVERIFY(f.started.missingLanguage.empty());
    f.prompter.dialogs.push_back(Click("CommandOK", 0));
    w.chooseLanguage();
}

void TestDialogs::systemLocalePicksTheFirstLanguage()
{
    ShellFixture f("pl_PL.UTF-8");
    MainWindow& w = f.open();
    QCOMPARE(f.session.settings.language, 3);
    QCOMPARE(w.findChild<QMenu*>("mnuFile")->title(), QString("&Plik"));
    QVERIFY(ReadSettingsFile(f).contains("LanguageLocale=pl"));
    f.prompter.dialogs.push_back(Click("CommandOK", 0));
    w.chooseLanguage();
}

void TestDialogs::missingLanguageToldOnceShown()
{
    ShellFixture f;
    QFile settings(f.settingsFile());
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("[language]\nIsFirstRun=0\ncomPort=1\nCurrentLanguage=3\nLanguageLocale=fr\n");
    settings.close();
    f.restart();
    MainWindow& w = f.open();
    QVERIFY(ShellFixture::runUntil([&] { return !f.prompter.asked.empty(); }, 5000));
    QCOMPARE(f.prompter.texts(), QStringList{f.text(34603).arg("3 (fr)")});
    QCOMPARE(f.session.settings.language, kEnglish);
    QCOMPARE(w.findChild<QMenu*>("mnuFile")->title(), QString("&File"));
}

void TestDialogs::messageBoxShowsWholeTitle_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("textId"); // 0: the password failure message
    QTest::newRow("9009 english") << int(kEnglish) << 9009;
    QTest::newRow("9010 english") << int(kEnglish) << 9010;
    QTest::newRow("password failure") << int(kEnglish) << 0;
    QTest::newRow("9009 chinese") << int(kChinese) << 9009;
}

void TestDialogs::messageBoxShowsWholeTitle()
{
    QFETCH(int, language);
    QFETCH(int, textId);
    ShellFixture f(language);
    MainWindow& w = f.open();
    const QString text = textId ? f.text(textId) : QStringLiteral("PassWord Failure!");

    // The real box, answered as soon as it shows.
    QString title;
    int width = 0;
    int titleWidth = 0;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        title = box->windowTitle();
        width = box->width();
        QFont titleFont = box->font();
        titleFont.setBold(true); // title bars often use a bold face
        titleWidth = QFontMetrics(titleFont).horizontalAdvance(title);
        box->button(QMessageBox::Ok)->click();
    });
    answer.start(5);
    ui::setPrompter(nullptr);
    ui::inform(&w, text);
    ui::setPrompter(&f.prompter);

    QCOMPARE(title, f.text(12000));
    // The title bar also holds the window icon and its buttons.
    constexpr int kTitleBarExtras = 96;
    QVERIFY2(width >= titleWidth + kTitleBarExtras,
             qPrintable(QString("box %1 px, title %2 px").arg(width).arg(titleWidth)));
}

void TestDialogs::modeSwitch()
{
    ShellFixture f;
    MainWindow& w = f.open();
    w.openEditor(zav::kOptionalFeaturesName);
    QWidget* table = Window(w, zav::kChannelTableName);

    // The mode already in force: nothing happens, no window closes.
    Action(w, "MnuModeCountry")->trigger();
    ShellFixture::flush();
    QCOMPARE(Window(w, zav::kChannelTableName), table);
    QCOMPARE(f.openWindows().size(), 2);
    QVERIFY(Action(w, "MnuModeCountry")->isChecked());

    Action(w, "MnuModeExtended")->trigger();
    ShellFixture::flush();
    QCOMPARE(f.session.doc.image().ChannelMode, Int16(kExtendedMode));
    QVERIFY(Action(w, "MnuModeExtended")->isChecked());
    QVERIFY(!Action(w, "MnuModeCountry")->isChecked());
    QCOMPARE(f.openWindows(), QStringList{zav::kChannelTableName});
    QCOMPARE(f.session.doc.image().GroupNames[10].clean(), std::string("VFO"));

    Action(w, "MnuModeCountry")->trigger();
    ShellFixture::flush();
    QCOMPARE(f.session.doc.image().ChannelMode, Int16(0));
    QCOMPARE(f.session.doc.image().GroupNames[2].clean(), std::string("UK"));
    QVERIFY(f.prompter.asked.empty());
}

void TestDialogs::modelDialog_data()
{
    QTest::addColumn<bool>("otherBand");   // the document's band is not the list's
    QTest::addColumn<int>("warningAnswer");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("no change: document kept") << false << int(Answer::Ok) << false;
    QTest::newRow("change confirmed: new document") << true << int(Answer::Ok) << true;
    QTest::newRow("change cancelled: document kept") << true << int(Answer::Cancel) << false;
}

void TestDialogs::modelDialog()
{
    QFETCH(bool, otherBand);
    QFETCH(int, warningAnswer);
    QFETCH(bool, replaced);

    ShellFixture f;
    MainWindow& w = f.open();
    if (otherBand)
        f.session.doc.model.bandLabel = "136 - 174 MHz";
    f.modify();
    f.prompter.answers.push_back(Answer(warningAnswer));
    f.prompter.dialogs.push_back(Click("CommandOK"));
    w.chooseModel();

    if (otherBand) {
        QCOMPARE(f.prompter.texts(), QStringList{f.text(9016)});
        QCOMPARE(f.prompter.asked[0].title, f.text(9019));
    } else {
        QVERIFY(f.prompter.asked.empty());
    }
    QCOMPARE(w.newDocumentPending(), replaced);
    QTRY_VERIFY(!w.newDocumentPending());
    QCOMPARE(f.session.doc.isModified(), !replaced);
    QCOMPARE(f.session.doc.model.bandLabel, std::string(replaced || !otherBand ? kDefaultBandLabel : "136 - 174 MHz"));
    if (replaced) {
        QCOMPARE(f.session.doc.model.bandLow, 25.615);
        QCOMPARE(f.session.doc.image().Header.BandCode, Int16(0));
    }
}

void TestDialogs::portDialogRefreshKeepsSelection()
{
    ShellFixture f;
    ui::AppContext ctx{f.session};
    f.session.settings.portNumber = 1; // a settings file of an older version: a number only
    std::vector<SerialDevice> devices{{"/dev/ttyS0", "", ""}};
    PortDialog dialog(ctx, [&] { return devices; });

    QCOMPARE(dialog.deviceList->headerItem()->text(0), f.text(33411));
    QCOMPARE(dialog.deviceList->headerItem()->text(1), f.text(33412));
    QCOMPARE(dialog.deviceList->topLevelItemCount(), 1);
    QCOMPARE(dialog.deviceList->topLevelItem(0)->text(0), QString("/dev/ttyS0"));
    // Port 1 of the old numbering is the first built-in port.
    QCOMPARE(dialog.deviceBox->text(), QString("/dev/ttyS0"));
    QCOMPARE(dialog.deviceList->currentItem(), dialog.deviceList->topLevelItem(0));
    QCOMPARE(dialog.refreshTimer.interval(), 1000);
    QVERIFY(dialog.refreshTimer.isActive());

    // An adapter is plugged in: it appears at the next refresh, marked new,
    // with what the system calls it; the choice stays where it was.
    SerialDevice cableA{"/dev/ttyUSB0", "/dev/serial/by-id/usb-Cable_A", "A", "CP2102 USB to UART Bridge", true};
    cableA.manufacturer = "Silicon Labs";
    cableA.usbId = "10c4:ea60";
    devices.push_back(cableA);
    dialog.refreshPorts();
    QCOMPARE(dialog.deviceList->topLevelItemCount(), 2);
    QTreeWidgetItem* adapter = dialog.deviceList->topLevelItem(1);
    QCOMPARE(adapter->text(0), QString("/dev/ttyUSB0"));
    QCOMPARE(adapter->text(1), "(" + f.text(32906) + ") CP2102 USB to UART Bridge");
    QVERIFY(adapter->font(1).bold());
    QCOMPARE(adapter->text(2), QString("Silicon Labs"));
    QCOMPARE(adapter->text(3), QString("A"));
    QCOMPARE(adapter->text(4), QString("10c4:ea60"));
    QCOMPARE(dialog.deviceBox->text(), QString("/dev/ttyS0"));

    // Chosen from the list: the adapter's stable name, which follows it.
    dialog.deviceList->setCurrentItem(adapter);
    QCOMPARE(dialog.deviceBox->text(), QString("/dev/serial/by-id/usb-Cable_A"));

    // Another adapter comes first now; the choice stays on the same adapter.
    devices.insert(devices.begin(), SerialDevice{"/dev/ttyUSB1", "/dev/serial/by-id/usb-Cable_0", "0"});
    dialog.refreshPorts();
    QCOMPARE(dialog.deviceList->topLevelItemCount(), 3);
    QCOMPARE(dialog.deviceBox->text(), QString("/dev/serial/by-id/usb-Cable_A"));
    QCOMPARE(dialog.deviceList->currentItem()->text(0), QString("/dev/ttyUSB0"));

    dialog.okButton->click();
    QVERIFY(!dialog.refreshTimer.isActive());
    QCOMPARE(f.session.settings.portDevice, std::string("/dev/serial/by-id/usb-Cable_A"));
    const QString stored = ReadSettingsFile(f);
    QVERIFY(stored.contains("comDevice=/dev/serial/by-id/usb-Cable_A"));
    QVERIFY(stored.contains("comPort=1"));

    // A transfer opens that adapter, whatever else is plugged in before it.
    const RunSettings& settings = f.session.settings;
    const PortTable table = mapPorts(devices, settings.portDevice, settings.portNumber);
    QCOMPARE(resolveLinkDevice({}, table, settings.portNumber, settings.portDevice), std::string("/dev/ttyUSB0"));
}

void TestDialogs::portDialogTypedDeviceAndCancel()
{
    ShellFixture f;
    ui::AppContext ctx{f.session};
    const QString before = ReadSettingsFile(f);
    {
        // Cancel forgets what was chosen.
        PortDialog dialog(ctx, [] { return std::vector<SerialDevice>{{"/dev/ttyS0", "", ""}}; });
        dialog.deviceList->setCurrentItem(dialog.deviceList->topLevelItem(0));
        dialog.cancelButton->click();
    }
    QCOMPARE(ReadSettingsFile(f), before);
    QCOMPARE(f.session.settings.portDevice, std::string());

    // The chosen adapter is unplugged: it stays listed, greyed, and chosen.
    f.session.settings.portDevice = "/dev/serial/by-id/usb-Gone";
    {
        PortDialog dialog(ctx, [] { return std::vector<SerialDevice>{{"/dev/ttyS0", "", ""}}; });
        QCOMPARE(dialog.deviceList->topLevelItemCount(), 2);
        QTreeWidgetItem* gone = dialog.deviceList->currentItem();
        QVERIFY(gone);
        QCOMPARE(gone->text(0), QString("/dev/serial/by-id/usb-Gone"));
        QCOMPARE(gone->foreground(0).color(), dialog.palette().color(QPalette::Disabled, QPalette::Text));
        QCOMPARE(dialog.deviceBox->text(), QString("/dev/serial/by-id/usb-Gone"));

        // A device the system does not list (a pseudo-terminal), typed.
        dialog.deviceBox->clear();
        QTest::keyClicks(dialog.deviceBox, " /dev/pts/7 ");
        QVERIFY(!dialog.deviceList->currentItem() || !dialog.deviceList->currentItem()->isSelected());
        dialog.okButton->click();
    }
    QCOMPARE(f.session.settings.portDevice, std::string("/dev/pts/7"));
    QVERIFY(ReadSettingsFile(f).contains("comDevice=/dev/pts/7"));

    // Typing a listed device selects it; an empty box stores nothing.
    PortDialog dialog(ctx, [] { return std::vector<SerialDevice>{{"/dev/ttyS0", "", ""}}; });
    dialog.deviceBox->clear();
    QTest::keyClicks(dialog.deviceBox, "/dev/ttyS0");
    QCOMPARE(dialog.deviceList->currentItem(), dialog.deviceList->topLevelItem(0));
    dialog.deviceBox->clear();
    dialog.okButton->click();
    QCOMPARE(f.session.settings.portDevice, std::string("/dev/pts/7"));
}

void TestDialogs::passwordDialog()
{
    ShellFixture f;
    ui::AppContext ctx{f.session};
    {
        PasswordDialog dialog(ctx);
        QCOMPARE(dialog.passwordBox->echoMode(), QLineEdit::Password);
        QTest::keyClicks(dialog.passwordBox, "ab1Cx");
        QCOMPARE(dialog.passwordBox->text(), QString("ab1C")); // no fifth character
        QVERIFY(f.session.passwordAnswered);
        dialog.okButton->click();
    }
    QCOMPARE(f.session.radioPassword, std::string("ab1C"));
    {
        // Offered again; Cancel keeps it whatever was typed.
        PasswordDialog dialog(ctx);
        QCOMPARE(dialog.passwordBox->text(), QString("ab1C"));
        dialog.passwordBox->clear();
        QTest::keyClicks(dialog.passwordBox, "zz");
        dialog.cancelButton->click();
    }
    QCOMPARE(f.session.radioPassword, std::string("ab1C"));
    {
        PasswordDialog dialog(ctx);
        dialog.passwordBox->setText("q  ");
        dialog.okButton->click();
    }
    QCOMPARE(f.session.radioPassword, std::string("q"));
}

void TestDialogs::progressWindowCloseIsCancel()
{
    ShellFixture f;
    ui::AppContext ctx{f.session};
    ProgressDialog progress(ctx, link::TransferKind::Write);
    QCOMPARE(progress.windowTitle(), f.text(9028));
    QCOMPARE(progress.captionLabel->text(), f.text(9029));
    QCOMPARE(progress.percentLabel->text(), QString("0%"));
    progress.setPercent(36);
    QCOMPARE(progress.percentLabel->text(), QString("36%"));
    QCOMPARE(progress.progressBar->value(), 36);

    int cancels = 0;
    progress.onCancel = [&] {
        ++cancels;
        progress.finish(); // as the transfer does when it ends
    };
    progress.show();
    progress.close();
    QCOMPARE(cancels, 1);
    QVERIFY(!progress.isVisible());

    // Closed by the transfer itself: no cancel.
    ProgressDialog done(ctx, link::TransferKind::Read);
    int doneCancels = 0;
    done.onCancel = [&] { ++doneCancels; };
    done.show();
    done.finish();
    QVERIFY(!done.isVisible());
    QCOMPARE(doneCancels, 0);
    QCOMPARE(done.windowTitle(), f.text(9027));
}

void TestDialogs::passwordRetypedAfterRefusal()
{
    ShellFixture f;
    ui::AppContext ctx{f.session};
    f.session.radioPassword = "9999"; // the radio refused it last time
    PasswordDialog dialog(ctx);
    dialog.show();
    dialog.passwordBox->setFocus();
    // What is typed replaces the remembered password, which fills the box.
    QTest::keyClicks(dialog.passwordBox, "1234");
    QCOMPARE(dialog.passwordBox->text(), QString("1234"));
    dialog.okButton->click();
    QCOMPARE(f.session.radioPassword, std::string("1234"));
}

void TestDialogs::progressWindowCancelButton()
{
    ShellFixture f;
    ui::AppContext ctx{f.session};
    ProgressDialog progress(ctx, link::TransferKind::Write);
    progress.show();
    QVERIFY(progress.cancelButton);
    QVERIFY(progress.cancelButton->isVisible());
    QCOMPARE(progress.cancelButton->text(), f.text(33402));

    // The same as closing the window: the transfer decides.
    int cancels = 0;
    progress.onCancel = [&] { ++cancels; }; // carries on (No to the stop question)
    progress.cancelButton->click();
    QCOMPARE(cancels, 1);
    QVERIFY(progress.isVisible());
    progress.onCancel = [&] {
        ++cancels;
        progress.finish();
    };
    progress.cancelButton->click();
    QCOMPARE(cancels, 2);
    QVERIFY(!progress.isVisible());
}

void TestDialogs::messageBoxButtonsHaveAccelerators_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("english") << int(kEnglish);
    QTest::newRow("chinese") << int(kChinese);
}

void TestDialogs::messageBoxButtonsHaveAccelerators()
{
    QFETCH(int, language);
    ShellFixture f(language);
    MainWindow& w = f.open();

    // The real boxes, read and answered as soon as they show.
    QStringList captions;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        QStringList shown;
        for (QAbstractButton* button : box->buttons())
            shown << button->text();
        captions << shown;
        box->buttons().last()->click();
    });
    answer.start(5);
    ui::setPrompter(nullptr);
    ui::ask(&w, QStringLiteral("?"), ui::Buttons::YesNoCancel, ui::Icon::Question);
    ui::ask(&w, QStringLiteral("?"), ui::Buttons::OkCancel, ui::Icon::Question);
    ui::ask(&w, QStringLiteral("?"), ui::Buttons::RetryCancel, ui::Icon::Question);
    ui::setPrompter(&f.prompter);

    QStringList expected{f.text(33403), f.text(33404), f.text(33402), f.text(33401), f.text(33402),
                         f.text(33405), f.text(33402)};
    captions.sort();
    expected.sort();
    QCOMPARE(captions, expected);
    for (const QString& caption : captions)
        QVERIFY2(!QKeySequence::mnemonic(caption).isEmpty(), qPrintable(caption));
    // The plain words, as logs and other texts use them, stay without a mark.
    for (int id : {9017, 9018, 9100, 9101, 9102})
        QVERIFY(!f.text(id).contains('&'));
}

void TestDialogs::fileDialogShowsWholeColumns()
{
    ShellFixture f(kChinese);
    MainWindow& w = f.open();
    QFile file(f.dir.filePath("radio.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(95640, '\0'));
    file.close();

    // The real dialog, measured once it lists the folder, then cancelled.
    QStringList cut;
    bool measured = false;
    int looks = 0;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto* view = dialog->findChild<QTreeView*>("treeView");
        if (view && !measured) {
            if (view->model()->rowCount(view->rootIndex()) == 0 && ++looks < 20000)
                return; // still being listed
            QHeaderView* header = view->header();
            for (int column = 1; column < header->count(); ++column) {
                const int needed = std::max(header->sectionSizeHint(column),
                                            static_cast<QAbstractItemView*>(view)->sizeHintForColumn(column));
                if (header->sectionSize(column) < needed)
                    cut << QStringLiteral("%1: %2 < %3").arg(column).arg(header->sectionSize(column)).arg(needed);
            }
            // ...and they all fit beside the name, without scrolling.
            const int last = header->count() - 1;
            const int right = header->sectionPosition(last) + header->sectionSize(last);
            if (right > view->viewport()->width())
                cut << QStringLiteral("columns end at %1, view %2 wide").arg(right).arg(view->viewport()->width());
            measured = true;
        }
        dialog->reject();
    });
    look.start(5);
    ui::setPrompter(nullptr);
    ui::getOpenFile(&w, QStringLiteral("Open"), f.dir.path(), QStringLiteral("Data (*.dat)|*.dat"));
    ui::setPrompter(&f.prompter);

    QVERIFY(measured);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join("; ")));
}

void TestDialogs::aboutBox()
{
    ShellFixture f;
    MainWindow& w = f.open();
    QStringList aboutProblems;
    f.prompter.dialogs.push_back([&](QDialog& d) -> int {
        auto* about = qobject_cast<AboutDialog*>(&d);
        const QList<int> ids{24000, 24001, 24002, 24003, 24004, 24005};
        const QStringList shown{d.windowTitle(), about->titleLabel->text(), about->versionLabel->text(),
                                about->descriptionLabel->text(), about->noticeLabel->text(), about->okButton->text()};
        for (int i = 0; i < ids.size(); ++i)
            if (shown[i].isEmpty() || shown[i] != f.text(ids[i]))
                aboutProblems << QString::number(ids[i]);
        if (about->picture->pixmap().isNull())
            aboutProblems << "picture";
        about->okButton->click();
        return d.result();
    });
    w.findChild<QAction*>("About")->trigger();
    QCOMPARE(Names(f), QStringList{zav::kAboutName});
    QVERIFY(f.prompter.dialogs.empty());
    QCOMPARE(aboutProblems, QStringList());
}

void TestDialogs::splashOpensMainOnce_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("picture");
    QTest::newRow("English") << int(kEnglish) << true;
    QTest::newRow("Chinese") << int(kChinese) << true;
    // German, Polish, Italian and a user's languages are written in Latin
    // letters: the English picture rather than an empty frame.
    QTest::newRow("language by locale: the English picture") << int(kLanguageByLocale) << true;
}

void TestDialogs::splashOpensMainOnce()
{
    QFETCH(int, language);
    QFETCH(bool, picture);
    ShellFixture f;
    SplashScreen splash(f.programDir().toStdString(), language);
    int opened = 0;
    splash.onOpenMain = [&] { ++opened; };
    QCOMPARE(!splash.findChild<QLabel*>("Picture1")->pixmap().isNull(), picture);
    splash.show();
    QVERIFY(splash.timerActive());

    // A click opens the main window at once; the timer is stopped so it
    // cannot open it a second time, and a second click does nothing.
    QTest::mouseClick(&splash, Qt::LeftButton);
    QCOMPARE(opened, 1);
    QVERIFY(!splash.timerActive());
    QTest::mouseClick(&splash, Qt::LeftButton);
    QCOMPARE(opened, 1);
}

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
