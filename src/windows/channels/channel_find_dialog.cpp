#include "channel_find_dialog.h"

#include "app_context.h"
#include "channel_windows.h"
#include "common_text_ids.h"
#include "prompts.h"
#include "window_names.h"

#include <QDialogButtonBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace zav::channels {
namespace {
constexpr int kTextTitle = 34041;
constexpr int kTextPrompt = 34042;
constexpr int kTextNoMatch = 34043;   ///< "No channel of this mode matches "%1"."
constexpr int kTextMatch = 34044;     ///< "Match %1 of %2: group %3, channel %4"
} // namespace

ChannelFindDialog::ChannelFindDialog(ui::AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(kFindChannelName);
    setWindowTitle(ctx.text(kTextTitle));
    auto* prompt = new QLabel(ctx.text(kTextPrompt), this);
    query_ = new QLineEdit(this);
    query_->setObjectName(QStringLiteral("txtFind"));
    prompt->setBuddy(query_);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lblStatus"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* next = buttons->addButton(ui::dialogTitle(ctx.text(kTextFindNext)), QDialogButtonBox::ActionRole);
    next->setObjectName(QStringLiteral("cmdFindNext"));
    next->setDefault(true); // Enter in the box steps on
    QPushButton* close = buttons->addButton(ctx.text(textid::kTextClose), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(next, &QPushButton::clicked, this, [this] { findNext(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* again = new QShortcut(QKeySequence(Qt::Key_F3), this);
    connect(again, &QShortcut::activated, this, [this] { findNext(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(query_);
    layout->addWidget(status_);
    layout->addWidget(buttons);
}

bool ChannelFindDialog::findNext()
{
    const QString text = query_->text().trimmed();
    // The document may have changed since the last search: it is searched
    // again on every step, the place in the list kept while the text stays.
    matches_ = findChannels(ctx_.session.doc, text.toStdString());
    if (text != searched_) {
        searched_ = text;
        next_ = 0;
    }
    if (matches_.empty()) {
        status_->setText(ctx_.text(kTextNoMatch).arg(text));
        return false;
    }
    if (next_ >= static_cast<int>(matches_.size()))
        next_ = 0;
    const ChannelPlace place = matches_[static_cast<std::size_t>(next_)];
    status_->setText(ctx_.text(kTextMatch).arg(next_ + 1).arg(matches_.size()).arg(place.group).arg(place.row));
    ++next_;
    showChannel(ctx_, place.group, place.row);
    return true;
}

} // namespace zav::channels
