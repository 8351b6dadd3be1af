#include "radio_info_window.h"

#include "app_context.h"
#include "band.h"
#include "document.h"
#include "list_helpers.h"

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

QLineEdit* Display(QWidget* parent, const char* name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    return box;
}

QComboBox* List(QWidget* parent, const char* name, const QString& entry)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->addItem(entry);
    list->setEnabled(false); // shown, never chosen
    return list;
}

// Fixed-width fields: cut at the first NUL, trailing spaces dropped.
template <std::size_t N>
QString Clean(const FixedText<N>& field)
{
    return ui::FromBytes(field.clean());
}

} // namespace

RadioInfoWindow::RadioInfoWindow(ui::AppContext& ctx, link::RadioInfo info, QWidget* parent)
    : ui::EditorWindow(parent), info_(std::move(info))
{
    setObjectName("FrmRadioInfo");
    setWindowTitle(ctx.text(21000));

    ComboModel = List(this, "ComboModel", QString::fromLatin1(kProgramModel));
    ComboBand = List(this, "ComboBand", QString::fromLatin1(kDefaultBandLabel));
    TextSalesArea = Display(this, "TextSalesArea");
    TextProductionBatch = Display(this, "TextProductionBatch");
    TextCustomerCode = Display(this, "TextCustomerCode");
    TextSerialNumber = Display(this, "TextSerialNumber");
    TextFactoryDate = Display(this, "TextFactoryDate");
    TextRepairDate = Display(this, "TextRepairDate");
    TextVersion = Display(this, "TextVersion");
    TextRepairReason = new QPlainTextEdit(this);
    TextRepairReason->setObjectName("TextRepairReason");
    TextRepairReason->setReadOnly(true);
    TextRepairReason->setMaximumHeight(TextRepairReason->fontMetrics().lineSpacing() * 4 + 12);

    auto* left = new QFormLayout;
    left->addRow(ctx.text(21005), ComboModel);
    left->addRow(ctx.text(21006), ComboBand);
    left->addRow(ctx.text(21007), TextSerialNumber);
    left->addRow(ctx.text(21008), TextFactoryDate);
    left->addRow(ctx.text(21009), TextRepairDate);
    left->addRow(ctx.text(21010), TextVersion);
    auto* right = new QFormLayout;
    right->addRow(ctx.text(21002), TextSalesArea);
    right->addRow(ctx.text(21003), TextProductionBatch);
    right->addRow(ctx.text(21004), TextCustomerCode);

    auto* reasonLabel = new QLabel(ctx.text(21011) + "\n" + ctx.text(21012), this);
    reasonLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    FrameDealer = new QGroupBox(ctx.text(21001), this);
    TextDealerCode = Display(FrameDealer, "TextDealerCode");
    TextStockInTime = Display(FrameDealer, "TextStockInTime");
    TextSaleTime = Display(FrameDealer, "TextSaleTime");
    TextHandler = Display(FrameDealer, "TextHandler");
    auto* dealer = new QFormLayout(FrameDealer);
    dealer->addRow(ctx.text(21013), TextDealerCode);
    dealer->addRow(ctx.text(21014), TextStockInTime);
    dealer->addRow(ctx.text(21015), TextSaleTime);
    dealer->addRow(ctx.text(21016), TextHandler);

    CommandClose = new QPushButton(ctx.text(9023), this);
    CommandClose->setObjectName("CommandClose");
    connect(CommandClose, &QPushButton::clicked, this, &QWidget::close);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addSpacing(12);
    auto* rightColumn = new QVBoxLayout;
    rightColumn->addLayout(right);
    rightColumn->addWidget(FrameDealer);
    columns->addLayout(rightColumn, 1);
    auto* reason = new QHBoxLayout;
    reason->addWidget(reasonLabel);
    reason->addWidget(TextRepairReason, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CommandClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(reason);
    layout->addLayout(buttons);

    ShowByData();
}

void RadioInfoWindow::ShowByData()
{
    // An unknown model shows the list's one entry.
    ui::ShowListText(ComboModel, QString::fromStdString(cleanText(info_.InfoModel)));
    if (ComboModel->currentIndex() < 0)
        ComboModel->setCurrentIndex(0);
    ui::FillList(ComboBand, {QString::fromStdString(bandLabelOf(info_.BandCode))});
    ComboBand->setCurrentIndex(0);

    TextSalesArea->setText(ui::FromBytes(info_.SalesArea));
    TextProductionBatch->setText(Clean(info_.ProductionBatch));
    TextCustomerCode->setText(Clean(info_.CustomerCode));
    TextSerialNumber->setText(Clean(info_.SerialNumber));
    TextFactoryDate->setText(Clean(info_.FactoryDate));
    TextRepairDate->setText(Clean(info_.RepairDate));
    TextVersion->setText(ui::FromBytes(info_.InfoVersion));
    TextRepairReason->setPlainText(Clean(info_.RepairReason));
    TextDealerCode->setText(Clean(info_.DealerCode));
    TextStockInTime->setText(Clean(info_.StockInTime));
    TextSaleTime->setText(Clean(info_.SaleTime));
    TextHandler->setText(Clean(info_.Handler));
}

} // namespace zav::features
