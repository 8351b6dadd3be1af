#include "embedded_message_editor.h"

#include "app_context.h"
#include "editor_parts.h"
#include "feature_rules.h"
#include "gbk_qt.h"
#include "key_rules.h"
#include "window_names.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zav::features {

namespace {
constexpr int kTextTitle = 20000; // "Embedded Message"

constexpr int kLineCaption = 20100; ///< "Line %1": %1 is the line number

QString lineCaption(const QString& pattern, int line)
{
    return pattern.contains(QLatin1String("%1")) ? pattern.arg(line) : QString::number(line);
}
} // namespace

EmbeddedMessageEditor::EmbeddedMessageEditor(ui::AppContext& ctx, QWidget* parent) : EditorWindow(parent), ctx_(ctx)
{
    setObjectName(kEmbeddedMessageName);
    setWindowTitle(ctx_.text(kTextTitle));

    auto* form = new QFormLayout;
    for (int line = 1; line <= kLines; ++line) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString("Text%1").arg(line - 1));
        box->setMaxLength(kLineCharacters);
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QString(kLineCharacters + 2, 'W')));
        // The line's 16 bytes are GBK: a Chinese character takes two.
        ui::KeyRules::filterTextBox(box)->allowGbkText(kLineCharacters);
        connect(box, &QLineEdit::textChanged, this, [this, line] {
            if (!filling_)
                storeLine(line);
        });
        lines_[static_cast<std::size_t>(line - 1)] = box;
        form->addRow(new QLabel(lineCaption(ctx_.text(kLineCaption), line), this), box);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(newCloseButton(ctx_, this));
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(form);
    outer->addStretch();
    outer->addLayout(buttons);

    // Showing a line stores it again: a line saved without its NUL comes
    // back with one. The box leaves out what its keys would refuse and shows
    // bytes that are not GBK as U+FFFD; the line itself is stored back
    // unchanged until it is edited.
    filling_ = true;
    for (int line = 1; line <= kLines; ++line) {
        FixedText<kLineCharacters>& stored = ctx_.doc().image().EmbeddedMessage[static_cast<std::size_t>(line - 1)];
        const std::string text = stored.clean();
        ui::KeyRules::showStoredText(lineBox(line), ui::fromGbk(text));
        if (!text.empty())
            storeMessageLine(stored, text);
    }
    filling_ = false;
}

void EmbeddedMessageEditor::storeLine(int line)
{
    QLineEdit* box = lineBox(line);
    const QString kept = ui::editedText(box->text());
    if (kept != box->text()) {
        // The bytes behind the U+FFFD go with this edit; the box shows
        // what the line now holds.
        const int cursor = int(ui::editedText(box->text().left(box->cursorPosition())).size());
        filling_ = true;
        box->setText(kept);
        box->setCursorPosition(cursor);
        filling_ = false;
    }
    // The box takes only characters GBK has, within the line's bytes.
    if (const auto bytes = ui::toGbk(kept))
        storeMessageLine(ctx_.doc().image().EmbeddedMessage[static_cast<std::size_t>(line - 1)], *bytes);
}

} // namespace zav::features
