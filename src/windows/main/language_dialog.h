#pragma once

// Language dialog: every language file the program finds (installed and the
// user's own), each under its own name. Files that cannot be offered are
// named below the list with the reason. OK stores the choice in the
// settings file; the main window re-captions itself when it is activated
// again.

#include "language_files.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace zav::ui {
struct AppContext;
}

namespace zav {

class LanguageDialog : public QDialog {
    Q_OBJECT
public:
    explicit LanguageDialog(ui::AppContext& ctx, QWidget* parent = nullptr);

    QLabel* promptLabel = nullptr;
    QComboBox* languageList = nullptr;
    QLabel* skippedLabel = nullptr; ///< the files not offered and why; hidden when none
    QLabel* folderLabel = nullptr;  ///< where a user adds a language
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    void applyChoice();

    ui::AppContext& ctx_;
    LanguageFolders found_;
};

/// Why a language file is not offered, in the language shown.
[[nodiscard]] QString skippedLanguageText(const ui::AppContext& ctx, const SkippedLanguageFile& skipped);

} // namespace zav
