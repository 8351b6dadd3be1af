#include "bulk_refusal_dialog.h"

#include "app_context.h"
#include "common_text_ids.h"
#include "window_names.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zav::channels {
namespace {
constexpr int kTextTitle = 34034;
constexpr int kTextSummary = 34035; ///< "%1 values were not stored ..."
constexpr int kTextChannel = 34036;
constexpr int kTextField = 34037;
constexpr int kTextReason = 34038;
} // namespace

QString refusalReason(const ui::AppContext& ctx, const BulkRefusal& refusal)
{
    return QString::fromStdString(reasonIn(refusal.why, [&ctx](int id) { return ctx.text(id).toStdString(); }));
}

QString fieldLabel(const ui::AppContext& ctx, const std::string& column)
{
    const ChannelField* field = findChannelField(column);
    return field ? ctx.text(field->labelId) : QString::fromStdString(column);
}

BulkRefusalDialog::BulkRefusalDialog(const ui::AppContext& ctx, const std::vector<BulkRefusal>& refusals,
                                     QWidget* parent)
    : QDialog(parent)
{
    setObjectName(kBulkRefusalsName);
    setWindowTitle(ctx.text(kTextTitle));
    const int count = static_cast<int>(refusals.size());
    auto* summary = new QLabel(ctx.text(kTextSummary).arg(count), this);
    summary->setObjectName(QStringLiteral("lblSummary"));
    summary->setWordWrap(true);

    table_ = new QTableWidget(count, 3, this);
    table_->setObjectName(QStringLiteral("grdRefusals"));
    table_->setHorizontalHeaderLabels({ctx.text(kTextChannel), ctx.text(kTextField), ctx.text(kTextReason)});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setWordWrap(false);
    for (int r = 0; r < count; ++r) {
        const BulkRefusal& refusal = refusals[static_cast<std::size_t>(r)];
        auto* number = new QTableWidgetItem(QString::number(refusal.number));
        number->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table_->setItem(r, 0, number);
        table_->setItem(r, 1, new QTableWidgetItem(fieldLabel(ctx, refusal.field)));
        auto* reason = new QTableWidgetItem(refusalReason(ctx, refusal));
        reason->setToolTip(reason->text());
        table_->setItem(r, 2, reason);
    }
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(ctx.text(textid::kTextOk), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOk"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);
    resize(720, 360);
}

} // namespace zav::channels
