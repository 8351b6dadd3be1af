// Version records, the version-text form, the incompatibility question and
// the identity predicates of a transfer.

#include "text_catalog.h"
#include "versions.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zav;

namespace {
void Write(const QString& path, const QByteArray& text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}
} // namespace

class TestVersions : public QObject {
    Q_OBJECT
private slots:
    void compatibility_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("image");
        QTest::addColumn<bool>("compatible");
        QTest::addColumn<QString>("software");
        const QByteArray two = "[Version]\r\nCurrentVersion=V300\r\nSoftVersionCount=1\r\nFirmVersionCount=2\r\n"
                               "[Soft]\r\n0Version=V300\r\n[Firm]\r\n0Firm=V300V300\r\n1Firm= V300V210 \r\n";
        QTest::newRow("own version") << two << "V300" << true << "V300";
        QTest::newRow("paired older version") << two << "V210" << true << "V300";
        QTest::newRow("unpaired version") << two << "V200" << false << "";
        const QByteArray other = "[Version]\nFirmVersionCount=2\n[Firm]\n0Firm=V300V300\n1Firm=V210V200\n";
        QTest::newRow("handled by another version") << other << "V200" << false << "V210";
        QTest::newRow("no file: own version still opens") << QByteArray() << "V300" << true << "";
        QTest::newRow("no file: others refused") << QByteArray() << "V210" << false << "";
        const QByteArray noPairs = "[Version]\nFirmVersionCount=0\n[Firm]\n0Firm=V300V210\n";
        QTest::newRow("no pairs: own version") << noPairs << "V300" << true << "";
        QTest::newRow("no pairs: table empty") << noPairs << "V210" << false << "";
        const QByteArray badCount = "[Version]\nFirmVersionCount=abc\n[Firm]\n0Firm=V300V210\n";
        QTest::newRow("count not a number") << badCount << "V210" << false << "";
        const QByteArray hugeCount = "[Version]\nFirmVersionCount=2000000000\n[Firm]\n0Firm=V300V210\n";
        QTest::newRow("count far too large") << hugeCount << "V210" << true << "V300";
    }
    void compatibility()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, image);
        QFETCH(bool, compatible);
        QFETCH(QString, software);
        QTemporaryDir dir;
        const QString path = dir.filePath("Version.ini");
        if (!ini.isEmpty())
            Write(path, ini);
        VersionRecords records = loadVersionRecords(path.toStdString());
        QCOMPARE(records.isCompatible("V300", image.toStdString()), compatible);
        QCOMPARE(QString::fromStdString(records.softwareFor(image.toStdString())), software);
    }

    void recordsAsRead()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Version.ini");
        Write(path, "[Version]\nCurrentVersion=V300\nSoftVersionCount=2\nFirmVersionCount=1\n"
                    "[Soft]\n0Version=V300\n1Version=V210\n[Firm]\n0Firm=V300V300\n");
        VersionRecords r = loadVersionRecords(path.toStdString());
        QCOMPARE(r.currentVersion, std::string("V300"));
        QCOMPARE(r.softwareVersions, (std::vector<std::string>{"V300", "V210"}));
        QCOMPARE(r.pairs, (std::vector<std::string>{"V300", "V300"}));
    }

    void versionText_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("V300") << QByteArray("V300") << true;
        QTest::newRow("trailing space") << QByteArray("V300 ") << true;
        QTest::newRow("NUL and junk") << QByteArray("V300\0xy", 7) << true;
        QTest::newRow("letter after V") << QByteArray("V30A") << false;
        QTest::newRow("V last") << QByteArray("300V") << false;
        QTest::newRow("lower-case v") << QByteArray("v300") << false;
        QTest::newRow("too short") << QByteArray("V30") << false;
        QTest::newRow("too long") << QByteArray("V3000") << false;
        // The three after "V" are numeric as any typed number is: another
        // program's version such as "V3.0" brings the version question.
        QTest::newRow("point") << QByteArray("V3.0") << true;
        QTest::newRow("leading point") << QByteArray("V.50") << true;
        QTest::newRow("sign") << QByteArray("V-30") << true;
        QTest::newRow("two points") << QByteArray("V1..") << false;
        QTest::newRow("comma") << QByteArray("V1,5") << false;
        QTest::newRow("sign without digits") << QByteArray("V+..") << false;
        QTest::newRow("leading space") << QByteArray(" V300") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void versionText()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QCOMPARE(isVersionText(std::string_view(text.constData(), size_t(text.size()))), valid);
    }

    void incompatibleMessage()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("english.ini");
        Write(path, "[Msg]\n9061=Program version:\n9062=Open it with another version?\n9064=File version:\n");
        TextCatalog texts;
        texts.setFile(path.toStdString());
        QCOMPARE(QString::fromStdString(zav::incompatibleMessage(texts, "V300", "V200")),
                 QString("Open it with another version?\r\nFile version: V2.00\r\nProgram version: V3.00"));
        QCOMPARE(QString::fromStdString(dottedVersion("V210")), QString("V2.10"));
    }

    void otherVersionProgram_data()
    {
        QTest::addColumn<QString>("pair");
        QTest::addColumn<QString>("image");
        QTest::addColumn<QString>("program");
        QTest::newRow("installed beside") << "V210V200" << "V200" << "/opt/radio/V210/zavprog";
        QTest::newRow("no pair") << "V210V200" << "V100" << "";
        QTest::newRow("not a version folder") << "../xV200" << "V200" << "";
    }
    void otherVersionProgram()
    {
        QFETCH(QString, pair);
        QFETCH(QString, image);
        QFETCH(QString, program);
        VersionRecords r;
        r.pairs = {pair.left(4).toStdString(), pair.right(4).toStdString()};
        QCOMPARE(QString::fromStdString(zav::otherVersionProgram(r, "/opt/radio", "zavprog", image.toStdString())),
                 program);
    }

    void identityPredicates_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<bool>("family");
        QTest::newRow("both 3") << 0x1C << 0x19 << true;
        QTest::newRow("both 4: above 3") << 0x20 << 0x20 << false;
        QTest::newRow("both 0") << 0x00 << 0x07 << true;
        QTest::newRow("3 and 4") << 0x18 << 0x20 << false;
        QTest::newRow("2 and 3") << 0x10 << 0x18 << false;
        QTest::newRow("high bits ignored below") << 0x1F << 0x18 << true;
    }
    void identityPredicates()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(bool, family);
        QCOMPARE(sameFamily(a, b), family);
    }

    void sameBandOnlyMattersForWrites()
    {
        QVERIFY(sameBand(1, 2, 1));
        QVERIFY(sameBand(1, 2, 3));
        QVERIFY(!sameBand(1, 2, 2));
        QVERIFY(sameBand(3, 3, 2));
        QVERIFY(sameText("ZAV415", "ZAV415"));
        QVERIFY(!sameText("ZAV415", "ZAV415 "));
    }
};

QTEST_APPLESS_MAIN(TestVersions)
#include "test_versions.moc"
