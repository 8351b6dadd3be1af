#pragma once

// The cells of the channel table: one row per channel slot of the shown
// group, eleven columns of display text. The table window decides what each
// cell shows; this model only holds the texts, the header texts and the
// fixed colours of the grid.

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <vector>

namespace zav::channels {

inline constexpr int kGridColumns = 11;
inline constexpr int kDetailColumn = 10; ///< ">>": opens the detail editor

class ChannelGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    /// Makes rows 1..count (grid rows; model row = grid row - 1), each
    /// numbered in column 0 with ">>" in the last column and blank elsewhere.
    void resetSlots(int count);
    /// Number of channel rows (the grid has one more, the header).
    [[nodiscard]] int slotCount() const { return rows_; }

    /// Text of a cell, grid row 1..slotCount(), column 0..10 ("" outside).
    [[nodiscard]] QString text(int row, int column) const;
    void setText(int row, int column, const QString& text);
    /// Columns 1..9 of a row blank.
    void blankRow(int row);

    /// Several cells changed without notification (setTextQuietly) are
    /// announced at once.
    void setTextQuietly(int row, int column, const QString& text);
    void announceAll();

    void setHeaders(const QStringList& headers);

private:
    [[nodiscard]] bool valid(int row, int column) const;
    [[nodiscard]] std::size_t at(int row, int column) const;

    int rows_ = 0;
    std::vector<QString> cells_;
    QStringList headers_;
};

} // namespace zav::channels
