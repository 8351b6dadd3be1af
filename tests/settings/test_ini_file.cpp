// Private-profile files: how keys are found and how one written key leaves
// every other line of the file alone.

#include "ini_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace zav;

namespace {
bool Write(const QString& path, const QByteArray& text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

QStringList Lines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    for (QString& l : lines)
        if (l.endsWith('\r'))
            l.chop(1);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

const QByteArray kSample = "; comment=not a key\r\n"
                           "[Msg]\r\n"
                           "9000=  padded text  \r\n"
                           "9001=\r\n"
                           "9002=a=b=c\r\n"
                           "\r\n"
                           "[Other]\r\n"
                           "9000=wrong section\r\n"
                           "Key=Mixed\r\n";
} // namespace

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("trimmed") << kSample << "Msg" << "9000" << "padded text";
        QTest::newRow("section any case") << kSample << "MSG" << "9000" << "padded text";
        QTest::newRow("key any case") << kSample << "other" << "KEY" << "Mixed";
        QTest::newRow("empty value") << kSample << "Msg" << "9001" << "";
        QTest::newRow("missing key") << kSample << "Msg" << "9003" << "";
        QTest::newRow("missing section") << kSample << "Menu" << "9000" << "";
        QTest::newRow("key of another section") << kSample << "Msg" << "Key" << "";
        QTest::newRow("= inside the value") << kSample << "Msg" << "9002" << "a=b=c";
        QTest::newRow("comment is no key") << kSample << "" << "; comment" << "";
        QTest::newRow("LF only") << QByteArray("[a]\nk=v\n") << "a" << "k" << "v";
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF[a]\nk=v\n") << "a" << "k" << "v";
        QTest::newRow("trailing NUL dropped") << QByteArray("[a]\nk=v\0\n", 9) << "a" << "k" << "v";
        QTest::newRow("UTF-8 text") << QByteArray("[a]\nk=\xE5\x90\x8D\n") << "a" << "k" << QString::fromUtf8("\xE5\x90\x8D");
        QTest::newRow("the first of a repeated key") << QByteArray("[a]\nk=1\n[b]\nk=2\n[A]\nk=3\n") << "a" << "k" << "1";
        QTest::newRow("section again later") << QByteArray("[a]\nj=1\n[b]\nk=2\n[a]\nk=3\n") << "a" << "k" << "3";
        QTest::newRow("no line end at the end") << QByteArray("[a]\r\nk=v") << "a" << "k" << "v";
    }
    void read()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QTemporaryDir dir;
        QVERIFY(Write(dir.filePath("a.ini"), content));
        QCOMPARE(QString::fromStdString(
                     readProfileString(dir.filePath("a.ini").toStdString(), section.toStdString(), key.toStdString())),
                 value);
        // The same text already in memory gives the same value, alone or
        // asked for beside another key.
        const std::string sectionName = section.toStdString();
        const std::string keyName = key.toStdString();
        const std::string_view text(content.constData(), static_cast<std::size_t>(content.size()));
        QCOMPARE(QString::fromStdString(profileStringsIn(text, sectionName, {keyName}).at(0)), value);
        QCOMPARE(QString::fromStdString(profileStringsIn(text, sectionName, {"9001", keyName}).at(1)), value);
    }

    void readLimits()
    {
        QTemporaryDir dir;
        const std::string path = dir.filePath("a.ini").toStdString();
        QCOMPARE(QString::fromStdString(readProfileString(path, "a", "k")), QString()); // no file
        QVERIFY(Write(dir.filePath("a.ini"), "[a]\nk=" + QByteArray(300, 'x') + "\n"));
        QCOMPARE(readProfileString(path, "a", "k", 254).size(), size_t(254));
    }

    void write_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("expected");
        const QStringList original{"; comment=not a key", "[Msg]", "9000=  padded text  ", "9001=", "9002=a=b=c", "",
                                   "[Other]", "9000=wrong section", "Key=Mixed"};
        QStringList replaced = original;
        replaced[3] = "9001=new";
        QTest::newRow("existing key") << "Msg" << "9001" << replaced;
        QStringList anyCase = original;
        anyCase[8] = "key=new";
        QTest::newRow("existing key, other case") << "OTHER" << "key" << anyCase;
        QStringList added = original;
        added.insert(5, "9005=new");
        QTest::newRow("new key after the section's last line") << "Msg" << "9005" << added;
        QStringList section = original;
        section << "" << "[Menu]" << "10000=new";
        QTest::newRow("new section at the end") << "Menu" << "10000" << section;
    }
    void write()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath("a.ini");
        QVERIFY(Write(path, kSample));
        QVERIFY(writeProfileString(path.toStdString(), section.toStdString(), key.toStdString(), "new"));
        QCOMPARE(Lines(path), expected);
        QCOMPARE(QString::fromStdString(readProfileString(path.toStdString(), section.toStdString(), key.toStdString())),
                 QString("new"));
    }

    void unchangedFileIsLeftAlone_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("rewritten");
        QTest::addColumn<QByteArray>("after");
        const QByteArray crlf = "[language]\r\ncomPort=1\r\nCurrentLanguage=2\r\n";
        QTest::newRow("same value") << crlf << "1" << false << crlf;
        QTest::newRow("other value") << crlf << "3" << true << QByteArray("[language]\r\ncomPort=3\r\nCurrentLanguage=2\r\n");
        // Whatever differs in the bytes is written as the program writes it.
        QTest::newRow("same value, LF lines") << QByteArray("[language]\ncomPort=1\n") << "1" << true
                                              << QByteArray("[language]\r\ncomPort=1\r\n");
        QTest::newRow("same value, byte-order mark") << QByteArray("\xEF\xBB\xBF[language]\r\ncomPort=1\r\n") << "1"
                                                     << true << QByteArray("[language]\r\ncomPort=1\r\n");
        QTest::newRow("same value, other key case") << QByteArray("[language]\r\nCOMPORT=1\r\n") << "1" << true
                                                    << QByteArray("[language]\r\ncomPort=1\r\n");
        QTest::newRow("same value, no last line end") << QByteArray("[language]\r\ncomPort=1") << "1" << true
                                                      << QByteArray("[language]\r\ncomPort=1\r\n");
        QTest::newRow("same value, stray carriage return") << QByteArray("[language]\r\ncomPort=1\r\r\n") << "1"
                                                           << true << QByteArray("[language]\r\ncomPort=1\r\n");
    }
    void unchangedFileIsLeftAlone()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, value);
        QFETCH(bool, rewritten);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath("mysetup.ini");
        QVERIFY(Write(path, before));
        // A rewrite replaces the file with a new one (a new inode).
        auto inode = [&] {
            struct stat st {};
            return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : ino_t(0);
        };
        const ino_t old = inode();
        QVERIFY(writeProfileString(path.toStdString(), "language", "comPort", value.toStdString()));
        QCOMPARE(inode() != old, rewritten);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), after);
    }

    void writeCreatesFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("new.ini");
        QVERIFY(writeProfileString(path.toStdString(), "language", "comPort", "1"));
        QVERIFY(writeProfileString(path.toStdString(), "language", "CurrentLanguage", "2"));
        QCOMPARE(Lines(path), (QStringList{"[language]", "comPort=1", "CurrentLanguage=2"}));
        QVERIFY(!writeProfileString(dir.filePath("missing/x.ini").toStdString(), "a", "b", "c"));
    }
};

QTEST_APPLESS_MAIN(TestIniFile)
#include "test_ini_file.moc"
