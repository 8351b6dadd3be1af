// The desktop program's ports that explain themselves and its wire trace:
// a port that cannot be opened says why, the port dialog shows what each
// device is and which ones were plugged in while it was open, and
// Settings > Wire Trace records a read from the virtual radio without its
// password.

#include "main_window_fixture.h"
#include "port_dialog.h"
#include "radio_link.h"
#include "sim_process.h"

#include <QAction>
#include <QLabel>
#include <QTreeWidget>
#include <QProcess>
#include <QRadioButton>

using namespace zav;
using namespace zav::test;
using zav::testing::SimProcess;

namespace {

constexpr int kTransferTimeoutMs = 30000;

QAction* Action(MainWindow& w, const char* name) { return w.findChild<QAction*>(QString::fromLatin1(name)); }

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestPortsAndTrace : public QObject {
    Q_OBJECT

private slots:
    void missingPortListsTheDevices_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << int(kEnglish);
        QTest::newRow("Chinese") << int(kChinese);
    }
    void missingPortListsTheDevices()
    {
        QFETCH(int, language);
        ShellFixture f(language);
        QTemporaryDir dir;
        const QString device = dir.filePath("ttyUSB9");
        MainWindow& w = f.open(device.toStdString());
        Action(w, "mnuReadFromRadio")->trigger();
        QTRY_VERIFY(!w.transferRunning());
        QCOMPARE(f.prompter.asked.size(), std::size_t{1});
        const QString text = f.prompter.asked[0].text;
        QCOMPARE(f.prompter.asked[0].icon, ui::Icon::Critical);
        QVERIFY2(text.startsWith(f.text(9003) + "\n\n" + device + ": No such file or directory\n"), qPrintable(text));
        // The devices that exist (or that there are none), in the language shown.
        QVERIFY2(text.contains(f.text(32501)) || text.contains(f.text(32502)), qPrintable(text));
    }

    void portDialogShowsDescriptionsAndNewDevices()
    {
        ShellFixture f;
        ui::AppContext ctx{f.session};
        std::vector<SerialDevice> devices{{"/dev/ttyS0", "", "", "16550A UART", false},
                                          {"/dev/ttyUSB0", "/dev/serial/by-id/usb-A", "A", "CP2102 USB to UART", true}};
        PortDialog dialog(ctx, [&] { return devices; });
        // Each device's description, bold when it is marked new.
        auto shown = [&dialog] {
            QStringList rows;
            for (int i = 0; i < dialog.deviceList->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* row = dialog.deviceList->topLevelItem(i);
                rows << row->text(0) + ": " + row->text(1) + (row->font(1).bold() ? " (bold)" : "");
            }
            return rows;
        };
        QCOMPARE(shown(), (QStringList{"/dev/ttyS0: 16550A UART", "/dev/ttyUSB0: CP2102 USB to UART"}));

        // A cable plugged in while the dialog is open is marked new, the
        // others are not.
        devices.push_back({"/dev/ttyUSB1", "/dev/serial/by-id/usb-B", "B", "USB Serial", true});
        dialog.refreshPorts();
        const QString marked = "/dev/ttyUSB1: (" + f.text(32906) + ") USB Serial (bold)";
        QCOMPARE(shown(), (QStringList{"/dev/ttyS0: 16550A UART", "/dev/ttyUSB0: CP2102 USB to UART", marked}));
        // One that went away shows nowhere; the new one keeps its mark.
        devices.erase(devices.begin() + 1);
        dialog.refreshPorts();
        QCOMPARE(shown(), (QStringList{"/dev/ttyS0: 16550A UART", marked}));
        // One that comes back is not new: it was there when the dialog opened.
        devices.push_back({"/dev/ttyUSB0", "/dev/serial/by-id/usb-A", "A", "CP2102 USB to UART", true});
        dialog.refreshPorts();
        QCOMPARE(shown(), (QStringList{"/dev/ttyS0: 16550A UART", marked, "/dev/ttyUSB0: CP2102 USB to UART"}));
    }

    void desktopCommandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("shown");
        // --help and --version need no display; an unknown option is named.
        QTest::newRow("version") << QStringList{"--version"} << 0 << "zavprog " ZAV_TEST_PROJECT_VERSION "\n";
        QTest::newRow("help") << QStringList{"--help"} << 0 << "--trace <FILE>";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << "Unknown option 'bogus'";
    }
    void desktopCommandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, shown);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        if (exitCode == 0)
            env.remove("QT_QPA_PLATFORM");
        else
            env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.start(QDir(qEnvironmentVariable("ZAV_PROGRAM_DIR")).filePath("zavprog"), args);
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), exitCode);
        const QString printed = QString::fromUtf8(exitCode == 0 ? p.readAllStandardOutput() : p.readAllStandardError());
        QVERIFY2(printed.contains(shown), qPrintable(printed));
    }

    void wireTraceFromTheSettingsMenu()
    {
        SimProcess sim({"--password", "7Q5z"});
        QVERIFY(!sim.device().isEmpty());
        ShellFixture f;
        f.session.radioPassword = "7Q5z";
        MainWindow& w = f.open(sim.device().toStdString());
        QAction* trace = Action(w, "mnuWireTrace");
        QVERIFY(trace && trace->isCheckable() && !trace->isChecked());
        QCOMPARE(trace->text(), f.text(32900));

        // Cancelled file dialog: no trace.
        f.prompter.files.push_back(QString());
        trace->trigger();
        QVERIFY(!trace->isChecked());
        QVERIFY(!w.radioLink().tracing());

        // A file that cannot be created is reported.
        f.prompter.files.push_back("/nonexistent-folder/trace.txt");
        trace->trigger();
        QVERIFY(!trace->isChecked());
        // ... with the system's reason below.
        QVERIFY(f.prompter.texts().last().startsWith(f.text(32903).arg("/nonexistent-folder/trace.txt") + "\r\n"));
        QVERIFY(f.prompter.texts().last().contains("No such file or directory"));

        const QString path = f.dir.filePath("trace.txt");
        f.prompter.files.push_back(path);
        trace->trigger();
        QVERIFY(trace->isChecked());
        QVERIFY(w.radioLink().tracing());
        f.prompter.answers.push_back(ui::Answer::Ok); // read?
        Action(w, "mnuReadFromRadio")->trigger();
        QVERIFY(ShellFixture::runUntil([&] { return !w.transferRunning() && f.prompter.texts().contains(f.text(9009)); },
                                       kTransferTimeoutMs));
        QVERIFY2(f.prompter.texts().contains(f.text(9009)), qPrintable(f.prompter.texts().join('|')));

        // Stopped: the file holds the read, the password hidden.
        trace->trigger();
        QVERIFY(!trace->isChecked());
        QVERIFY(!w.radioLink().tracing());
        const QByteArray text = FileBytes(path);
        QVERIFY(text.contains("sent 7  50 52 4F 47 52 41 4D  |PROGRAM|"));
        QVERIFY(text.contains("57 3F 20 10"));
        QVERIFY(text.contains("** ** ** **"));
        QVERIFY(!text.contains("7Q5z") && !text.contains("37 51 35 7A"));
        QVERIFY(text.count('\n') > 1000); // every block, asked for and answered
    }
};

QTEST_MAIN(TestPortsAndTrace)
#include "test_ports_and_trace.moc"
