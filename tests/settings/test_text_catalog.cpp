// Text lookup: the section of every id range, and empty texts for anything
// missing.

#include "text_catalog.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zav;

class TestTextCatalog : public QObject {
    Q_OBJECT
private slots:
    void sectionOfId_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("section");
        QTest::newRow("0") << 0 << "OTHER";
        QTest::newRow("8999") << 8999 << "OTHER";
        QTest::newRow("9000") << 9000 << "Msg";
        QTest::newRow("9999") << 9999 << "Msg";
        QTest::newRow("10000") << 10000 << "Menu";
        QTest::newRow("11999") << 11999 << "ToolBar";
        QTest::newRow("12000") << 12000 << "Main";
        QTest::newRow("14005") << 14005 << "ChannelInfo";
        QTest::newRow("16000") << 16000 << "Option";
        QTest::newRow("19000") << 19000 << "TestFre";
        QTest::newRow("22000") << 22000 << "Port";
        QTest::newRow("29000") << 29000 << "TONETIPS";
        QTest::newRow("30999") << 30999 << "GroupName";
        QTest::newRow("31999") << 31999 << "ResetMode";
        QTest::newRow("32000") << 32000 << "Others";
        QTest::newRow("99999") << 99999 << "Others";
    }
    void sectionOfId()
    {
        QFETCH(int, id);
        QFETCH(QString, section);
        QCOMPARE(QString::fromStdString(sectionForTextId(id)), section);

        // The lookup reads that section, whatever case the file uses.
        QTemporaryDir dir;
        QFile f(dir.filePath("t.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QString("[Decoy]\n%1=wrong\n[%2]\n%1= right \n").arg(id).arg(section.toUpper()).toUtf8());
        f.close();
        TextCatalog texts;
        texts.setFile(f.fileName().toStdString());
        QCOMPARE(QString::fromStdString(texts.text(id)), QString("right"));
    }

    void missingTextsAreEmpty()
    {
        QTemporaryDir dir;
        QFile f(dir.filePath("t.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Msg]\n9001=\n9002=" + QByteArray(300, 'y') + "\n");
        f.close();
        TextCatalog texts;
        QCOMPARE(QString::fromStdString(texts.text(9001)), QString()); // no file chosen
        texts.setFile(f.fileName().toStdString());
        QCOMPARE(QString::fromStdString(texts.text(9001)), QString()); // empty value
        QCOMPARE(QString::fromStdString(texts.text(9003)), QString()); // missing key
        QCOMPARE(QString::fromStdString(texts.text(10000)), QString()); // missing section
        QCOMPARE(texts.text(9002).size(), size_t(254));
        texts.setFile(dir.filePath("none.ini").toStdString());
        QCOMPARE(QString::fromStdString(texts.text(9002)), QString()); // missing file
    }
};

QTEST_APPLESS_MAIN(TestTextCatalog)
#include "test_text_catalog.moc"
