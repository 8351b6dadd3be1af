// The exchange commands through the real windows: channel rows copied from
// the table and pasted into another group (shortcuts of the Edit menu), one
// undo step, and the saved file holds them there; an import whose rows are
// partly refused lists them in the report window, which keeps the document
// as it was or stores the valid rows; export and PDF through the file
// dialogs.

#include "channel_csv.h"
#include "window_names.h"
#include "channel_fixture.h"
#include "channel_grid_model.h"
#include "channel_groups.h"
#include "channel_table_window.h"
#include "data_file.h"
#include "main_window_fixture.h"
#include "undo_tracker.h"
#include "versions.h"
#include "window_registry.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>

using namespace zav;

namespace {

constexpr Int16 kMode = kExtendedMode;

int Number(int group, int position) { return groupBase(group, kMode) + position; }

QPoint CellCentre(channels::ChannelTableWindow* table, int row, int column)
{
    const QModelIndex index = table->gridModel()->index(row - 1, column);
    table->grid()->scrollTo(index);
    return table->grid()->visualRect(index).center();
}

/// A document with three channels in group 0, saved and opened as a user
/// would, with the channel table open on group 0.
channels::ChannelTableWindow* OpenThreeChannels(test::ShellFixture& f, const QString& path)
{
    test::NewDocument(f.session.doc, kMode,
                      {{Number(0, 1), "02700000"}, {Number(0, 2), "02701000"}, {Number(0, 3), "02702000"}});
    test::Channel(f.session.doc, Number(0, 2))->RxTone = 7;
    f.session.doc.image().OptFeat.Common1[common1::CurrentGroup] = 0; // the table opens on group 0
    Document copy = f.session.doc;
    if (!saveDocument(copy, path.toStdString()))
        return nullptr;
    MainWindow& main = f.open();
    main.openFile(path);
    main.openEditor(zav::kChannelTableName);
    f.flush();
    return qobject_cast<channels::ChannelTableWindow*>(ui::findWindow(main.area(), zav::kChannelTableName));
}

QAction* Action(test::ShellFixture& f, const char* name) { return f.main->findChild<QAction*>(name); }

/// A country-mode document with channels 1, 5 and 41, opened as a user
/// would, with the channel table open on group 0.
channels::ChannelTableWindow* OpenCountryChannels(test::ShellFixture& f, const QString& path)
{
    test::NewDocument(f.session.doc, 0, {{1, "02696500"}, {5, "02926000"}, {41, "02700000"}});
    f.session.doc.image().OptFeat.Common1[common1::CurrentGroup] = 0;
    Document copy = f.session.doc;
    if (!saveDocument(copy, path.toStdString()))
        return nullptr;
    MainWindow& main = f.open();
    main.openFile(path);
    main.openEditor(zav::kChannelTableName);
    f.flush();
    return qobject_cast<channels::ChannelTableWindow*>(ui::findWindow(main.area(), zav::kChannelTableName));
}

/// Answers the next dialog (the window of refused rows) with the button
/// named, keeping what its table shows as "row|column|reason" lines.
void AnswerRefusals(test::ShellFixture& f, const char* button, QStringList& shown)
{
    f.prompter.dialogs.push_back([&shown, button](QDialog& dialog) {
        auto* rows = dialog.findChild<QTableWidget*>("grdRefusals");
        for (int r = 0; rows && r < rows->rowCount(); ++r)
            shown << rows->item(r, 0)->text() + "|" + rows->item(r, 1)->text() + "|" + rows->item(r, 2)->text();
        dialog.findChild<QPushButton*>(button)->click();
        return dialog.result();
    });
}

bool WriteFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace

class TestExchangeCommands : public QObject {
    Q_OBJECT

private slots:
    void editMenuOffersCopyAndPaste()
    {
        test::ShellFixture f;
        f.open();
        QAction* copy = Action(f, "mnuCopyChannels");
        QAction* paste = Action(f, "mnuPasteChannels");
        QVERIFY(copy && paste);
        QCOMPARE(copy->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
        QCOMPARE(paste->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
        auto* edit = f.main->findChild<QMenu*>("mnuEdit");
        QVERIFY(edit->actions().contains(copy) && edit->actions().contains(paste));
        QCOMPARE(copy->text(), f.text(32744));
    }

    void threeRowsCopiedIntoAnotherGroupAndSaved()
    {
        test::ShellFixture f;
        auto* table = OpenThreeChannels(f, f.dir.filePath("three.dat"));
        QVERIFY(table);
        QWidget* cells = table->grid()->viewport();
        QTest::mouseClick(cells, Qt::LeftButton, {}, CellCentre(table, 1, 4));
        QTest::mouseClick(cells, Qt::LeftButton, Qt::ShiftModifier, CellCentre(table, 3, 4));
        f.flush();
        QCOMPARE(table->selectedChannelNumbers(), (std::vector<int>{Number(0, 1), Number(0, 2), Number(0, 3)}));

        QTest::keyClick(table->grid(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        f.flush();
        const QStringList lines = QApplication::clipboard()->text().split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[0].startsWith("group\tgroup name\tposition in group"));

        // Group 1, row 5: the rows go to positions 5, 6 and 7 there.
        auto* groups = table->findChild<QComboBox*>("cboGroup");
        groups->setFocus();
        groups->setCurrentIndex(0);
        QTest::keyClick(groups, Qt::Key_Down);
        f.flush();
        QCOMPARE(table->shownGroup(), 1);
        QTest::mouseClick(cells, Qt::LeftButton, {}, CellCentre(table, 5, 4));
        f.flush();
        QCOMPARE(table->currentRow(), 5);
        QTest::keyClick(table->grid(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        f.flush();

        Document& doc = f.session.doc;
        QCOMPARE(doc.activeCount(), 6);
        QCOMPARE(test::Channel(doc, Number(1, 6))->RxFrequency.raw(), std::string("02701000"));
        QCOMPARE(test::Channel(doc, Number(1, 6))->RxTone, Int16{7});
        // The open table shows them.
        table = qobject_cast<channels::ChannelTableWindow*>(ui::findWindow(f.main->area(), zav::kChannelTableName));
        QVERIFY(table);
        QCOMPARE(table->shownGroup(), 1);
        QCOMPARE(table->cellText(7, 1), QString("27.02000"));

        // One undo step, named for the paste, takes the three back; redo
        // brings them again.
        UndoTracker* undo = f.main->undoTracker();
        QCOMPARE(undo->undoAction()->text(), QStringLiteral("&Undo: channel paste"));
        undo->undo();
        QCOMPARE(doc.activeCount(), 3);
        undo->redo();
        QCOMPARE(doc.activeCount(), 6);

        const QString saved = f.dir.filePath("pasted.dat");
        f.prompter.files.push_back(saved);
        QVERIFY(f.main->saveDocumentAs());
        Document reread;
        QVERIFY(loadFullFile(reread, saved.toStdString()));
        for (int p = 5; p <= 7; ++p)
            QVERIFY2(test::Channel(reread, Number(1, p)), qPrintable(QString("group 1 position %1").arg(p)));
        QCOMPARE(test::Channel(reread, Number(1, 5))->RxFrequency.raw(), std::string("02700000"));
        QCOMPARE(test::Channel(reread, Number(1, 6))->RxTone, Int16{7});
        QVERIFY(test::Channel(reread, Number(0, 1)));
    }

    /// After a paste the table stays where the user pasted: the pasted rows
    /// selected and in view, the cell at the first of them.
    void pastedRowsStaySelectedAndInView()
    {
        test::ShellFixture f;
        auto* table = OpenThreeChannels(f, f.dir.filePath("three.dat"));
        QVERIFY(table);
        QWidget* cells = table->grid()->viewport();
        QTest::mouseClick(cells, Qt::LeftButton, {}, CellCentre(table, 1, 4));
        QTest::mouseClick(cells, Qt::LeftButton, Qt::ShiftModifier, CellCentre(table, 3, 4));
        QTest::keyClick(table->grid(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        f.flush();

        // Far down the group: row 1 is out of sight.
        QTest::mouseClick(cells, Qt::LeftButton, {}, CellCentre(table, 26, 4));
        f.flush();
        QCOMPARE(table->currentRow(), 26);
        const QRect firstRow = table->grid()->visualRect(table->gridModel()->index(0, 1));
        QVERIFY(!cells->rect().intersects(firstRow));
        QTest::keyClick(table->grid(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        f.flush();
        QCOMPARE(f.session.doc.activeCount(), 6);

        table = qobject_cast<channels::ChannelTableWindow*>(ui::findWindow(f.main->area(), zav::kChannelTableName));
        QVERIFY(table);
        QCOMPARE(table->currentRow(), 26);
        QCOMPARE(table->selectedChannelNumbers(), (std::vector<int>{Number(0, 26), Number(0, 27), Number(0, 28)}));
        for (int row = 26; row <= 28; ++row) {
            const QRect rect = table->grid()->visualRect(table->gridModel()->index(row - 1, 1));
            QVERIFY2(table->grid()->viewport()->rect().contains(rect), qPrintable(QString("row %1").arg(row)));
        }
    }

    // A CSV with one bad row: Cancel in the report window keeps the
    // document; "Import the valid rows" stores the others, as one step.
    void importWithRefusedRows_data()
    {
        QTest::addColumn<bool>("importValid");
        QTest::newRow("cancel") << false;
        QTest::newRow("valid rows") << true;
    }
    void importWithRefusedRows()
    {
        QFETCH(bool, importValid);
        test::ShellFixture f;
        QVERIFY(OpenThreeChannels(f, f.dir.filePath("three.dat")));
        const QString csv = f.dir.filePath("plan.csv");
        QFile file(csv);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QString("channel number;receive MHz;receive tone\r\n%1;27.50000;OFF\r\n%2;31.00000;OFF\r\n%3;27.52000;100\r\n")
                       .arg(Number(0, 1))
                       .arg(Number(0, 2))
                       .arg(Number(2, 1))
                       .toUtf8());
        file.close();
        const ImageSet before = f.session.doc.working;

        f.prompter.files.push_back(csv);
        f.answerDialogWith("cmdReplaceTable");
        QStringList shown;
        f.prompter.dialogs.push_back([&](QDialog& dialog) {
            auto* rows = dialog.findChild<QTableWidget*>("grdRefusals");
            for (int r = 0; rows && r < rows->rowCount(); ++r)
                shown << rows->item(r, 0)->text() + "|" + rows->item(r, 1)->text();
            auto* button = dialog.findChild<QPushButton*>(importValid ? "cmdImportValid" : "cmdCancel");
            button->click();
            return dialog.result();
        });
        Action(f, "mnuImportChannels")->trigger();
        f.flush();
        QCOMPARE(f.prompter.dialogNames, (std::vector<QString>{zav::kImportChoiceName, zav::kImportRefusalsName}));
        QCOMPARE(shown, QStringList{"3|receive MHz"});

        Document& doc = f.session.doc;
        if (!importValid) {
            QVERIFY(doc.working.ActiveChannels == before.ActiveChannels);
            QVERIFY(!f.main->undoTracker()->undoAction()->isEnabled());
            return;
        }
        QCOMPARE(doc.activeCount(), 2);
        QCOMPARE(test::Channel(doc, Number(0, 1))->RxFrequency.raw(), std::string("02750000"));
        QVERIFY(test::Channel(doc, Number(2, 1)));
        QCOMPARE(f.main->undoTracker()->undoAction()->text(), QStringLiteral("&Undo: channel import"));
        f.main->undoTracker()->undo();
        QVERIFY(doc.working.ActiveChannels == before.ActiveChannels);
    }

    /// Import Channels in extended mode says first that replacing the table
    /// removes every channel, and offers to change only the channels in the
    /// file; Undo brings back what either did, in one step.
    void importAsksToReplaceOrChangeOnlyTheFilesChannels_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("replace the table") << "cmdReplaceTable";
        QTest::newRow("change only the channels in the file") << "cmdChangeListed";
        QTest::newRow("cancel") << "cmdCancel";
    }
    void importAsksToReplaceOrChangeOnlyTheFilesChannels()
    {
        QFETCH(QString, button);
        test::ShellFixture f;
        QVERIFY(OpenThreeChannels(f, f.dir.filePath("three.dat")));
        const QString csv = f.dir.filePath("plan.csv");
        QVERIFY(WriteFile(csv, QString("channel number,receive MHz,receive tone\r\n%1,27.01000,100.0\r\n%2,27.52000,OFF\r\n")
                                   .arg(Number(0, 2))
                                   .arg(Number(2, 1))
                                   .toUtf8()));
        Document& doc = f.session.doc;
        const ImageSet before = doc.working;
        f.prompter.files.push_back(csv);
        QString question;
        QStringList buttons;
        f.prompter.dialogs.push_back([&](QDialog& dialog) {
            question = dialog.findChild<QLabel*>("lblQuestion")->text();
            for (const char* name : {"cmdReplaceTable", "cmdChangeListed", "cmdCancel"})
                if (auto* b = dialog.findChild<QPushButton*>(name))
                    buttons << b->text();
            dialog.findChild<QPushButton*>(button)->click();
            return dialog.result();
        });
        Action(f, "mnuImportChannels")->trigger();
        f.flush();
        QCOMPARE(f.prompter.dialogNames, std::vector<QString>{zav::kImportChoiceName});
        QCOMPARE(question, f.text(33607).arg(3));
        QCOMPARE(buttons, (QStringList{f.text(33608), f.text(33609), f.text(9018)}));

        if (button == "cmdCancel") {
            QVERIFY(doc.working.ActiveChannels == before.ActiveChannels);
            QVERIFY(!f.main->undoTracker()->undoAction()->isEnabled());
            return;
        }
        if (button == "cmdReplaceTable") {
            QCOMPARE(doc.activeCount(), 2);
            QVERIFY(!test::Channel(doc, Number(0, 1)));
        } else {
            QCOMPARE(doc.activeCount(), 4);
            QCOMPARE(test::Channel(doc, Number(0, 1))->RxFrequency.raw(), std::string("02700000"));
            QCOMPARE(test::Channel(doc, Number(0, 3))->RxFrequency.raw(), std::string("02702000"));
        }
        QCOMPARE(int(test::Channel(doc, Number(0, 2))->RxTone), 13);
        QCOMPARE(test::Channel(doc, Number(2, 1))->RxFrequency.raw(), std::string("02752000"));
        QCOMPARE(f.main->undoTracker()->undoAction()->text(), QStringLiteral("&Undo: channel import"));
        f.main->undoTracker()->undo();
        QVERIFY(doc.working.ActiveChannels == before.ActiveChannels);
        QVERIFY(doc.working.Settings == before.Settings);
    }

    /// In country mode an import never replaces the table: no question.
    void countryImportAsksNothing()
    {
        test::ShellFixture f;
        QVERIFY(OpenCountryChannels(f, f.dir.filePath("country.dat")));
        const QString csv = f.dir.filePath("plan.csv");
        QVERIFY(WriteFile(csv, "channel number,receive MHz,receive tone\r\n41,27.00000,100.0\r\n"));
        f.prompter.files.push_back(csv);
        Action(f, "mnuImportChannels")->trigger();
        f.flush();
        QVERIFY(f.prompter.dialogNames.empty());
        QCOMPARE(f.session.doc.activeCount(), 3);
        QCOMPARE(int(test::Channel(f.session.doc, 41)->RxTone), 13);
    }

    /// A row with several problems lists each, with its column; the
    /// summary counts rows, not problems.
    void everyProblemOfARowIsListed()
    {
        test::ShellFixture f;
        QVERIFY(OpenThreeChannels(f, f.dir.filePath("three.dat")));
        const QString csv = f.dir.filePath("plan.csv");
        QVERIFY(WriteFile(csv, "channel number,receive MHz,receive tone,transmit tone,scan skip\r\n"
                               "1,27.00000,OFF,OFF,No\r\n"
                               "2,27.01000,999.9,XYZ,Maybe\r\n"));
        f.prompter.files.push_back(csv);
        f.answerDialogWith("cmdReplaceTable");
        QString summary;
        QStringList shown;
        f.prompter.dialogs.push_back([&](QDialog& dialog) {
            summary = dialog.findChild<QLabel*>("lblSummary")->text();
            auto* rows = dialog.findChild<QTableWidget*>("grdRefusals");
            for (int r = 0; rows && r < rows->rowCount(); ++r)
                shown << rows->item(r, 0)->text() + "|" + rows->item(r, 1)->text();
            return int(QDialog::Rejected);
        });
        Action(f, "mnuImportChannels")->trigger();
        f.flush();
        QCOMPARE(shown, (QStringList{"3|receive tone", "3|transmit tone", "3|scan skip"}));
        QCOMPARE(summary, f.text(32751).arg(1).arg(2));
    }

    /// In country mode File > Import Channels changes only the other
    /// columns of the channels the table holds: a row with another receive
    /// frequency and a row for an empty slot are listed with row, column
    /// and reason, and the valid rows stored leave every frequency and the
    /// channel count as they were.
    void countryImportTouchesNoFrequency()
    {
        test::ShellFixture f;
        QVERIFY(OpenCountryChannels(f, f.dir.filePath("country.dat")));
        const QString csv = f.dir.filePath("plan.csv");
        QVERIFY(WriteFile(csv, "channel number,receive MHz,receive tone\r\n"
                               "5,27.00000,OFF\r\n"    // another frequency
                               "17,27.00000,OFF\r\n"   // an empty slot
                               "41,27.00000,100.0\r\n" // the tone only
                               "1,26.96500,88.5\r\n"));
        f.prompter.files.push_back(csv);
        QStringList shown;
        AnswerRefusals(f, "cmdImportValid", shown);
        Action(f, "mnuImportChannels")->trigger();
        f.flush();
        QCOMPARE(shown, (QStringList{"2|receive MHz|a country channel keeps its receive frequency 29.26000 MHz",
                                     "3|channel number|channel 17 is an empty slot, and country mode adds no channel"}));
        Document& doc = f.session.doc;
        QCOMPARE(doc.activeCount(), 3);
        QCOMPARE(test::Channel(doc, 5)->RxFrequency.raw(), std::string("02926000"));
        QVERIFY(!test::Channel(doc, 17));
        QCOMPARE(int(test::Channel(doc, 41)->RxTone), 13);
        QCOMPARE(int(test::Channel(doc, 1)->RxTone), 9); // 88.5
    }

    /// Edit > Paste Channels in country mode: the same rules.
    void countryPasteTouchesNoFrequency()
    {
        test::ShellFixture f;
        auto* table = OpenCountryChannels(f, f.dir.filePath("country.dat"));
        QVERIFY(table);
        QTest::mouseClick(table->grid()->viewport(), Qt::LeftButton, {}, CellCentre(table, 4, 4));
        f.flush();
        QCOMPARE(table->currentRow(), 4);
        // Rows 4, 5 and 6 of group 0: an empty slot, channel 5 with another
        // frequency, an empty slot.
        QApplication::clipboard()->setText("receive MHz\treceive tone\r\n27.00000\tOFF\r\n29.26000\t100.0\r\n"
                                           "27.10000\tOFF\r\n");
        QStringList shown;
        AnswerRefusals(f, "cmdImportValid", shown);
        QTest::keyClick(table->grid(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        f.flush();
        QCOMPARE(shown.size(), 2);
        QVERIFY2(shown[0].startsWith("2|position in group|channel 4 is an empty slot"), qPrintable(shown.join('\n')));
        QVERIFY2(shown[1].startsWith("4|position in group|channel 6 is an empty slot"), qPrintable(shown.join('\n')));
        Document& doc = f.session.doc;
        QCOMPARE(doc.activeCount(), 3);
        QCOMPARE(test::Channel(doc, 5)->RxFrequency.raw(), std::string("02926000"));
        QCOMPARE(int(test::Channel(doc, 5)->RxTone), 13);
        QVERIFY(!test::Channel(doc, 4) && !test::Channel(doc, 6));
        QVERIFY(f.main->undoTracker()->undoAction()->isEnabled());
    }

    /// An import that clears an emergency channel (its slot no longer holds
    /// a channel) says so after storing.
    void clearedEmergencyChannelIsTold()
    {
        test::ShellFixture f;
        QVERIFY(OpenThreeChannels(f, f.dir.filePath("three.dat")));
        *emergencyChannel(f.session.doc.image(), 0, 1) = 3;
        const QString csv = f.dir.filePath("plan.csv");
        QVERIFY(WriteFile(csv, "channel number,receive MHz\r\n1,27.00000\r\n2,27.01000\r\n"));
        f.prompter.files.push_back(csv);
        f.answerDialogWith("cmdReplaceTable");
        Action(f, "mnuImportChannels")->trigger();
        f.flush();
        QCOMPARE(f.session.doc.activeCount(), 2);
        QCOMPARE(int(*emergencyChannel(f.session.doc.image(), 0, 1)), 0);
        QCOMPARE(f.prompter.texts().size(), 1);
        QCOMPARE(f.prompter.texts().front(),
                 f.text(33132) + "\n" + f.text(33131).arg("2", "0", "3"));
    }

    /// The Chinese program gives the reasons of refused rows in Chinese.
    void refusalReasonsInTheLanguageInUse()
    {
        test::ShellFixture f(kChinese);
        QVERIFY(OpenThreeChannels(f, f.dir.filePath("three.dat")));
        const QString csv = f.dir.filePath("plan.csv");
        QVERIFY(WriteFile(csv, "channel number,receive MHz,receive tone\r\n1,27.00000,OFF\r\n2,31.00000,OFF\r\n"));
        f.prompter.files.push_back(csv);
        f.answerDialogWith("cmdReplaceTable");
        QStringList shown;
        AnswerRefusals(f, "cmdCancel", shown);
        Action(f, "mnuImportChannels")->trigger();
        f.flush();
        QCOMPARE(shown, QStringList{"3|receive MHz|" + f.text(33109).arg("31.00000", "25.61500", "30.10500")});
    }

    void exportedChannelsAndPdf()
    {
        test::ShellFixture f;
        QVERIFY(OpenThreeChannels(f, f.dir.filePath("three.dat")));
        // Names typed without their extension get it.
        f.prompter.files.push_back(f.dir.filePath("plan"));
        Action(f, "mnuExportChannels")->trigger();
        QFile csv(f.dir.filePath("plan.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromStdString(exportChannelsCsv(f.session.doc)).toUtf8(), csv.readAll());

        f.prompter.files.push_back(f.dir.filePath("report"));
        Action(f, "mnuExportPdf")->trigger();
        QFile pdf(f.dir.filePath("report.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().startsWith("%PDF"));

        // Print...: the print dialog's printer (here one writing a PDF file)
        // gets the report; a cancelled dialog prints nothing.
        const QString printed = f.dir.filePath("printed.pdf");
        f.prompter.dialogs.push_back([](QDialog&) { return int(QDialog::Rejected); });
        f.prompter.dialogs.push_back([&](QDialog& dialog) {
            QPrinter* printer = static_cast<QPrintDialog&>(dialog).printer();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(printed);
            return int(QDialog::Accepted);
        });
        Action(f, "mnuPrintReport")->trigger();
        QVERIFY(!QFile::exists(printed));
        Action(f, "mnuPrintReport")->trigger();
        QFile printedFile(printed);
        QVERIFY(printedFile.open(QIODevice::ReadOnly));
        QVERIFY(printedFile.readAll().startsWith("%PDF"));

        // A file that cannot be written is told, and nothing is left behind.
        f.prompter.files.push_back(f.dir.filePath("missing/report.pdf"));
        Action(f, "mnuExportPdf")->trigger();
        QVERIFY(!f.prompter.texts().isEmpty());
        QVERIFY(f.prompter.texts().last().contains("missing/report.pdf"));
    }
};

QTEST_MAIN(TestExchangeCommands)
#include "test_exchange_commands.moc"
