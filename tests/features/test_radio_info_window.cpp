// The radio-information window through its widgets: every identity field
// holds GBK bytes and shows through GBK, whatever the program's language;
// bytes that are not GBK show as U+FFFD.

#include "feature_fixture.h"
#include "radio_info_window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>

#include <QDir>

#include <functional>
#include <string>

using namespace zav;
using features::RadioInfoWindow;

namespace {

/// Puts bytes into one field of the record.
using FieldSetter = std::function<void(link::RadioInfo&, const std::string&)>;
/// The text the window shows for that field.
using FieldShown = std::function<QString(const RadioInfoWindow&)>;

template <std::size_t N>
FieldSetter fixedField(FixedText<N> link::RadioInfo::* field)
{
    return [field](link::RadioInfo& info, const std::string& bytes) { (info.*field).assign(bytes); };
}

FieldShown lineBox(QLineEdit* (RadioInfoWindow::*box)() const)
{
    return [box](const RadioInfoWindow& w) { return (w.*box)()->text(); };
}

} // namespace

Q_DECLARE_METATYPE(FieldSetter)
Q_DECLARE_METATYPE(FieldShown)
Q_DECLARE_METATYPE(std::string)

class TestRadioInfoWindow : public QObject {
    Q_OBJECT

private slots:
    void fieldsShownThroughGbk_data()
    {
        QTest::addColumn<FieldSetter>("set");
        QTest::addColumn<FieldShown>("shown");
        QTest::addColumn<std::string>("bytes");
        QTest::addColumn<QString>("text");
        const std::pair<const char*, std::pair<FieldSetter, FieldShown>> fields[] = {
            {"sales area", {[](link::RadioInfo& info, const std::string& b) { info.SalesArea = b; },
                            lineBox(&RadioInfoWindow::salesAreaBox)}},
            {"version", {[](link::RadioInfo& info, const std::string& b) { info.InfoVersion = b; },
                         lineBox(&RadioInfoWindow::versionBox)}},
            {"customer code", {fixedField(&link::RadioInfo::CustomerCode), lineBox(&RadioInfoWindow::customerCodeBox)}},
            {"production batch",
             {fixedField(&link::RadioInfo::ProductionBatch), lineBox(&RadioInfoWindow::productionBatchBox)}},
            {"serial number", {fixedField(&link::RadioInfo::SerialNumber), lineBox(&RadioInfoWindow::serialNumberBox)}},
            {"factory date", {fixedField(&link::RadioInfo::FactoryDate), lineBox(&RadioInfoWindow::factoryDateBox)}},
            {"repair date", {fixedField(&link::RadioInfo::RepairDate), lineBox(&RadioInfoWindow::repairDateBox)}},
            {"repair reason",
             {fixedField(&link::RadioInfo::RepairReason),
              [](const RadioInfoWindow& w) { return w.repairReasonBox()->toPlainText(); }}},
            {"dealer code", {fixedField(&link::RadioInfo::DealerCode), lineBox(&RadioInfoWindow::dealerCodeBox)}},
            {"stock-in time", {fixedField(&link::RadioInfo::StockInTime), lineBox(&RadioInfoWindow::stockInTimeBox)}},
            {"sale time", {fixedField(&link::RadioInfo::SaleTime), lineBox(&RadioInfoWindow::saleTimeBox)}},
            {"handler", {fixedField(&link::RadioInfo::Handler), lineBox(&RadioInfoWindow::handlerBox)}},
        };
        const std::pair<const char*, std::pair<std::string, QString>> samples[] = {
            {"Chinese", {"\xD6\xD0\xCE\xC4", QString::fromUtf8("中文")}},
            {"not GBK", {"A\xFF", QString("A\uFFFD")}},
            {"ASCII", {"A1", QString("A1")}},
        };
        for (const auto& [field, access] : fields)
            for (const auto& [sample, value] : samples)
                QTest::addRow("%s, %s", field, sample) << access.first << access.second << value.first << value.second;
    }
    void fieldsShownThroughGbk()
    {
        QFETCH(FieldSetter, set);
        QFETCH(FieldShown, shown);
        QFETCH(std::string, bytes);
        QFETCH(QString, text);
        test::FeatureFixture f;
        link::RadioInfo info;
        set(info, bytes);
        RadioInfoWindow w(f.ctx, info);
        QCOMPARE(shown(w), text);
    }

    void wholeTextsShown_data()
    {
        QTest::addColumn<QString>("languageFile");
        QTest::newRow("english") << "english.ini";
        QTest::newRow("chinese") << "chinese.ini";
        QTest::newRow("german") << "german.ini";
        QTest::newRow("polish") << "polish.ini";
        QTest::newRow("italian") << "italian.ini";
    }

    // Every box shows its text from the start, the band list its whole
    // entry, and the repair reason's caption stays on one line.
    void wholeTextsShown()
    {
        QFETCH(QString, languageFile);
        test::FeatureFixture f;
        f.session.texts.setFile(
            QDir(qEnvironmentVariable("ZAV_SOURCE_DIR")).filePath("data/language/" + languageFile).toStdString());
        f.session.settings.language = languageFile == "chinese.ini" ? kChinese : kEnglish;
        link::RadioInfo info;
        for (FixedText<16>* field : {&info.SerialNumber, &info.FactoryDate, &info.RepairDate, &info.DealerCode,
                                     &info.StockInTime, &info.SaleTime, &info.Handler})
            field->assign("2023-08-01 10:45");
        info.ProductionBatch.assign("B2307-11");
        RadioInfoWindow w(f.ctx, info);
        w.show();

        for (QLineEdit* box : w.findChildren<QLineEdit*>()) {
            if (box->text().isEmpty())
                continue;
            QVERIFY2(box->cursorPosition() == 0, qPrintable(box->objectName()));
        }

        QComboBox* band = w.bandList();
        QStyleOptionComboBox option;
        option.initFrom(band);
        option.currentText = band->currentText();
        option.frame = true;
        const QRect field = band->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, band);
        QVERIFY2(field.width() >= band->fontMetrics().horizontalAdvance(band->currentText()),
                 qPrintable(QString("%1 px for %2").arg(field.width()).arg(band->currentText())));

        const QString reasonCaption = QString::fromStdString(f.session.text(21011));
        QLabel* caption = nullptr;
        for (QLabel* label : w.findChildren<QLabel*>())
            if (label->text().startsWith(reasonCaption))
                caption = label;
        QVERIFY(caption);
        QVERIFY2(!caption->text().contains('\n'), qPrintable(caption->text()));
        QVERIFY(!caption->wordWrap());
    }
};

QTEST_MAIN(TestRadioInfoWindow)
#include "test_radio_info_window.moc"
