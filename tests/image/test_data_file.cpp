// Data files: exact bytes on save, byte-identical open/save, every refused
// input leaves the document untouched, a failed save loses nothing.

#include "data_file.h"
#include "defaults.h"
#include "image_layout.h"
#include "version_records.h"

#include "image_test_util.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace zav;
using namespace zav::testing;

namespace {

Document NewDoc()
{
    Document d;
    buildNewDocument(d, "", TemplateVariant::NewDocument);
    return d;
}

QByteArray NewDocBytes() { return ToQBytes(writeFullImage(NewDoc().saved)); }

int ActiveRecord(int i) { return offsets::ActiveChannels + kChannelRecordBytes * i; }
int StandbyRecord(int i) { return offsets::StandbyChannels + kChannelRecordBytes * i; }

/// A document that differs from a new one, to see that a refusal keeps it.
Document EditedDoc()
{
    Document d = NewDoc();
    d.image().OptFeat.Common1[common1::TotTime] = 8;
    d.active()[0].RxTone = 12;
    d.documentPath = "/old/place.dat";
    d.isUntitled = false;
    return d;
}

VersionRecords PairsOf(std::initializer_list<const char*> pairs)
{
    VersionRecords v;
    for (const char* p : pairs) {
        v.pairs.push_back(std::string(p, 4));
        v.pairs.push_back(std::string(p + 4, 4));
    }
    return v;
}

} // namespace

class TestDataFile : public QObject {
    Q_OBJECT
private slots:
    void newDocumentSavedAndReopened()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("a.dat");
        Document d = NewDoc();
        QVERIFY(saveDocument(d, path.toStdString()));
        QVERIFY(!d.isUntitled);
        QCOMPARE(d.documentPath, path.toStdString());

        const QByteArray bytes = ReadFile(path);
        QCOMPARE(bytes.size(), kFullFileBytes);
        QCOMPARE(bytes.left(7), QByteArray("ZAV415 "));
        QCOMPARE(bytes.mid(7, 2), QByteArray(2, '\0'));
        QCOMPARE(bytes.mid(9, 4), QByteArray("V300"));
        for (int record : {ActiveRecord(0), ActiveRecord(1), StandbyRecord(0), StandbyRecord(1)}) {
            const int number = record == ActiveRecord(0) || record == StandbyRecord(0) ? 1 : 521;
            QCOMPARE(int(quint8(bytes[record])), number & 0xFF);
            QCOMPARE(int(quint8(bytes[record + 1])), number >> 8);
            QCOMPARE(bytes.mid(record + 6, 8), QByteArray("02786000"));
        }

        Document e = EditedDoc();
        OpenResult r = openDocument(e, path.toStdString(), VersionRecords{});
        QCOMPARE(int(r.outcome), int(OpenOutcome::Opened));
        QVERIFY(!e.isModified());
        QVERIFY(!e.isUntitled);
        QCOMPARE(e.documentPath, path.toStdString());
        QVERIFY(e.working.Settings == d.working.Settings);
        QVERIFY(SameImage(e.saved, d.saved));
    }

    void openAndSaveIsByteIdentical()
    {
        // Records beyond the counts, the radio list and the test frequencies
        // hold arbitrary bytes; none of them may change on the way through.
        QByteArray bytes = NewDocBytes();
        QRandomGenerator rng(7);
        for (int i = 2; i < kChannelSlots; ++i)
            for (int b = 0; b < kChannelRecordBytes; ++b) {
                bytes[ActiveRecord(i) + b] = char(rng.bounded(256));
                bytes[StandbyRecord(i) + b] = char(rng.bounded(256));
            }
        for (int b = offsets::RadioList; b < offsets::OptFeat; ++b)
            bytes[b] = char(rng.bounded(256));
        bytes[ActiveRecord(0) + 20] = char(0xC8); // a non-ASCII text byte in a used record
        QTemporaryDir dir;
        QVERIFY(WriteFile(dir.filePath("in.dat"), bytes));
        Document d = NewDoc();
        QCOMPARE(int(openDocument(d, dir.filePath("in.dat").toStdString(), VersionRecords{}).outcome),
                 int(OpenOutcome::Opened));
        QVERIFY(saveDocument(d, dir.filePath("out.dat").toStdString()));
        QCOMPARE(ReadFile(dir.filePath("out.dat")), bytes);
    }

    void acceptedHeaders_data()
    {
        QTest::addColumn<QByteArray>("model");
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<QString>("pairs");
        QTest::newRow("model ended by NUL") << QByteArray("ZAV415\0", 7) << QByteArray("V300") << "";
        QTest::newRow("model, NUL and junk") << QByteArray("ZAV415\0xy", 7) << QByteArray("V300") << "";
        QTest::newRow("own version without pairs") << QByteArray("ZAV415 ") << QByteArray("V300") << "";
        QTest::newRow("paired older version") << QByteArray("ZAV415 ") << QByteArray("V210") << "V300V300,V300V210";
    }
    void acceptedHeaders()
    {
        QFETCH(QByteArray, model);
        QFETCH(QByteArray, version);
        QFETCH(QString, pairs);
        QByteArray bytes = NewDocBytes();
        bytes.replace(0, 7, model.left(7));
        bytes.replace(9, 4, version);
        VersionRecords v;
        for (const QString& p : pairs.split(',', Qt::SkipEmptyParts)) {
            v.pairs.push_back(p.left(4).toStdString());
            v.pairs.push_back(p.right(4).toStdString());
        }
        QTemporaryDir dir;
        QVERIFY(WriteFile(dir.filePath("a.dat"), bytes));
        Document d = EditedDoc();
        OpenResult r = openDocument(d, dir.filePath("a.dat").toStdString(), v);
        QCOMPARE(int(r.outcome), int(OpenOutcome::Opened));
        QCOMPARE(d.model.modelName, std::string("ZAV415"));
        QCOMPARE(d.image().Header.Version.raw(), std::string("V300")); // the program's version from now on
        QVERIFY(!d.isModified());
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("messageId");
        const int fileError = int(OpenOutcome::FileError);
        QTest::newRow("missing") << "missing" << fileError << 9002;
        QTest::newRow("folder") << "folder" << fileError << 9002;
        QTest::newRow("empty") << "empty" << fileError << 9002;
        QTest::newRow("header only") << "header" << fileError << 9002;
        QTest::newRow("short") << "short" << fileError << 9002;
        QTest::newRow("long") << "long" << fileError << 9002;
        QTest::newRow("image-only size") << "imageonly" << fileError << 9002;
        QTest::newRow("wrong model") << "model" << int(OpenOutcome::WrongModel) << 9012;
        QTest::newRow("wrong model, short file") << "modelshort" << int(OpenOutcome::WrongModel) << 9012;
        QTest::newRow("letter in version") << "V30A" << int(OpenOutcome::BadVersionText) << 9065;
        QTest::newRow("version backwards") << "300V" << int(OpenOutcome::BadVersionText) << 9065;
        QTest::newRow("unpaired version") << "V200" << int(OpenOutcome::Incompatible) << 0;
        QTest::newRow("count -1") << "count-1" << fileError << 9002;
        QTest::newRow("count 522") << "count522" << fileError << 9002;
        QTest::newRow("standby count 522") << "standby522" << fileError << 9002;
        QTest::newRow("number 0") << "number0" << fileError << 9002;
        QTest::newRow("number 522") << "number522" << fileError << 9002;
        QTest::newRow("duplicate number") << "duplicate" << fileError << 9002;
        QTest::newRow("duplicate standby number") << "standbyduplicate" << fileError << 9002;
        QTest::newRow("unreadable") << "unreadable" << fileError << 9002;
    }
    void refusedFiles()
    {
        QFETCH(QString, fault);
        QFETCH(int, outcome);
        QFETCH(int, messageId);
        QTemporaryDir dir;
        const QString path = dir.filePath("bad.dat");
        QByteArray bytes = NewDocBytes();
        bool write = true;
        if (fault == "missing") {
            write = false;
        } else if (fault == "folder") {
            QVERIFY(QDir().mkdir(path));
            write = false;
        } else if (fault == "empty") {
            bytes.clear();
        } else if (fault == "header") {
            bytes.truncate(13);
        } else if (fault == "short") {
            bytes.chop(1);
        } else if (fault == "long") {
            bytes.append('\0');
        } else if (fault == "imageonly") {
            bytes.truncate(kRadioImageBytes);
        } else if (fault == "model") {
            bytes.replace(0, 7, "ZAV416 ");
        } else if (fault == "modelshort") {
            bytes.replace(0, 7, "KD1415 ");
            bytes.truncate(100);
        } else if (fault == "V30A" || fault == "300V" || fault == "V200") {
            bytes.replace(9, 4, fault.toLatin1());
        } else if (fault == "count-1") {
            PutInt16(bytes, offsets::ChannelCount, -1);
        } else if (fault == "count522") {
            PutInt16(bytes, offsets::ChannelCount, 522);
        } else if (fault == "standby522") {
            PutInt16(bytes, offsets::StandbyChannelCount, 522);
        } else if (fault == "number0") {
            PutInt16(bytes, ActiveRecord(1), 0);
        } else if (fault == "number522") {
            PutInt16(bytes, ActiveRecord(0), 522);
        } else if (fault == "duplicate") {
            PutInt16(bytes, ActiveRecord(1), 1);
        } else if (fault == "standbyduplicate") {
            PutInt16(bytes, StandbyRecord(0), 521);
        }
        if (write)
            QVERIFY(WriteFile(path, bytes));
        if (fault == "unreadable") {
            QFile::setPermissions(path, QFileDevice::Permissions());
            QFile probe(path);
            if (probe.open(QIODevice::ReadOnly))
                QSKIP("this user reads files without read permission");
        }

        Document d = EditedDoc();
        const Document before = d;
        OpenResult r = openDocument(d, path.toStdString(), PairsOf({"V300V300", "V300V210"}));
        QCOMPARE(int(r.outcome), outcome);
        QCOMPARE(r.messageId(), messageId);
        if (fault == "V200")
            QCOMPARE(r.fileVersion, std::string("V200"));
        QVERIFY(SameImage(d.working, before.working));
        QVERIFY(SameImage(d.saved, before.saved));
        QCOMPARE(d.documentPath, before.documentPath);
        QCOMPARE(d.isUntitled, before.isUntitled);
        QCOMPARE(d.model.modelName, before.model.modelName);
        QCOMPARE(d.model.bandLabel, before.model.bandLabel);
    }

    void failedSaveKeepsFileAndDocument_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("target is a folder") << "folder";
        QTest::newRow("folder missing") << "nofolder";
        QTest::newRow("folder read-only") << "readonly";
    }
    void failedSaveKeepsFileAndDocument()
    {
        QFETCH(QString, fault);
        QTemporaryDir dir;
        QString path = dir.filePath("doc.dat");
        Document d = NewDoc();
        QVERIFY(saveDocument(d, path.toStdString()));
        const QByteArray previous = ReadFile(path);

        d.image().OptFeat.Common1[common1::TotTime] = 7;
        QVERIFY(d.isModified());
        if (fault == "folder") {
            path = dir.filePath("sub");
            QVERIFY(QDir().mkdir(path));
        } else if (fault == "nofolder") {
            path = dir.filePath("none/doc.dat");
        } else {
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            QFile probe(dir.filePath("probe"));
            if (probe.open(QIODevice::WriteOnly)) {
                probe.remove();
                QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner);
                QSKIP("this user writes into read-only folders");
            }
        }
        const ImageSet saved = d.saved;
        const std::string oldPath = d.documentPath;
        QVERIFY(!saveDocument(d, path.toStdString()));
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(d.isModified());
        QVERIFY(SameImage(d.saved, saved));
        QCOMPARE(d.documentPath, oldPath);
        QCOMPARE(ReadFile(dir.filePath("doc.dat")), previous);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"doc.dat"}); // no temporary left
    }

    void sanityCheck_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("numbers");
        QTest::addColumn<bool>("sane");
        QTest::newRow("empty table") << 0 << "" << true;
        QTest::newRow("full range") << 3 << "1,260,521" << true;
        QTest::newRow("unused records ignored") << 1 << "5,5,0" << true;
        QTest::newRow("negative count") << -1 << "" << false;
        QTest::newRow("count above 521") << 522 << "" << false;
        QTest::newRow("zero number") << 2 << "1,0" << false;
        QTest::newRow("negative number") << 1 << "-4" << false;
        QTest::newRow("duplicates") << 3 << "1,2,1" << false;
    }
    void sanityCheck()
    {
        QFETCH(int, count);
        QFETCH(QString, numbers);
        QFETCH(bool, sane);
        for (bool standby : {false, true}) {
            ImageSet set;
            Int16& c = standby ? set.Settings.StandbyChannelCount : set.Settings.ChannelCount;
            ChannelTable& t = standby ? set.StandbyChannels : set.ActiveChannels;
            c = Int16(count);
            int i = 0;
            for (const QString& n : numbers.split(',', Qt::SkipEmptyParts))
                t[i++].Number = Int16(n.toInt());
            if (!standby) // a sane other table has one record to check
                set.Settings.StandbyChannelCount = 0;
            QCOMPARE(isSaneImage(set), sane);
        }
    }
};

QTEST_APPLESS_MAIN(TestDataFile)
#include "test_data_file.moc"
