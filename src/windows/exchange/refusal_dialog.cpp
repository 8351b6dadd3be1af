#include "refusal_dialog.h"

#include "common_text_ids.h"
#include "window_names.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zav {
namespace {
constexpr int kTextTitle = 32750;
constexpr int kTextSummary = 32751; ///< "%1 of %2 rows were refused..."
constexpr int kTextRow = 32752;
constexpr int kTextColumn = 32753;
constexpr int kTextReason = 32754;
constexpr int kTextImportValid = 32755;
constexpr int kTextAllRefused = 32756;
} // namespace

QString reasonText(const std::function<QString(int)>& text, const CsvProblem& problem)
{
    if (problem.why.textId == 0)
        return QString::fromStdString(problem.reason);
    return QString::fromStdString(
        reasonIn(problem.why, [&text](int id) { return text(id).toStdString(); }));
}

RefusalDialog::RefusalDialog(const std::function<QString(int)>& text, const CsvImportResult& result, int validRows,
                             QWidget* parent)
    : QDialog(parent)
{
    setObjectName(kImportRefusalsName);
    setWindowTitle(text(kTextTitle));
    const std::vector<CsvProblem>& problems = result.problems;
    const int refused = result.refusedRows();
    auto* summary = new QLabel(validRows > 0 ? text(kTextSummary).arg(refused).arg(refused + validRows)
                                             : text(kTextAllRefused),
                               this);
    summary->setObjectName(QStringLiteral("lblSummary"));
    summary->setWordWrap(true);

    const int listed = static_cast<int>(problems.size());
    table_ = new QTableWidget(listed, 3, this);
    table_->setObjectName(QStringLiteral("grdRefusals"));
    table_->setHorizontalHeaderLabels({text(kTextRow), text(kTextColumn), text(kTextReason)});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setWordWrap(false);
    for (int r = 0; r < listed; ++r) {
        const CsvProblem& p = problems[static_cast<std::size_t>(r)];
        auto* row = new QTableWidgetItem(QString::number(p.row));
        row->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table_->setItem(r, 0, row);
        table_->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(p.column)));
        auto* reason = new QTableWidgetItem(reasonText(text, p));
        reason->setToolTip(reason->text());
        table_->setItem(r, 2, reason);
    }
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(this);
    import_ = buttons->addButton(text(kTextImportValid), QDialogButtonBox::AcceptRole);
    import_->setObjectName(QStringLiteral("cmdImportValid"));
    import_->setEnabled(validRows > 0);
    QPushButton* cancel = buttons->addButton(text(textid::kTextCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setDefault(true); // the safe answer: nothing changes
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);
    resize(720, 360);
}

} // namespace zav
