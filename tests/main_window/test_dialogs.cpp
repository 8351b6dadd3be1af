// The main window's dialogs: language, channel mode, model, port,
// password, progress and about.

#include "about_dialog.h"
#include "password_dialog.h"
#include "progress_dialog.h"
#include "port_dialog.h"
#include "splash_screen.h"
#include "main_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
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

QWidget* Window(MainWindow& w, const char* name)
{
    for (QMdiSubWindow* sub : w.area()->subWindowList())
        if (!sub->isHidden() && sub->widget()->objectName() == QLatin1String(name))
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
    void messageBoxShowsWholeTitle_data();
    void messageBoxShowsWholeTitle();
    void modeSwitch();
    void modelDialog_data();
    void modelDialog();
    void portDialogRefreshKeepsSelection();
    void portDialogCancelAndOutOfRange();
    void passwordDialog();
    void progressWindowCloseIsCancel();
    void aboutBox();
    void splashOpensMainOnce_data();
    void splashOpensMainOnce();
};

void TestDialogs::sameLanguageRewritesButKeepsWindows()
{
    ShellFixture f;
    MainWindow& w = f.open();
    w.openEditor("FrmOptFeatures");
    QWidget* table = Window(w, "frmCommChInfo");
    QVERIFY(QFile::remove(f.settingsFile()));

    f.prompter.dialogs.push_back(Click("CommandOK"));
    w.chooseLanguage();
    ShellFixture::flush();

    QCOMPARE(Names(f), QStringList{"FrmSetLanguage"});
    QVERIFY(ReadSettingsFile(f).contains("CurrentLanguage=1"));
    QCOMPARE(Window(w, "frmCommChInfo"), table);
    QCOMPARE(f.openWindows().size(), 2);
    QCOMPARE(w.shownLanguage(), kEnglish);
}

void TestDialogs::switchToChineseRecaptionsAndReopensTable()
{
    ShellFixture f;
    MainWindow& w = f.open();
    const QString englishFile = f.text(10000);
    const QString englishTableTitle = Window(w, "frmCommChInfo")->windowTitle();
    w.openEditor("FrmOptFeatures");

    f.prompter.dialogs.push_back(Click("CommandOK", 1));
    w.chooseLanguage();
    ShellFixture::flush();

    QCOMPARE(f.session.settings.language, kChinese);
    QVERIFY(ReadSettingsFile(f).contains("CurrentLanguage=2"));
    QCOMPARE(w.shownLanguage(), kChinese);
    QCOMPARE(f.openWindows(), QStringList{"frmCommChInfo"});
    const QString chineseFile = f.text(10000);
    QVERIFY(chineseFile != englishFile);
    QCOMPARE(w.findChild<QMenu*>("mnuFile")->title(), chineseFile);
    QCOMPARE(w.findChild<QAction*>("ReadRadio")->toolTip(), f.text(11004));
    auto* tree = w.findChild<QTreeWidget*>("TreeView1");
    QCOMPARE(tree->topLevelItem(0)->child(0)->text(0), f.text(12001));
    QVERIFY(w.windowTitle().startsWith(f.text(12000)));
    QVERIFY(Window(w, "frmCommChInfo")->windowTitle() != englishTableTitle);
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
    QCOMPARE(w.shownLanguage(), kEnglish);
    QCOMPARE(cancelText(), QString("Cancel"));

    f.prompter.dialogs.push_back(Click("CommandOK", 1));
    Action(w, "mnuLanguage")->trigger();
    QCOMPARE(w.shownLanguage(), kChinese);
    QCOMPARE(cancelText(), QString::fromUtf8("取消"));
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
    w.openEditor("FrmOptFeatures");
    QWidget* table = Window(w, "frmCommChInfo");

    // The mode already in force: nothing happens, no window closes.
    Action(w, "MnuModeCountry")->trigger();
    ShellFixture::flush();
    QCOMPARE(Window(w, "frmCommChInfo"), table);
    QCOMPARE(f.openWindows().size(), 2);
    QVERIFY(Action(w, "MnuModeCountry")->isChecked());

    Action(w, "MnuModeExtended")->trigger();
    ShellFixture::flush();
    QCOMPARE(f.session.doc.image().ChannelMode, Int16(kExtendedMode));
    QVERIFY(Action(w, "MnuModeExtended")->isChecked());
    QVERIFY(!Action(w, "MnuModeCountry")->isChecked());
    QCOMPARE(f.openWindows(), QStringList{"frmCommChInfo"});
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
    QCOMPARE(w.newDocumentTimer.isActive(), replaced);
    QTRY_VERIFY(!w.newDocumentTimer.isActive());
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
    f.session.settings.portNumber = 1;
    std::vector<SerialDevice> devices{{"/dev/ttyS0", "", ""}};
    PortDialog dialog(ctx, [&] { return devices; });

    QCOMPARE(dialog.portOptions[0]->text(), f.text(22002) + "1");
    QVERIFY(dialog.portOptions[0]->isEnabled());
    QVERIFY(!dialog.portOptions[4]->isEnabled());
    QCOMPARE(dialog.selectedPort(), 1);
    QCOMPARE(dialog.deviceLabels[0]->text(), QString("ttyS0"));
    QCOMPARE(dialog.refreshTimer.interval(), 1000);
    QVERIFY(dialog.refreshTimer.isActive());

    // An adapter is plugged in: it appears at the next refresh, the
    // selection stays where it was.
    devices.push_back({"/dev/ttyUSB0", "/dev/serial/by-id/usb-Cable_A", "A"});
    dialog.refreshPorts();
    QVERIFY(dialog.portOptions[4]->isEnabled());
    QCOMPARE(dialog.deviceLabels[4]->text(), QString("ttyUSB0"));
    QCOMPARE(dialog.selectedPort(), 1);

    dialog.portOptions[4]->setChecked(true);
    devices.erase(devices.begin()); // the built-in port goes away
    dialog.refreshPorts();
    QVERIFY(!dialog.portOptions[0]->isEnabled());
    QCOMPARE(dialog.selectedPort(), 5);

    dialog.okButton->click();
    QVERIFY(!dialog.refreshTimer.isActive());
    QCOMPARE(f.session.settings.portNumber, 5);
    QCOMPARE(f.session.settings.portDevice, std::string("/dev/serial/by-id/usb-Cable_A"));
    const QString stored = ReadSettingsFile(f);
    QVERIFY(stored.contains("comPort=5"));
    QVERIFY(stored.contains("comDevice=/dev/serial/by-id/usb-Cable_A"));
}

void TestDialogs::portDialogCancelAndOutOfRange()
{
    ShellFixture f;
    ui::AppContext ctx{f.session};
    const QString before = ReadSettingsFile(f);
    {
        // A disabled choice can be selected; Cancel forgets it.
        PortDialog dialog(ctx, [] { return std::vector<SerialDevice>{}; });
        dialog.portOptions[6]->setChecked(true);
        dialog.cancelButton->click();
    }
    QCOMPARE(f.session.settings.portNumber, 1);
    QCOMPARE(ReadSettingsFile(f), before);

    f.session.settings.portNumber = 20;
    PortDialog dialog(ctx, [] { return std::vector<SerialDevice>{}; });
    QCOMPARE(dialog.selectedPort(), 0);
    dialog.okButton->click(); // nothing selected: nothing stored
    QCOMPARE(f.session.settings.portNumber, 20);

    // The disabled choice selected and confirmed is stored all the same.
    f.session.settings.portNumber = 1;
    PortDialog again(ctx, [] { return std::vector<SerialDevice>{}; });
    again.portOptions[6]->setChecked(true);
    again.okButton->click();
    QCOMPARE(f.session.settings.portNumber, 7);
    QCOMPARE(f.session.settings.portDevice, std::string());
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
    ProgressDialog progress(ctx, 2);
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
    ProgressDialog done(ctx, 1);
    int doneCancels = 0;
    done.onCancel = [&] { ++doneCancels; };
    done.show();
    done.finish();
    QVERIFY(!done.isVisible());
    QCOMPARE(doneCancels, 0);
    QCOMPARE(done.windowTitle(), f.text(9027));
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
    QCOMPARE(Names(f), QStringList{"frmAbout"});
    QVERIFY(f.prompter.dialogs.empty());
    QCOMPARE(aboutProblems, QStringList());
}

void TestDialogs::splashOpensMainOnce_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("picture");
    QTest::newRow("English") << int(kEnglish) << true;
    QTest::newRow("Chinese") << int(kChinese) << true;
    QTest::newRow("other language: no picture") << 3 << false;
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
