// The cached texts of the windows give exactly what a single lookup in the
// language file gives, and follow the file when it changes.

#include "text_cache.h"
#include "text_catalog.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace zav;

namespace {

void Write(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

// Every id that appears as a key in the file, plus a few that do not.
QList<int> IdsOf(const QString& path)
{
    QFile file(path);
    QList<int> ids{0, 8999, 9000, 9999, 12345, 31999, 32000, 99999};
    if (!file.open(QIODevice::ReadOnly))
        return ids;
    static const QRegularExpression key(QStringLiteral("^\\s*0*(\\d{1,6})\\s*="));
    for (const QByteArray& line : file.readAll().split('\n')) {
        const auto m = key.match(QString::fromUtf8(line));
        if (m.hasMatch())
            ids << m.captured(1).toInt();
    }
    return ids;
}

QString Mismatches(const QString& path)
{
    TextCatalog catalog;
    catalog.setFile(path.toStdString());
    ui::TextCache cache;
    QStringList bad;
    for (int id : IdsOf(path))
        if (cache.lookup(path.toStdString(), id) != catalog.text(id))
            bad << QString::number(id);
    return bad.join(',');
}

} // namespace

class TestTextCache : public QObject {
    Q_OBJECT
private slots:
    void sameAsSingleLookups_data();
    void sameAsSingleLookups();
    void followsEditedFile();
    void missingFileGivesEmptyTexts();
};

void TestTextCache::sameAsSingleLookups_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: the shipped file named by "file"
    QTest::addColumn<QString>("file");

    QTest::newRow("english") << QByteArray() << "english.ini";
    QTest::newRow("chinese") << QByteArray() << "chinese.ini";
    QTest::newRow("tricky lines") << QByteArray(
        "\xEF\xBB\xBF[msg]\r\n"
        "9006 =  Save changes?  \r\n"
        "9007=first\n"
        "9007=second\n"
        "09008=leading zero\n"
        ";9009=commented\n"
        "9010\n"
        "9011=trailing nul\0\0\n"
        "9012=\n"
        "[ Menu ]\n"
        "10000=&File\n"
        "9013=wrong section\n"
        "[Other\n"
        "10001=after a broken header\n"
        "[MSG]\n"
        "9007=third\n"
        "9014=again in Msg\n"
        "[OTHER]\n"
        "5=low id\n", 256) << "";
    QByteArray longValue = "[Msg]\n9020=" + QByteArray(300, 'x') + "\n";
    QTest::newRow("long value") << longValue << "";
}

void TestTextCache::sameAsSingleLookups()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, file);
    QString path;
    QTemporaryDir dir;
    if (content.isEmpty()) {
        path = qEnvironmentVariable("ZAV_SOURCE_DIR") + "/data/language/" + file;
        QVERIFY(QFile::exists(path));
    } else {
        path = dir.filePath("texts.ini");
        Write(path, content);
    }
    QCOMPARE(Mismatches(path), QString());
}

void TestTextCache::followsEditedFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("texts.ini");
    Write(path, "[Msg]\n9006=before\n");
    ui::TextCache cache;
    QCOMPARE(cache.lookup(path.toStdString(), 9006), std::string("before"));
    // Same size, written again: still noticed.
    Write(path, "[Msg]\n9006=after!\n");
    QCOMPARE(cache.lookup(path.toStdString(), 9006), std::string("after!"));

    // Another file (a language switch).
    const QString other = dir.filePath("other.ini");
    Write(other, "[Msg]\n9006=other\n");
    QCOMPARE(cache.lookup(other.toStdString(), 9006), std::string("other"));
    QCOMPARE(cache.lookup(path.toStdString(), 9006), std::string("after!"));
}

void TestTextCache::missingFileGivesEmptyTexts()
{
    QTemporaryDir dir;
    ui::TextCache cache;
    QCOMPARE(cache.lookup(dir.filePath("none.ini").toStdString(), 9006), std::string());
    QCOMPARE(cache.lookup("", 9006), std::string());
    // Created later: read then.
    Write(dir.filePath("none.ini"), "[Msg]\n9006=now\n");
    QCOMPARE(cache.lookup(dir.filePath("none.ini").toStdString(), 9006), std::string("now"));
}

QTEST_APPLESS_MAIN(TestTextCache)
#include "test_text_cache.moc"
