// The embedded-message editor through its widgets: how typed lines are
// stored (with or without the NUL), what opening does to stored lines, and
// which keys the boxes refuse.

#include "feature_fixture.h"
#include "window_names.h"
#include "embedded_message_editor.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace zav;
using zav::features::EmbeddedMessageEditor;

Q_DECLARE_METATYPE(std::string)

class TestEmbeddedMessageEditor : public QObject {
    Q_OBJECT

private slots:
    void typedLinesStored_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<std::string>("stored");
        QTest::newRow("HELLO in line 2") << 2 << "HELLO" << std::string("HELLO\0          ", 16);
        QTest::newRow("full line without NUL") << 1 << "ABCDEFGHIJKLMNOP" << std::string("ABCDEFGHIJKLMNOP");
        QTest::newRow("at most 16 characters") << 4 << "0123456789abcdefXYZ" << std::string("0123456789abcdef");
        QTest::newRow("any ASCII character") << 3 << "a -+!~" << std::string("a -+!~\0         ", 16);
        QTest::newRow("no GBK form refused") << 3 << QString("x%1y").arg(QChar(0xD55C)) << std::string("xy\0             ", 16);
        // Lines are GBK bytes: a Chinese character takes two of the 16.
        QTest::newRow("Chinese as GBK") << 1 << QString::fromUtf8("中文AB")
                                        << std::string("\xD6\xD0\xCE\xC4" "AB\0         ", 16);
        QTest::newRow("eight Chinese fill the line")
            << 2 << QString::fromUtf8("中文中文中文中文") << std::string("\xD6\xD0\xCE\xC4\xD6\xD0\xCE\xC4\xD6\xD0\xCE\xC4\xD6\xD0\xCE\xC4");
        QTest::newRow("a character that does not fit whole")
            << 4 << QString::fromUtf8("ABCDEFGHIJKLMNO中P") << std::string("ABCDEFGHIJKLMNOP");
    }
    void typedLinesStored()
    {
        QFETCH(int, line);
        QFETCH(QString, typed);
        QFETCH(std::string, stored);
        test::FeatureFixture f;
        auto* w = f.open<EmbeddedMessageEditor>(zav::kEmbeddedMessageName);
        f.markSaved();
        test::TypeText(w->lineBox(line), typed);
        QCOMPARE(f.image().EmbeddedMessage[static_cast<std::size_t>(line - 1)].raw(), stored);
        QVERIFY(f.doc().isModified());
    }

    void openingStoresLinesAgain_data()
    {
        QTest::addColumn<std::string>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<std::string>("kept");
        QTest::newRow("junk after the NUL") << std::string("AB\0xyz junk 123", 16) << "AB"
                                            << std::string("AB\0             ", 16);
        QTest::newRow("saved without NUL") << std::string("HI              ") << "HI"
                                           << std::string("HI\0             ", 16);
        QTest::newRow("full line") << std::string("1234567890123456") << "1234567890123456"
                                   << std::string("1234567890123456");
        QTest::newRow("empty line") << std::string("\0               ", 16) << ""
                                    << std::string("\0               ", 16);
        // The box leaves out what it would not take; the line is stored
        // back as it always has been.
        QTest::newRow("GBK text") << std::string("\xD6\xD0\xCE\xC4!", 5) << QString::fromUtf8("中文!")
                                  << std::string("\xD6\xD0\xCE\xC4!\0          ", 16);
        // Bytes that are not GBK show as U+FFFD and stay as they are.
        QTest::newRow("a byte above 127") << std::string("CAF\xC9", 4) << QString("CAF\uFFFD")
                                          << std::string("CAF\xC9\0           ", 16);
        QTest::newRow("a character cut off at the end")
            << std::string("ABCDEFGHIJKLMNO\xD6") << QString("ABCDEFGHIJKLMNO\uFFFD")
            << std::string("ABCDEFGHIJKLMNO\xD6");
        QTest::newRow("a control character") << std::string("HI\tYOU") << "HIYOU"
                                             << std::string("HI\tYOU\0         ", 16);
    }
    void openingStoresLinesAgain()
    {
        QFETCH(std::string, stored);
        QFETCH(QString, shown);
        QFETCH(std::string, kept);
        test::FeatureFixture f;
        f.image().EmbeddedMessage[2].assign(stored);
        auto* w = f.open<EmbeddedMessageEditor>(zav::kEmbeddedMessageName);
        QCOMPARE(w->lineBox(3)->text(), shown);
        QCOMPARE(f.image().EmbeddedMessage[2].raw(), kept);
    }

    // A line shown again from its stored bytes reads as typed.
    void typedLinesShownAgain()
    {
        const QString typed = QString::fromUtf8("中文 A1");
        test::FeatureFixture f;
        test::TypeText(f.open<EmbeddedMessageEditor>(zav::kEmbeddedMessageName)->lineBox(3), typed);
        test::FeatureFixture again;
        again.image().EmbeddedMessage = f.image().EmbeddedMessage;
        QCOMPARE(again.open<EmbeddedMessageEditor>(zav::kEmbeddedMessageName)->lineBox(3)->text(), typed);
    }

    // Editing a line that holds bytes which are not GBK stores what the box
    // shows of it: the U+FFFD, which have no GBK bytes, go, and they do not
    // count against the line's 16 bytes.
    void editingUnreadableLines_data()
    {
        QTest::addColumn<std::string>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<std::string>("kept");
        QTest::newRow("stray byte") << std::string("AB\xFF" "CD\0          ", 16) << "E" << "ABCDE"
                                    << std::string("ABCDE\0          ", 16);
        QTest::newRow("room of the stray byte")
            << std::string("\xFF\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\0", 16)
            << QString::fromUtf8("中中") << QString::fromUtf8("中中中中中中中中")
            << std::string("\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0");
        // Refused: it would not fit whole even without the stray byte.
        QTest::newRow("full line with a stray byte")
            << std::string("\xFF\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0" "A")
            << QString::fromUtf8("中") << QString::fromUtf8("\uFFFD中中中中中中中A")
            << std::string("\xFF\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0" "A");
    }
    void editingUnreadableLines()
    {
        QFETCH(std::string, stored);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(std::string, kept);
        test::FeatureFixture f;
        f.image().EmbeddedMessage[0].assign(stored);
        auto* w = f.open<EmbeddedMessageEditor>(zav::kEmbeddedMessageName);
        QTest::keyClicks(w->lineBox(2), "X"); // another line: this one stays
        QCOMPARE(f.image().EmbeddedMessage[0].raw(), stored);
        w->lineBox(1)->end(false);
        test::TypeText(w->lineBox(1), typed);
        QCOMPARE(w->lineBox(1)->text(), shown);
        QCOMPARE(f.image().EmbeddedMessage[0].raw(), kept);
    }

    void typingAfterHiddenCharactersStoresWhatIsShown()
    {
        test::FeatureFixture f;
        f.image().EmbeddedMessage[1].assign(std::string("AB\x01\x02", 4));
        auto* w = f.open<EmbeddedMessageEditor>(zav::kEmbeddedMessageName);
        QCOMPARE(w->lineBox(2)->text(), QString("AB"));
        QTest::keyClicks(w->lineBox(2), "CD");
        QCOMPARE(f.image().EmbeddedMessage[1].raw(), std::string("ABCD\0           ", 16));
    }

    void clipboardKeysRefused()
    {
        test::FeatureFixture f;
        auto* w = f.open<EmbeddedMessageEditor>(zav::kEmbeddedMessageName);
        QLineEdit* box = w->lineBox(1);
        QApplication::clipboard()->setText("PASTED");
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(box->text().isEmpty());
        QTest::keyClicks(box, "KEEP");
        box->selectAll();
        QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(box->text(), QString("KEEP"));
        QCOMPARE(f.image().EmbeddedMessage[0].raw(), std::string("KEEP\0           ", 16));
    }

    void enterMovesToTheNextLine()
    {
        test::FeatureFixture f;
        auto* w = f.open<EmbeddedMessageEditor>(zav::kEmbeddedMessageName);
        f.area.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.area));
        w->lineBox(1)->setFocus();
        QTest::keyClick(w->lineBox(1), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w->lineBox(2));
    }
};

QTEST_MAIN(TestEmbeddedMessageEditor)
#include "test_embedded_message_editor.moc"
