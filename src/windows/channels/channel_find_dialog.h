#pragma once

// Edit > Find Channel... (Ctrl+F): a channel number, a frequency (with or
// without the decimal point), a tone or a group name; Enter, Find Next and
// F3 step through the matches of every group of the current mode, each one
// shown in the channel table through showChannel.

#include "channel_find.h"

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;

namespace zav::ui {
struct AppContext;
}

namespace zav::channels {

/// "Find &Next": the dialog's button and the command that finds again.
inline constexpr int kTextFindNext = 34024;

class ChannelFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit ChannelFindDialog(ui::AppContext& ctx, QWidget* parent = nullptr);

    /// Shows the next match of the typed text (the first after the text
    /// changed), wrapping after the last. False when nothing matches.
    bool findNext();

    [[nodiscard]] QLineEdit* queryBox() const { return query_; }
    [[nodiscard]] QLabel* statusLabel() const { return status_; }

private:
    ui::AppContext& ctx_;
    QLineEdit* query_ = nullptr;
    QLabel* status_ = nullptr;
    std::vector<ChannelPlace> matches_;
    QString searched_;
    int next_ = 0;
};

} // namespace zav::channels
