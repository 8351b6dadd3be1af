#pragma once

// The values a bulk edit did not store: channel, field and why, in the
// language in use. The channels that took the values have them already;
// this window only tells.

#include "bulk_edits.h"

#include <QDialog>

#include <vector>

class QTableWidget;

namespace zav::ui {
struct AppContext;
}

namespace zav::channels {

class BulkRefusalDialog : public QDialog {
    Q_OBJECT
public:
    BulkRefusalDialog(const ui::AppContext& ctx, const std::vector<BulkRefusal>& refusals, QWidget* parent = nullptr);

    [[nodiscard]] QTableWidget* table() const { return table_; }

private:
    QTableWidget* table_ = nullptr;
};

/// A refusal's reason in the language in use (English when the language
/// file lacks the text).
[[nodiscard]] QString refusalReason(const ui::AppContext& ctx, const BulkRefusal& refusal);
/// A field's label in the language in use, by its column name.
[[nodiscard]] QString fieldLabel(const ui::AppContext& ctx, const std::string& column);

} // namespace zav::channels
