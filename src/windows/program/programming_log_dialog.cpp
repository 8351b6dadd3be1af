#include "programming_log_dialog.h"

#include "app_context.h"
#include "common_text_ids.h"
#include "programming_log.h"
#include "programming_log_words.h"
#include "window_names.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace zav {
namespace {

constexpr int kTextTitle = 32844;
/// The column captions, in the log's column order (programmingLogHeader):
/// date and time, port, model, band, version, file, SHA-256, result, job,
/// power-on text.
constexpr std::array kTextColumns{32845, 32846, 32847, 32848, 32849, 32850, 32851, 32852, 34270, 34268};
constexpr int kTextFile = 32859;        ///< %1 the log file
constexpr int kTextEmpty = 32860;       ///< %1 the log file

constexpr int kFileColumn = 5;
constexpr int kHashColumn = 6;
constexpr int kResultColumn = 7;
constexpr int kHashWidth = 150;   ///< pixels
constexpr int kResultWidth = 360;

} // namespace

ProgrammingLogDialog::ProgrammingLogDialog(ui::AppContext& ctx, const std::string& path, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(kProgrammingLogWindowName);
    setWindowTitle(ctx.text(kTextTitle));
    const auto rows = readProgrammingLog(path);
    const int columns = static_cast<int>(programmingLogHeader().size());

    table_ = new QTableWidget(static_cast<int>(rows.size()), columns, this);
    table_->setObjectName("grdLog");
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->setVisible(false);
    QStringList headers;
    for (const int id : kTextColumns)
        headers << ctx.text(id);
    table_->setHorizontalHeaderLabels(headers);
    // The file holds English words; they are shown in the language in use.
    const LogTextLookup lookup = [&ctx](int id) { return ctx.text(id).toStdString(); };
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const auto& fields = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < columns && c < static_cast<int>(fields.size()); ++c) {
            std::string field = fields[static_cast<std::size_t>(c)];
            if (c == kResultColumn)
                field = shownLogResult(field, lookup);
            else if (c == kFileColumn)
                field = shownLogFileName(field, lookup);
            auto* item = new QTableWidgetItem(QString::fromStdString(field));
            item->setToolTip(item->text());
            table_->setItem(r, c, item);
        }
    }
    table_->resizeColumnsToContents();
    // The hash and a long reason would push the rest out of sight: they
    // are cut short, and their tool tips hold them whole.
    table_->setColumnWidth(kHashColumn, std::min(table_->columnWidth(kHashColumn), kHashWidth));
    table_->setColumnWidth(kResultColumn, std::min(table_->columnWidth(kResultColumn), kResultWidth));
    table_->horizontalHeader()->setStretchLastSection(true);
    if (!rows.empty())
        table_->scrollToBottom();

    const QString file = QString::fromStdString(path);
    auto* where = new QLabel(rows.empty() ? ctx.text(kTextEmpty).arg(file) : ctx.text(kTextFile).arg(file), this);
    where->setObjectName("lblLogFile");
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(ctx.text(textid::kTextCloseToolWindow), QDialogButtonBox::RejectRole);
    close->setObjectName("cmdClose");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(where);
    layout->addWidget(buttons);
    resize(980, 420);
}

} // namespace zav
