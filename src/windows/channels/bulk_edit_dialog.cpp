#include "bulk_edit_dialog.h"

#include "app_context.h"
#include "channel_lists.h"
#include "common_text_ids.h"
#include "window_names.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zav::channels {
namespace {

constexpr int kTextTitle = 34030;
constexpr int kTextLeave = 34031;
constexpr int kTextExplain = 34032; ///< "... the %1 selected slots ..."
constexpr int kRowsPerColumn = 12;

/// The entries of a field's list in the language in use; the stored value
/// of entry k is k.
QStringList entriesOf(const ui::AppContext& ctx, const ChannelField& field)
{
    if (field.kind == ChannelFieldKind::Tone)
        return toneListEntries(ctx.text(textid::kTextCodeOff));
    QStringList entries;
    for (const OptionText& entry : field.column->entries)
        entries << (entry.textId != 0 ? ctx.text(entry.textId) : QString::fromUtf8(entry.text));
    for (int n = 1; n <= field.column->numberedUpTo; ++n)
        entries << QString::number(n);
    return entries;
}

} // namespace

BulkEditDialog::BulkEditDialog(const ui::AppContext& ctx, int slotCount, QWidget* parent) : QDialog(parent)
{
    setObjectName(kBulkEditName);
    setWindowTitle(ctx.text(kTextTitle));
    auto* explain = new QLabel(ctx.text(kTextExplain).arg(slotCount), this);
    explain->setObjectName(QStringLiteral("lblExplain"));
    explain->setWordWrap(true);

    auto* grid = new QGridLayout;
    const QString leave = ctx.text(kTextLeave);
    int k = 0;
    for (const ChannelField& field : channelFields()) {
        auto* box = new QComboBox(this);
        box->setObjectName(QStringLiteral("cbo_") + QString::fromStdString(optionName(field.name)));
        box->addItem(leave);
        if (field.kind == ChannelFieldKind::Receive || field.kind == ChannelFieldKind::Offset) {
            // A typed frequency or offset: the box takes text, "." as the point.
            box->setEditable(true);
            box->setInsertPolicy(QComboBox::NoInsert);
        } else {
            box->addItems(entriesOf(ctx, field));
            box->setMaxVisibleItems(20);
        }
        auto* label = new QLabel(ctx.text(field.labelId), this);
        label->setBuddy(box);
        const int column = 2 * (k / kRowsPerColumn);
        grid->addWidget(label, k % kRowsPerColumn, column, Qt::AlignRight);
        grid->addWidget(box, k % kRowsPerColumn, column + 1);
        boxes_.emplace_back(&field, box);
        ++k;
    }

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(ctx.text(textid::kTextOk), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOk"));
    QPushButton* cancel = buttons->addButton(ctx.text(textid::kTextCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explain);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

QComboBox* BulkEditDialog::box(const char* column) const
{
    const ChannelField* wanted = findChannelField(column);
    for (const auto& [field, box] : boxes_)
        if (field == wanted)
            return box;
    return nullptr;
}

bool BulkEditDialog::choose(const char* column, const QString& text)
{
    QComboBox* list = box(column);
    if (!list)
        return false;
    if (list->isEditable()) {
        list->setEditText(text);
        return true;
    }
    const int index = list->findText(text);
    if (index < 0)
        return false;
    list->setCurrentIndex(index);
    return true;
}

std::vector<FieldValue> BulkEditDialog::values() const
{
    std::vector<FieldValue> chosen;
    for (const auto& [field, box] : boxes_) {
        if (box->isEditable()) {
            const QString text = box->currentText().trimmed();
            if (text.isEmpty() || text == box->itemText(0))
                continue; // emptying slots is Clear's work, not a slip of the keyboard
            const ParsedValue parsed = parseFieldValue(*field, text.toStdString());
            if (parsed.value)
                chosen.push_back(*parsed.value);
            continue;
        }
        if (box->currentIndex() > 0) {
            FieldValue entry;
            entry.field = field;
            entry.value.emplace<int>(box->currentIndex() - 1); // entry k of the list stores k
            chosen.push_back(std::move(entry));
        }
    }
    return chosen;
}

} // namespace zav::channels
