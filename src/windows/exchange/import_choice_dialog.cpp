#include "import_choice_dialog.h"

#include "common_text_ids.h"
#include "prompts.h"
#include "window_names.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zav {
namespace {
constexpr int kTextQuestion = 33607; ///< %1 the channels in the table
constexpr int kTextReplace = 33608;
constexpr int kTextChangeListed = 33609;

// The dialog's results beside QDialog::Rejected (cancel).
constexpr int kResultReplace = 2;
constexpr int kResultChangeListed = 3;
constexpr int kWidth = 560;
} // namespace

ImportChoiceDialog::ImportChoiceDialog(const std::function<QString(int)>& text, int channels, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(kImportChoiceName);
    setWindowTitle(ui::dialogTitle(text(kTextImportChannels)));
    auto* question = new QLabel(text(kTextQuestion).arg(channels), this);
    question->setObjectName(QStringLiteral("lblQuestion"));
    question->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* replace = buttons->addButton(text(kTextReplace), QDialogButtonBox::DestructiveRole);
    replace->setObjectName(QStringLiteral("cmdReplaceTable"));
    QPushButton* changeListed = buttons->addButton(text(kTextChangeListed), QDialogButtonBox::AcceptRole);
    changeListed->setObjectName(QStringLiteral("cmdChangeListed"));
    QPushButton* cancel = buttons->addButton(text(textid::kTextCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    // Enter keeps every channel the file does not name.
    changeListed->setDefault(true);
    connect(replace, &QPushButton::clicked, this, [this] { done(kResultReplace); });
    connect(changeListed, &QPushButton::clicked, this, [this] { done(kResultChangeListed); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addWidget(buttons);
    resize(kWidth, sizeHint().height());
}

std::optional<ImportScope> ImportChoiceDialog::scopeOf(int result)
{
    if (result == kResultReplace)
        return ImportScope::ReplaceTable;
    if (result == kResultChangeListed)
        return ImportScope::ChannelsInFile;
    return std::nullopt;
}

} // namespace zav
