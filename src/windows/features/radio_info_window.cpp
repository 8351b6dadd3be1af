#include "radio_info_window.h"

#include "app_context.h"
#include "band.h"
#include "document.h"
#include "editor_parts.h"
#include "gbk_qt.h"
#include "list_helpers.h"
#include "window_names.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zav::features {
namespace {

constexpr int kTextTitle = 21000;             // "Radio Information"
constexpr int kTextDealerInformation = 21001; // "Dealer Information"
constexpr int kTextSalesArea = 21002;         // "Sales Area"
constexpr int kTextProductionBatch = 21003;   // "Production Batch"
constexpr int kTextCustomerCode = 21004;      // "Customer Code"
constexpr int kTextModel = 21005;             // "Model"
constexpr int kTextFrequencyBand = 21006;     // "Frequency Band"
constexpr int kTextSerialNumber = 21007;      // "Serial Number"
constexpr int kTextFactoryDate = 21008;       // "Factory Date"
constexpr int kTextRepairDate = 21009;        // "Repair Date"
constexpr int kTextVersion = 21010;           // "Version"
constexpr int kTextRepair = 21011;            // "Repair"
constexpr int kTextReason = 21012;            // "Reason"
constexpr int kTextDealerCode = 21013;        // "Dealer Code"
constexpr int kTextStockInTime = 21014;       // "Stock-in Time"
constexpr int kTextSaleTime = 21015;          // "Sale Time"
constexpr int kTextHandledBy = 21016;         // "Handled By"

QLineEdit* newDisplayBox(QWidget* parent, const char* name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    return box;
}

QComboBox* newFixedList(QWidget* parent, const char* name, const QString& entry)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->addItem(entry);
    list->setEnabled(false); // shown, never chosen
    return list;
}

// Fixed-width fields: cut at the first NUL, trailing spaces dropped. The
// radio's texts are GBK bytes, whatever language the program shows.
template <std::size_t N>
QString shownText(const FixedText<N>& field)
{
    return ui::fromGbk(field.clean());
}

} // namespace

RadioInfoWindow::RadioInfoWindow(ui::AppContext& ctx, link::RadioInfo info, QWidget* parent)
    : ui::EditorWindow(parent), info_(std::move(info))
{
    setObjectName(kRadioInfoName);
    setWindowTitle(ctx.text(kTextTitle));

    modelList_ = newFixedList(this, "ComboModel", QString::fromLatin1(kProgramModel));
    bandList_ = newFixedList(this, "ComboBand", QString::fromLatin1(kDefaultBandLabel));
    // The band label ends in its unit ("... MHz"), which must not be cut.
    bandList_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    salesAreaBox_ = newDisplayBox(this, "TextSalesArea");
    productionBatchBox_ = newDisplayBox(this, "TextProductionBatch");
    customerCodeBox_ = newDisplayBox(this, "TextCustomerCode");
    serialNumberBox_ = newDisplayBox(this, "TextSerialNumber");
    factoryDateBox_ = newDisplayBox(this, "TextFactoryDate");
    repairDateBox_ = newDisplayBox(this, "TextRepairDate");
    versionBox_ = newDisplayBox(this, "TextVersion");
    repairReasonBox_ = new QPlainTextEdit(this);
    repairReasonBox_->setObjectName("TextRepairReason");
    repairReasonBox_->setReadOnly(true);
    repairReasonBox_->setMaximumHeight(repairReasonBox_->fontMetrics().lineSpacing() * 4 + 12);

    auto* left = new QFormLayout;
    left->addRow(ctx.text(kTextModel), modelList_);
    left->addRow(ctx.text(kTextFrequencyBand), bandList_);
    left->addRow(ctx.text(kTextSerialNumber), serialNumberBox_);
    left->addRow(ctx.text(kTextFactoryDate), factoryDateBox_);
    left->addRow(ctx.text(kTextRepairDate), repairDateBox_);
    left->addRow(ctx.text(kTextVersion), versionBox_);
    auto* right = new QFormLayout;
    right->addRow(ctx.text(kTextSalesArea), salesAreaBox_);
    right->addRow(ctx.text(kTextProductionBatch), productionBatchBox_);
    right->addRow(ctx.text(kTextCustomerCode), customerCodeBox_);

    // One line: "Repair Reason"; Chinese words are written without a space.
    const QString reasonSeparator = ctx.session.settings.language == kChinese ? QString() : QStringLiteral(" ");
    auto* reasonLabel = new QLabel(ctx.text(kTextRepair) + reasonSeparator + ctx.text(kTextReason), this);
    reasonLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    dealerGroup_ = new QGroupBox(ctx.text(kTextDealerInformation), this);
    dealerCodeBox_ = newDisplayBox(dealerGroup_, "TextDealerCode");
    stockInTimeBox_ = newDisplayBox(dealerGroup_, "TextStockInTime");
    saleTimeBox_ = newDisplayBox(dealerGroup_, "TextSaleTime");
    handlerBox_ = newDisplayBox(dealerGroup_, "TextHandler");
    auto* dealer = new QFormLayout(dealerGroup_);
    dealer->addRow(ctx.text(kTextDealerCode), dealerCodeBox_);
    dealer->addRow(ctx.text(kTextStockInTime), stockInTimeBox_);
    dealer->addRow(ctx.text(kTextSaleTime), saleTimeBox_);
    dealer->addRow(ctx.text(kTextHandledBy), handlerBox_);

    closeButton_ = newCloseButton(ctx, this);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addSpacing(12);
    auto* rightColumn = new QVBoxLayout;
    rightColumn->addLayout(right);
    rightColumn->addWidget(dealerGroup_);
    columns->addLayout(rightColumn, 1);
    auto* reason = new QHBoxLayout;
    reason->addWidget(reasonLabel);
    reason->addWidget(repairReasonBox_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(reason);
    layout->addLayout(buttons);

    showInfo();
}

void RadioInfoWindow::showInfo()
{
    // An unknown model shows the list's one entry.
    ui::showListText(modelList_, ui::fromGbk(cleanText(info_.InfoModel)));
    if (modelList_->currentIndex() < 0)
        modelList_->setCurrentIndex(0);
    ui::fillList(bandList_, {QString::fromStdString(bandLabelOf(info_.BandCode))});
    bandList_->setCurrentIndex(0);

    salesAreaBox_->setText(ui::fromGbk(info_.SalesArea));
    productionBatchBox_->setText(shownText(info_.ProductionBatch));
    customerCodeBox_->setText(shownText(info_.CustomerCode));
    serialNumberBox_->setText(shownText(info_.SerialNumber));
    factoryDateBox_->setText(shownText(info_.FactoryDate));
    repairDateBox_->setText(shownText(info_.RepairDate));
    versionBox_->setText(ui::fromGbk(info_.InfoVersion));
    repairReasonBox_->setPlainText(shownText(info_.RepairReason));
    dealerCodeBox_->setText(shownText(info_.DealerCode));
    stockInTimeBox_->setText(shownText(info_.StockInTime));
    saleTimeBox_->setText(shownText(info_.SaleTime));
    handlerBox_->setText(shownText(info_.Handler));
    // A box narrower than its text shows the start of it, not the end.
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->setCursorPosition(0);
}

} // namespace zav::features
