#pragma once

// Edit > Set for Selected Channels...: every channel field of the table's
// columns and of the detail editor, each with "(leave as it is)" first.
// The dialog only collects values; the bulk path stores them.

#include "bulk_edits.h"

#include <QDialog>

#include <vector>

class QComboBox;

namespace zav::ui {
struct AppContext;
}

namespace zav::channels {

class BulkEditDialog : public QDialog {
    Q_OBJECT
public:
    /// slotCount: how many slots are selected (for the explanation).
    BulkEditDialog(const ui::AppContext& ctx, int slotCount, QWidget* parent = nullptr);

    /// The chosen values (fields left as they are left out); a typed
    /// frequency or offset that is no number is left out too.
    [[nodiscard]] std::vector<FieldValue> values() const;

    /// The box of a field, by its column name (tests and screenshots).
    [[nodiscard]] QComboBox* box(const char* column) const;
    /// Chooses entry text (a typed text for the frequency and offset boxes)
    /// for the field of column; false when the box has no such entry.
    bool choose(const char* column, const QString& text);

private:
    std::vector<std::pair<const ChannelField*, QComboBox*>> boxes_;
};

} // namespace zav::channels
