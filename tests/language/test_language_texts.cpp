// Every shipped language file must hold a text for every id the program
// shows, for every id its source asks for, under the same keys as English,
// each in the section its id range names; and each passes the translators'
// check (placeholders, filters, room of fixed captions in the windows' font).

#include "caption_rooms.h"
#include "language_check.h"
#include "language_file_listing.h"
#include "language_files.h"
#include "text_catalog.h"
#include "text_id_scan.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#ifdef ZAV_MEASURE_CAPTIONS
#include <QFontMetrics>
#include <QGuiApplication>
#endif
#include <QSet>
#include <QTest>

#include <map>
#include <utility>

using namespace zav;
using namespace zav::test;

namespace {

// Every text the program shows, as inclusive ranges of ids.
constexpr std::pair<int, int> kRequiredIdRanges[] = {
    {9001, 9012}, {9014, 9014}, {9016, 9019}, {9021, 9021}, {9023, 9023}, {9026, 9030}, {9033, 9033},
    {9061, 9065}, {10000, 10004}, {10006, 10006}, {10010, 10012}, {10100, 10101}, {10200, 10202},
    {10204, 10204}, {10206, 10207}, {10221, 10221}, {10300, 10303}, {10400, 10403}, {10500, 10503},
    {10600, 10602}, {10700, 10700}, {10702, 10702}, {11000, 11002}, {11004, 11007}, {12000, 12002},
    {12004, 12004}, {12006, 12009}, {12014, 12014}, {13000, 13002}, {14001, 14023}, {14050, 14053},
    {14100, 14100}, {15000, 15002}, {15005, 15006}, {15011, 15011}, {15013, 15020}, {15023, 15023},
    {15029, 15035}, {15037, 15043}, {15050, 15053}, {15200, 15201}, {15205, 15205}, {15300, 15304},
    {15400, 15402}, {15500, 15505}, {16000, 16014}, {16020, 16028}, {16040, 16059}, {16100, 16100},
    {16300, 16301}, {16500, 16502}, {18000, 18000}, {18002, 18009}, {18011, 18011}, {18014, 18019},
    {18022, 18022}, {18030, 18030}, {18040, 18040}, {18043, 18045}, {20000, 20000}, {21000, 21016},
    {22000, 22002}, {23000, 23003}, {23100, 23101}, {24000, 24005}, {29000, 29007}, {29100, 29113},
    {29200, 29201},
};

// The reader keeps at most this many bytes of a value.
constexpr qsizetype kMaxTextBytes = 254;

// English first: the others are compared with it.
const char* const kLanguageFiles[] = {"english.ini", "chinese.ini", "german.ini", "polish.ini", "italian.ini"};

QString SourceDir()
{
    return qEnvironmentVariable("ZAV_SOURCE_DIR");
}

QString LanguageFilePath(const char* name)
{
    return QDir(SourceDir()).filePath(QStringLiteral("data/language/") + QLatin1String(name));
}

TextCatalog CatalogFor(const char* name)
{
    TextCatalog catalog;
    catalog.setFile(LanguageFilePath(name).toStdString());
    return catalog;
}

/// The language files that give id no text; empty when every file has one.
QStringList FilesWithoutText(int id)
{
    QStringList files;
    for (const char* name : kLanguageFiles)
        if (CatalogFor(name).text(id).empty())
            files << QLatin1String(name);
    return files;
}

bool IsCanonicalId(const QString& key, int& id)
{
    bool ok = false;
    id = key.toInt(&ok);
    return ok && id >= 0 && key == QString::number(id);
}

} // namespace

class TestLanguageTexts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!SourceDir().isEmpty(), "ZAV_SOURCE_DIR is not set");
        for (const char* name : kLanguageFiles)
            QVERIFY2(QFile::exists(LanguageFilePath(name)), qPrintable(LanguageFilePath(name)));
    }

    void requiredTextPresent_data()
    {
        QTest::addColumn<int>("id");
        for (const auto& [first, last] : kRequiredIdRanges)
            for (int id = first; id <= last; ++id)
                QTest::addRow("%d", id) << id;
    }

    void requiredTextPresent()
    {
        QFETCH(int, id);
        const QStringList missing = FilesWithoutText(id);
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("no text for %1 in %2").arg(id).arg(missing.join(", "))));
    }

    void everyIdUsedInSourceHasText()
    {
        const QString srcDir = QDir(SourceDir()).filePath(QStringLiteral("src"));
        QVERIFY2(QDir(srcDir).exists(), qPrintable(srcDir));

        std::map<int, QString> firstUse; // id -> "file:line", sorted for a stable report
        QDirIterator it(srcDir, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
            const QString relative = QDir(SourceDir()).relativeFilePath(path);
            for (const FoundTextId& use : ScanTextIds(QString::fromUtf8(file.readAll())))
                firstUse.try_emplace(use.id, QStringLiteral("%1:%2").arg(relative).arg(use.line));
        }

        QStringList problems;
        for (const auto& [id, where] : firstUse) {
            const QStringList missing = FilesWithoutText(id);
            if (!missing.isEmpty())
                problems << QStringLiteral("%1 (%2) has no text in %3").arg(id).arg(where, missing.join(", "));
        }
        QVERIFY2(problems.isEmpty(), qPrintable(QLatin1Char('\n') + problems.join(QLatin1Char('\n'))));
    }

    void everyFileHoldsTheKeysOfEnglish_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : kLanguageFiles)
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void everyFileHoldsTheKeysOfEnglish()
    {
        QFETCH(QString, name);
        auto keysOf = [](const QString& file) {
            QStringList keys; // in file order, so that a merge stays easy
            for (const LanguageEntry& e : ListLanguageFile(LanguageFilePath(file.toLatin1().constData())).entries)
                keys << e.section + "/" + e.key;
            return keys;
        };
        const QStringList english = keysOf("english.ini");
        const QStringList keys = keysOf(name);
        QVERIFY(!english.isEmpty());
        QStringList onlyEnglish = QStringList((QSet<QString>(english.begin(), english.end()) -
                                               QSet<QString>(keys.begin(), keys.end())).values());
        QStringList onlyHere = QStringList((QSet<QString>(keys.begin(), keys.end()) -
                                            QSet<QString>(english.begin(), english.end())).values());
        onlyEnglish.sort();
        onlyHere.sort();
        QVERIFY2(onlyEnglish.isEmpty(), qPrintable("only in english.ini: " + onlyEnglish.join(", ")));
        QVERIFY2(onlyHere.isEmpty(), qPrintable("only in " + name + ": " + onlyHere.join(", ")));
        QCOMPARE(keys, english); // same order, same sections
    }

    // What zavprog-cli check-language reports, with the widths of the
    // windows' font: nothing, for every shipped file.
    void everyFilePassesTheTranslatorsCheck_data() { everyFileHoldsTheKeysOfEnglish_data(); }
    void everyFilePassesTheTranslatorsCheck()
    {
        QFETCH(QString, name);
        TextWidth width; // without Qt Gui, only what needs no font
#ifdef ZAV_MEASURE_CAPTIONS
        const QFontMetrics metrics(QGuiApplication::font());
        width = [&metrics](const std::string& text) { return metrics.horizontalAdvance(QString::fromStdString(text)); };
#endif
        QStringList problems;
        for (const LanguageCheckFinding& f :
             checkLanguageFile(LanguageFilePath("english.ini").toStdString(),
                               LanguageFilePath(name.toLatin1().constData()).toStdString(), fixedCaptionRooms(), width))
            problems << QString::fromStdString(describeFinding(f));
        QVERIFY2(problems.isEmpty(), qPrintable(QLatin1Char('\n') + problems.join(QLatin1Char('\n'))));
    }

    // Each file names itself, and the names and locales differ.
    void everyFileNamesItsLanguage()
    {
        QSet<QString> locales;
        for (const char* name : kLanguageFiles) {
            LanguageFile language;
            LanguageFileProblem problem{};
            QVERIFY2(readLanguageHeader(LanguageFilePath(name).toStdString(), language, problem), name);
            QVERIFY2(!locales.contains(QString::fromStdString(language.locale)), name);
            locales.insert(QString::fromStdString(language.locale));
        }
        QCOMPARE(languageNumberForLocale("en"), kEnglish);
        QVERIFY(locales.contains("en") && locales.contains("zh_CN"));
    }

    void fileIsWellFormed_data()
    {
        QTest::addColumn<QString>("path");
        for (const char* name : kLanguageFiles)
            QTest::newRow(name) << LanguageFilePath(name);
    }

    // Key in the section of its id, once, with a text the reader keeps whole;
    // mistakes the reader would otherwise hide as blank or cut texts.
    void fileIsWellFormed()
    {
        QFETCH(QString, path);
        const LanguageFileListing listing = ListLanguageFile(path);
        QVERIFY(listing.readable);
        QVERIFY2(!listing.hasByteOrderMark, "UTF-8 without a byte-order mark");
        QVERIFY2(listing.validUtf8, "not valid UTF-8");

        QStringList problems;
        for (int line : listing.strayLines)
            problems << QStringLiteral("line %1: not a section, key=value or comment").arg(line);
        QSet<int> seen;
        for (const LanguageEntry& e : listing.entries) {
            const QString at = QStringLiteral("line %1, key %2: ").arg(e.line).arg(e.key);
            // The header: the language's own name and its locale, nothing else.
            if (e.section == QLatin1String("Language")) {
                if (e.key != QLatin1String("Name") && e.key != QLatin1String("Locale"))
                    problems << at + QStringLiteral("[Language] holds Name and Locale only");
                continue;
            }
            int id = 0;
            if (!IsCanonicalId(e.key, id)) {
                problems << at + QStringLiteral("not a decimal text id");
                continue;
            }
            const QString expected = QString::fromStdString(sectionForTextId(id));
            if (e.section != expected)
                problems << at + QStringLiteral("in [%1], belongs in [%2]").arg(e.section, expected);
            if (seen.contains(id))
                problems << at + QStringLiteral("appears more than once; only one is read");
            seen.insert(id);
            if (e.value.isEmpty())
                problems << at + QStringLiteral("empty text");
            if (e.value.size() > kMaxTextBytes)
                problems << at + QStringLiteral("%1 bytes, the reader keeps %2").arg(e.value.size()).arg(kMaxTextBytes);
        }
        QVERIFY2(problems.isEmpty(), qPrintable(QLatin1Char('\n') + problems.join(QLatin1Char('\n'))));
    }

    // The source scan must see the program's lookup conventions, or the check
    // above passes by finding nothing.
    void scannerFindsLookups_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<QList<int>>("lines");

        QTest::newRow("session text") << QStringLiteral("auto s = session.text(9006);") << QList<int>{9006}
                                      << QList<int>{1};
        QTest::newRow("each call name")
            << QStringLiteral("GetText(12000); ctx->Text(14013);\ntr( 15030 ); TextId(29201); zav::text(10001)")
            << QList<int>{12000, 14013, 15030, 29201, 10001} << QList<int>{1, 1, 2, 2, 2};
        QTest::newRow("id list")
            << QStringLiteral("constexpr std::array kBacklightIds = {16050, 16051,\n    16052};")
            << QList<int>{16050, 16051, 16052} << QList<int>{1, 1, 2};
        QTest::newRow("text id list, array form")
            << QStringLiteral("static const int kHeaderTextIds[] = { 14001, 14002 };") << QList<int>{14001, 14002}
            << QList<int>{1, 1};
        QTest::newRow("id list, nested braces") << QStringLiteral("std::array<int, 2> busyIds{{15030, 15031}};")
                                                << QList<int>{15030, 15031} << QList<int>{1, 1};
        QTest::newRow("not lookups")
            << QStringLiteral("timer.start(1000); Next(9006); context(12000); value = 25664; "
                              "kSizes = {1860, 95640}; text(99); text(123456); text(0x2170); text(27.860)")
            << QList<int>{} << QList<int>{};
        QTest::newRow("hex and decimals in an id list ignored")
            << QStringLiteral("kIds = {0x2170, 27.8600, 9017}") << QList<int>{9017} << QList<int>{1};
    }

    void scannerFindsLookups()
    {
        QFETCH(QString, source);
        QFETCH(QList<int>, ids);
        QFETCH(QList<int>, lines);
        QList<int> foundIds, foundLines;
        for (const FoundTextId& f : ScanTextIds(source)) {
            foundIds << f.id;
            foundLines << f.line;
        }
        QCOMPARE(foundIds, ids);
        QCOMPARE(foundLines, lines);
    }
};

int main(int argc, char** argv)
{
#ifdef ZAV_MEASURE_CAPTIONS
    // Captions are measured in the font the windows use; no display needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    TestLanguageTexts test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_language_texts.moc"
