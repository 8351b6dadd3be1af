// Channel groups of both modes, their labels and the model display names.

#include "channel_groups.h"
#include "defaults.h"

#include <QTest>

using namespace zav;

class TestChannelGroups : public QObject {
    Q_OBJECT
private slots:
    void groupOfChannel_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("inGroup");
        QTest::newRow("country first") << 0 << 1 << 0 << 1;
        QTest::newRow("country 125 is UK 45") << 0 << 125 << 2 << 45;
        QTest::newRow("country PL starts at 161") << 0 << 161 << 3 << 1;
        QTest::newRow("country DE is 80 wide") << 0 << 320 << 5 << 80;
        QTest::newRow("country IN") << 0 << 360 << 6 << 40;
        QTest::newRow("country 361 in no group") << 0 << 361 << -1 << 0;
        QTest::newRow("country 521 in no group") << 0 << 521 << -1 << 0;
        QTest::newRow("extended AE") << 4 << 40 << 0 << 40;
        QTest::newRow("extended LE") << 4 << 400 << 9 << 40;
        QTest::newRow("extended 401 in no group") << 4 << 401 << -1 << 0;
        QTest::newRow("extended VFO") << 4 << 521 << 10 << 1;
    }
    void groupOfChannel()
    {
        QFETCH(int, mode);
        QFETCH(int, number);
        QFETCH(int, group);
        QFETCH(int, inGroup);
        GroupPosition p = zav::groupOfChannel(number, Int16(mode));
        QCOMPARE(p.group, group);
        QCOMPARE(p.numberInGroup, inGroup);
        if (group >= 0)
            QCOMPARE(groupBase(group, Int16(mode)) + inGroup, number);
    }

    void labels_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("label");
        QTest::newRow("country 3") << 0 << 3 << "3 -- PL";
        QTest::newRow("extended 10") << 4 << 10 << "10 -- VFO";
        QTest::newRow("one past the names") << 0 << 12 << "12 -- VFO";
        QTest::newRow("above 12 counts as 0") << 0 << 13 << "0 -- EU";
        QTest::newRow("negative counts as 0") << 4 << -1 << "0 -- AE";
    }
    void labels()
    {
        QFETCH(int, mode);
        QFETCH(int, group);
        QFETCH(QString, label);
        Document d;
        d.image().ChannelMode = Int16(mode);
        buildNewDocument(d, "", TemplateVariant::NewDocument);
        QCOMPARE(QString::fromStdString(groupLabel(group, d.image())), label);
    }

    void labelsOfAMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("groups");
        QTest::newRow("country") << 0 << 7;
        QTest::newRow("extended") << 4 << 11;
    }
    void labelsOfAMode()
    {
        QFETCH(int, mode);
        QFETCH(int, groups);
        Document d;
        d.image().ChannelMode = Int16(mode);
        buildNewDocument(d, "", TemplateVariant::NewDocument);
        QCOMPARE(int(groupLabelList(d.image()).size()), groups);
        d.image().GroupNames[5].assign("");
        QCOMPARE(QString::fromStdString(groupLabel(5, d.image())), QString("5 -- "));
    }

    void channelsInGroup()
    {
        Document d;
        buildNewDocument(d, "", TemplateVariant::NewDocument);
        d.image().ChannelCount = 0;
        for (int n : {130, 85, 81, 200, 521})
            appendDefaultChannel(d, n, 27.0, false);
        QCOMPARE(channelNumbersInGroup(d.working, 2), (std::vector<int>{1, 5, 50}));
        QCOMPARE(findChannelInGroup(d.working, 2, 5), 1);
        QCOMPARE(findChannelInGroup(d.working, 2, 6), -1);
        QCOMPARE(channelNumbersInGroup(d.working, 3), (std::vector<int>{40}));
    }

    void modelDisplayName_data()
    {
        QTest::addColumn<QByteArray>("model");
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("shown");
        QTest::newRow("KD1415 variant 2") << QByteArray("KD1415 ") << 2 << "ZAV415E";
        QTest::newRow("KD1415 variant 1") << QByteArray("KD1415") << 1 << "KD1415";
        QTest::newRow("ZAV415 variant 1") << QByteArray("ZAV415\0\0", 8) << 1 << "ZAV415FM";
        QTest::newRow("ZAV415 variant 0") << QByteArray("ZAV415") << 0 << "ZAV415";
        QTest::newRow("other") << QByteArray("XY12  ") << 2 << "XY12";
    }
    void modelDisplayName()
    {
        QFETCH(QByteArray, model);
        QFETCH(int, variant);
        QFETCH(QString, shown);
        QCOMPARE(QString::fromStdString(zav::modelDisplayName(model.toStdString(), variant)), shown);
    }
};

QTEST_APPLESS_MAIN(TestChannelGroups)
#include "test_channel_groups.moc"
