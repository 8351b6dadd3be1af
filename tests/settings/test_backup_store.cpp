// Backups and recovery files in the per-user data folder: names that list
// without opening the files, newest first, side files that carry the device
// and the document and go wherever their data file goes, pruning that keeps
// the newest whatever their age, and recovery files told apart by their
// program and kept as backups when not restored.

#include "backup_store.h"
#include "data_file.h"
#include "defaults.h"
#include "image_layout.h"
#include "recovery_store.h"
#include "side_info.h"
#include "user_folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <ctime>

#include <sys/wait.h>
#include <unistd.h>

using namespace zav;

namespace {

Document newDocument()
{
    Document doc;
    (void)buildNewDocument(doc, "/nonexistent/zav-test-init", TemplateVariant::NewDocument);
    return doc;
}

std::time_t localTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

QByteArray fileBytes(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

/// Sets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old, had_ = true;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (had_)
            ::setenv(name_, old_.c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

/// The data files and side files of a folder.
QStringList filesOf(const QString& folder, const char* pattern)
{
    return QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
}

/// The id of a process that has ended.
long endedProcessId()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

} // namespace

class TestBackupStore : public QObject {
    Q_OBJECT

private slots:
    void userFolders_data()
    {
        QTest::addColumn<QString>("xdgData");
        QTest::addColumn<QString>("xdgConfig");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("config");
        QTest::newRow("set") << "/x/data" << "/x/config" << "/x/data/zavprog" << "/x/config/zavprog";
        QTest::newRow("unset") << QString() << QString() << "/home/u/.local/share/zavprog" << "/home/u/.config/zavprog";
        QTest::newRow("empty") << "" << "" << "/home/u/.local/share/zavprog" << "/home/u/.config/zavprog";
        QTest::newRow("relative is ignored") << "rel/data" << "rel" << "/home/u/.local/share/zavprog"
                                             << "/home/u/.config/zavprog";
    }
    void userFolders()
    {
        QFETCH(QString, xdgData);
        QFETCH(QString, xdgConfig);
        QFETCH(QString, data);
        QFETCH(QString, config);
        const QByteArray d = xdgData.toUtf8(), c = xdgConfig.toUtf8();
        ScopedEnv home("HOME", "/home/u");
        ScopedEnv dataEnv("XDG_DATA_HOME", xdgData.isNull() ? nullptr : d.constData());
        ScopedEnv configEnv("XDG_CONFIG_HOME", xdgConfig.isNull() ? nullptr : c.constData());
        QCOMPARE(QString::fromStdString(userDataFolder()), data);
        QCOMPARE(QString::fromStdString(userConfigFolder()), config);
        QCOMPARE(QString::fromStdString(backupFolder()), data + "/backups");
    }

    void fileNames_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("name");
        QTest::newRow("read") << 0 << "ZAV415" << "/dev/ttyUSB0" << "2026-12-10_13-26-05_read_ZAV415_ttyUSB0.dat";
        QTest::newRow("write") << 1 << "ZAV415" << "/dev/ttyS1" << "2026-12-10_13-26-05_write_ZAV415_ttyS1.dat";
        QTest::newRow("padded model, odd port") << 0 << "ZAV415 \0" << "/tmp/my radio_1"
                                                << "2026-12-10_13-26-05_read_ZAV415_-tmp-my-radio-1.dat";
        QTest::newRow("no port") << 1 << "ZAV415" << "" << "2026-12-10_13-26-05_write_ZAV415_-.dat";
    }
    void fileNames()
    {
        QFETCH(int, kind);
        QFETCH(QString, model);
        QFETCH(QString, port);
        QFETCH(QString, name);
        const std::string shown = backupFileName(localTime(2026, 12, 10, 13, 26, 5), static_cast<BackupKind>(kind),
                                                 model.toStdString(), port.toStdString());
        QCOMPARE(QString::fromStdString(shown), name);
    }

    void writeAndList()
    {
        QTemporaryDir dir;
        const std::string folder = dir.filePath("backups").toStdString(); // made on the first backup
        Document doc = newDocument();
        doc.model.bandLabel = "440 - 480 MHz"; // band 3: the header is stamped from the model
        doc.active()[0].RxFrequency.assign("27.12500");
        const Document before = doc;

        const std::time_t first = localTime(2026, 12, 10, 9, 0, 0);
        const std::string a = writeBackup(folder, doc, BackupKind::Read, "/dev/ttyUSB0", first);
        const std::string b = writeBackup(folder, doc, BackupKind::Write, "/dev/ttyUSB1", first + 60);
        const std::string c = writeBackup(folder, doc, BackupKind::Write, "/dev/ttyUSB1", first + 60);
        QVERIFY(!a.empty() && !b.empty() && !c.empty());
        QVERIFY(b != c); // the same second and port get their own file
        QVERIFY(writeFullImage(doc.working) == writeFullImage(before.working) && doc.documentPath == before.documentPath);

        // The backup is what a save of the document writes.
        QTemporaryDir saveDir;
        Document saved = doc;
        QVERIFY(saveDocument(saved, saveDir.filePath("saved.dat").toStdString()));
        QCOMPARE(fileBytes(a), fileBytes(saveDir.filePath("saved.dat").toStdString()));

        QFile::copy(QString::fromStdString(a), QString::fromStdString(folder + "/notes.dat")); // not a backup name
        const auto entries = listBackups(folder);
        QCOMPARE(entries.size(), size_t(3));
        QCOMPARE(entries[2].path, a); // newest first
        QCOMPARE(entries[2].time, first);
        QVERIFY(entries[2].kind == BackupKind::Read);
        QCOMPARE(entries[2].port, std::string("/dev/ttyUSB0")); // in full, from the side file
        QCOMPARE(entries[2].model, std::string("ZAV415"));
        QCOMPARE(entries[2].headerModel, std::string("ZAV415"));
        QCOMPARE(entries[2].headerBand, 3);
        QCOMPARE(entries[2].headerVersion, std::string("V300"));
        QVERIFY(entries[0].kind == BackupKind::Write && entries[1].kind == BackupKind::Write);
    }

    void unwritableFolder()
    {
        QTemporaryDir dir;
        const QString blocker = dir.filePath("file");
        QFile f(blocker);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QCOMPARE(writeBackup((blocker + "/backups").toStdString(), newDocument(), BackupKind::Read, "", 0),
                 std::string());
        QCOMPARE(writeBackup("", newDocument(), BackupKind::Read, "", 0), std::string());
    }

    void sideFileNamesTheDeviceAndTheDocument()
    {
        QTemporaryDir dir;
        const std::string folder = dir.path().toStdString();
        Document doc = newDocument();
        doc.documentPath = "/home/u/radios/shop = 1\\\nnext.dat"; // "=", a backslash and a line break
        doc.isUntitled = false;
        const std::string path = writeBackup(folder, doc, BackupKind::Write, "/tmp/my radio_1", 0);
        QVERIFY(!path.empty());
        QVERIFY(QFileInfo::exists(QString::fromStdString(sideInfoPath(path))));
        auto entries = listBackups(folder);
        QCOMPARE(entries.size(), size_t(1));
        QCOMPARE(entries[0].port, std::string("/tmp/my radio_1"));
        QCOMPARE(entries[0].document, doc.documentPath);

        // A backup of an older program has no side file: the name tells.
        QVERIFY(QFile::remove(QString::fromStdString(sideInfoPath(path))));
        entries = listBackups(folder);
        QCOMPARE(entries[0].port, std::string("-tmp-my-radio-1"));
        QCOMPARE(entries[0].document, std::string());

        // A read has no document; an untitled one names none either.
        const std::string read = writeBackup(folder, newDocument(), BackupKind::Read, "/dev/ttyUSB0", 60);
        QCOMPARE(readSideInfo(read).device, std::string("/dev/ttyUSB0"));
        QCOMPARE(readSideInfo(read).document, std::string());
    }

    void damagedSideFilesAreIgnored_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("device");
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("binary") << QByteArray("\0\xff\x01=\n\xfe", 6) << "";
        QTest::newRow("no equals") << QByteArray("device /dev/ttyS0\n") << "";
        QTest::newRow("unknown key, no final line break") << QByteArray("colour=red\ndevice=/dev/ttyS0") << "/dev/ttyS0";
        QTest::newRow("trailing backslash") << QByteArray("device=/dev/x\\") << "/dev/x\\";
        QTest::newRow("too large") << QByteArray("device=/dev/ttyS0\n") + QByteArray(70000, 'x') << "";
    }
    void damagedSideFilesAreIgnored()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, device);
        QTemporaryDir dir;
        const std::string folder = dir.path().toStdString();
        const std::string path = writeBackup(folder, newDocument(), BackupKind::Read, "", 0);
        writeBytes(QString::fromStdString(sideInfoPath(path)), content);
        const auto entries = listBackups(folder);
        QCOMPARE(entries.size(), size_t(1));
        QCOMPARE(QString::fromStdString(entries[0].port), device); // a name without a port lists none
    }

    void pruning()
    {
        QTemporaryDir dir;
        const std::string folder = dir.path().toStdString();
        const Document doc = newDocument();
        const std::time_t now = localTime(2026, 12, 10, 12, 0, 0);
        const std::time_t day = 24 * 60 * 60;
        // 45 recent backups, then 10 old ones: the newest 50 include 5 of the
        // old ones, which stay; the 5 oldest go.
        for (int i = 0; i < 45; ++i)
            QVERIFY(!writeBackup(folder, doc, BackupKind::Read, "ttyUSB0", now - i * 60).empty());
        for (int i = 0; i < 10; ++i)
            QVERIFY(!writeBackup(folder, doc, BackupKind::Write, "ttyUSB0", now - (100 + i) * day).empty());
        QCOMPARE(pruneBackups(folder, now, kDefaultBackupDays), 5);
        QCOMPARE(filesOf(dir.path(), "*.info").size(), kBackupsAlwaysKept); // each with its backup
        const auto kept = listBackups(folder);
        QCOMPARE(kept.size(), size_t(kBackupsAlwaysKept));
        QCOMPARE(kept.back().time, now - 104 * day);
        // Beyond the newest 50, only those older than the limit go.
        QCOMPARE(pruneBackups(folder, now, 200), 0);
        QVERIFY(!writeBackup(folder, doc, BackupKind::Read, "ttyUSB0", now).empty());
        QCOMPARE(pruneBackups(folder, now, kDefaultBackupDays), 1);
        QCOMPARE(listBackups(folder).size(), size_t(kBackupsAlwaysKept));
    }

    void recoveryOfEndedRuns()
    {
        QTemporaryDir dir;
        const std::string folder = dir.path().toStdString();
        Document edited = newDocument();
        edited.active()[0].RxFrequency.assign("26.96500");
        const long ended = endedProcessId();
        QVERIFY(writeRecovery(recoveryPath(folder, ended), edited));
        QVERIFY(writeRecovery(recoveryPath(folder, ::getpid()), edited)); // this run's own: still running
        const auto abandoned = abandonedRecoveries(folder);
        QCOMPARE(abandoned.size(), size_t(1));
        QCOMPARE(abandoned[0], recoveryPath(folder, ended));

        Document doc = newDocument();
        doc.documentPath = "/somewhere/old.dat";
        doc.isUntitled = false;
        QVERIFY(restoreRecovery(doc, abandoned[0], VersionRecords{}));
        QVERIFY(doc.active()[0].RxFrequency == edited.active()[0].RxFrequency);
        QVERIFY(doc.isModified());
        QVERIFY(doc.isUntitled);
        QCOMPARE(doc.documentPath, std::string(kUntitledName));

        // Work on a named file comes back under that name, still modified.
        edited.documentPath = "/home/u/radio.dat";
        edited.isUntitled = false;
        QVERIFY(writeRecovery(abandoned[0], edited));
        QCOMPARE(recoveryFacts(abandoned[0]).document, edited.documentPath);
        QVERIFY(restoreRecovery(doc, abandoned[0], VersionRecords{}));
        QCOMPARE(doc.documentPath, edited.documentPath);
        QVERIFY(!doc.isUntitled);
        QVERIFY(doc.isModified());
        // Saved untitled again, the side file goes.
        edited.documentPath = kUntitledName;
        edited.isUntitled = true;
        QVERIFY(writeRecovery(abandoned[0], edited));
        QVERIFY(!QFileInfo::exists(QString::fromStdString(sideInfoPath(abandoned[0]))));
        removeRecovery(abandoned[0]);
        QVERIFY(!QFileInfo::exists(QString::fromStdString(abandoned[0])));
    }

    void recoveryKeptAsBackup()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath("data");
        const std::string backups = dir.filePath("backups").toStdString();
        Document edited = newDocument();
        edited.active()[0].RxFrequency.assign("26.96500");
        edited.documentPath = "/home/u/radio.dat";
        edited.isUntitled = false;
        const std::string left = recoveryPath(data.toStdString(), endedProcessId());
        QVERIFY(writeRecovery(left, edited));
        const QByteArray bytes = fileBytes(left);

        // A folder that cannot be made keeps the recovery file where it is.
        writeBytes(dir.filePath("blocker"), "x");
        QCOMPARE(keepRecoveryAsBackup(dir.filePath("blocker/backups").toStdString(), left, 0), std::string());
        QCOMPARE(fileBytes(left), bytes);
        QCOMPARE(readSideInfo(left).document, edited.documentPath);

        const std::time_t when = localTime(2026, 12, 10, 13, 26, 5);
        const std::string kept = keepRecoveryAsBackup(backups, left, when);
        QCOMPARE(QFileInfo(QString::fromStdString(kept)).fileName(),
                 QString("2026-12-10_13-26-05_recovery_ZAV415_-.dat"));
        QCOMPARE(fileBytes(kept), bytes);
        QVERIFY(filesOf(data, "*").isEmpty()); // moved with its side file
        const auto entries = listBackups(backups);
        QCOMPARE(entries.size(), size_t(1));
        QVERIFY(entries[0].kind == BackupKind::Recovery);
        QCOMPARE(entries[0].port, std::string()); // no device: the name's "-" lists as none
        QCOMPARE(entries[0].time, when);
        QCOMPARE(entries[0].document, edited.documentPath);
        QCOMPARE(entries[0].headerModel, std::string("ZAV415"));
    }

    void recoveryNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("recovery");
        // 999999999 is above any process id the system hands out.
        QTest::newRow("nine digits") << "recovery-999999999.dat" << true;
        QTest::newRow("ten digits") << "recovery-1234567890.dat" << false;
        QTest::newRow("no digits") << "recovery-.dat" << false;
        QTest::newRow("letter among digits") << "recovery-99a9.dat" << false;
        QTest::newRow("sign") << "recovery-+999.dat" << false;
        QTest::newRow("other suffix") << "recovery-999.dat.tmp" << false;
        QTest::newRow("suffix case") << "recovery-999.DAT" << false;
        QTest::newRow("other prefix") << "xrecovery-999.dat" << false;
        QTest::newRow("prefix and suffix only") << "recovery.dat" << false;
    }
    void recoveryNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, recovery);
        QTemporaryDir dir;
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QCOMPARE(abandonedRecoveries(dir.path().toStdString()).size(), size_t(recovery ? 1 : 0));
    }

    void damagedRecoveryChangesNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("recovery-1.dat");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(1000, '\xff'));
        f.close();
        Document doc = newDocument();
        const Document before = doc;
        QVERIFY(!restoreRecovery(doc, path.toStdString(), VersionRecords{}));
        QVERIFY(writeFullImage(doc.working) == writeFullImage(before.working) && doc.documentPath == before.documentPath);
    }
};

QTEST_MAIN(TestBackupStore)
#include "test_backup_store.moc"
