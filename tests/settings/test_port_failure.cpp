// Why a port cannot be opened: a device the user may not open names the
// group to join, a missing one lists the devices that exist.

#include "port_failure.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zav;

namespace {

constexpr uid_t kNobody = 65534;

/// The failure as an unprivileged user sees it: diagnosed in a child process
/// that gave up root (the texts are read here: the child may not read them).
std::string detailsAsNobody(const std::string& device, const TextCatalog& texts)
{
    if (::geteuid() != 0)
        return {};
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(1);
        const PortFailure f = diagnosePortFailure(device, {});
        const std::string text = std::to_string(static_cast<int>(f.kind)) + "\n" + f.reason + "\n" + f.group + "\n"
                                 + f.user + "\n" + f.owner;
        const ssize_t written = ::write(pipeFds[1], text.data(), text.size());
        ::_exit(written == static_cast<ssize_t>(text.size()) ? 0 : 1);
    }
    ::close(pipeFds[1]);
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    const QStringList parts = QString::fromStdString(text).split('\n');
    if (parts.size() != 5)
        return {};
    PortFailure failure;
    failure.device = device;
    failure.kind = static_cast<PortFailure::Kind>(parts[0].toInt());
    failure.reason = parts[1].toStdString();
    failure.group = parts[2].toStdString();
    failure.user = parts[3].toStdString();
    failure.owner = parts[4].toStdString();
    return portFailureDetails(failure, texts);
}

} // namespace

class TestPortFailure : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    TextCatalog texts_;

private slots:
    void initTestCase()
    {
        texts_.setFile(qEnvironmentVariable("ZAV_SOURCE_DIR").toStdString() + "/data/language/english.ini");
    }

    // A group is named only when joining it would help: it may read and
    // write the device, and it is not root. Otherwise only the owner may
    // use the device, and the advice is for an administrator.
    void permissionAdviceNamesOnlyAHelpfulGroup_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("named");
        QTest::newRow("dialout may read and write") << "dialout" << 0660 << true;
        QTest::newRow("dialout may only read") << "dialout" << 0640 << false;
        QTest::newRow("owner only, group root") << "root" << 0600 << false;
        QTest::newRow("group root may read and write") << "root" << 0660 << false;
    }
    void permissionAdviceNamesOnlyAHelpfulGroup()
    {
        QFETCH(QString, group);
        QFETCH(int, mode);
        QFETCH(bool, named);
        if (::geteuid() != 0)
            QSKIP("needs root to run a part of the test as an unprivileged user");
        const struct group* owner = ::getgrnam(group.toLocal8Bit().constData());
        if (!owner)
            QSKIP("this system has no such group");
        // A pseudo-terminal owned by root that nobody may not open.
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(master >= 0);
        QVERIFY(::grantpt(master) == 0 && ::unlockpt(master) == 0);
        const std::string device = ::ptsname(master);
        QVERIFY(::chown(device.c_str(), 0, owner->gr_gid) == 0);
        QVERIFY(::chmod(device.c_str(), static_cast<mode_t>(mode)) == 0);
        const QString text = QString::fromStdString(detailsAsNobody(device, texts_));
        ::close(master);
        QVERIFY2(text.contains(QString::fromStdString(device)), qPrintable(text));
        QVERIFY2(text.contains("Permission denied"), qPrintable(text));
        QCOMPARE(text.contains("Join the group \"" + group + "\""), named);
        if (named)
            QVERIFY2(text.contains("sudo adduser nobody " + group), qPrintable(text));
        QVERIFY2(!text.contains("adduser nobody root"), qPrintable(text));
        if (!named) {
            QVERIFY2(text.contains("Only the device's owner \"root\" may use it"), qPrintable(text));
            QVERIFY2(text.contains("udev rule") && text.contains("dialout"), qPrintable(text));
        }
    }

    // Something that opens but is no serial port is not "busy".
    void notASerialDevice_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("regular file") << "file";
        QTest::newRow("device that is no terminal") << "device";
    }
    void notASerialDevice()
    {
        QFETCH(QString, kind);
        QTemporaryDir here;
        const QByteArray path = QFile::encodeName(here.filePath("port"));
        if (kind == "file") {
            const int fd = ::open(path.constData(), O_WRONLY | O_CREAT, 0666);
            QVERIFY(fd >= 0);
            ::close(fd);
        } else if (::mknod(path.constData(), S_IFCHR | 0666, ::makedev(1, 3)) != 0) {
            QSKIP("making a device node needs the right to");
        }
        const PortFailure failure = diagnosePortFailure(path.toStdString(), {});
        const QString text = QString::fromStdString(portFailureDetails(failure, texts_));
        QVERIFY2(text.contains("not a serial device"), qPrintable(text));
        QVERIFY2(!text.contains("Another program"), qPrintable(text));
    }

    void missingDeviceListsThePresentOnes_data()
    {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("advice");
        QTest::newRow("some") << QStringList{"/dev/ttyS0", "/dev/ttyUSB1"} << "Serial devices present:\r\n  /dev/ttyS0\r\n  /dev/ttyUSB1";
        QTest::newRow("none") << QStringList{} << "No serial devices are present";
    }
    void missingDeviceListsThePresentOnes()
    {
        QFETCH(QStringList, present);
        QFETCH(QString, advice);
        std::vector<std::string> devices;
        for (const QString& d : present)
            devices.push_back(d.toStdString());
        const std::string device = dir_.filePath("ttyUSB9").toStdString();
        const PortFailure failure = diagnosePortFailure(device, devices);
        QVERIFY(failure.kind == PortFailure::Kind::Missing);
        const QString text = QString::fromStdString(portFailureDetails(failure, texts_));
        QVERIFY2(text.startsWith(QString::fromStdString(device) + ": No such file or directory"), qPrintable(text));
        QVERIFY2(text.contains(advice), qPrintable(text));
    }
};

QTEST_MAIN(TestPortFailure)
#include "test_port_failure.moc"
