#include "channel_grid_model.h"

#include <QBrush>
#include <QColor>

namespace zav::channels {
namespace {
const QColor kRowNumberColour(0, 0, 255);
const QColor kDetailColour(255, 0, 0);
const QColor kDetailBackground(220, 220, 220);
const QColor kHeaderColour(0, 0, 155);
} // namespace

int ChannelGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int ChannelGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kGridColumns; }

QVariant ChannelGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row() + 1;
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return text(row, column);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::ForegroundRole:
        if (column == 0)
            return QBrush(kRowNumberColour);
        if (column == kDetailColumn)
            return QBrush(kDetailColour);
        return {};
    case Qt::BackgroundRole:
        if (column == kDetailColumn)
            return QBrush(kDetailBackground);
        return {};
    default:
        return {};
    }
}

QVariant ChannelGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return section < headers_.size() ? headers_.at(section) : QString();
    case Qt::ForegroundRole:
        return QBrush(kHeaderColour);
    case Qt::TextAlignmentRole:
        // Long captions take a second line instead of being cut.
        return int(Qt::AlignCenter | Qt::TextWordWrap);
    default:
        return {};
    }
}

void ChannelGridModel::resetSlots(int count)
{
    beginResetModel();
    rows_ = std::max(0, count);
    cells_.assign(static_cast<std::size_t>(rows_) * kGridColumns, QString());
    static const QString detail = QStringLiteral(">>");
    for (int row = 1; row <= rows_; ++row) {
        cells_[at(row, 0)] = QString::number(row);
        cells_[at(row, kDetailColumn)] = detail;
    }
    endResetModel();
}

bool ChannelGridModel::valid(int row, int column) const
{
    return row >= 1 && row <= rows_ && column >= 0 && column < kGridColumns;
}

std::size_t ChannelGridModel::at(int row, int column) const
{
    return static_cast<std::size_t>(row - 1) * kGridColumns + static_cast<std::size_t>(column);
}

QString ChannelGridModel::text(int row, int column) const
{
    return valid(row, column) ? cells_[at(row, column)] : QString();
}

void ChannelGridModel::setText(int row, int column, const QString& text)
{
    if (!valid(row, column) || cells_[at(row, column)] == text)
        return;
    cells_[at(row, column)] = text;
    const QModelIndex cell = index(row - 1, column);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

void ChannelGridModel::blankRow(int row)
{
    if (!valid(row, 1))
        return;
    for (int column = 1; column < kDetailColumn; ++column)
        cells_[at(row, column)].clear();
    emit dataChanged(index(row - 1, 1), index(row - 1, kDetailColumn - 1), {Qt::DisplayRole});
}

void ChannelGridModel::setTextQuietly(int row, int column, const QString& text)
{
    if (valid(row, column))
        cells_[at(row, column)] = text;
}

void ChannelGridModel::announceAll()
{
    if (rows_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, kGridColumns - 1), {Qt::DisplayRole});
}

void ChannelGridModel::setHeaders(const QStringList& headers)
{
    headers_ = headers;
    emit headerDataChanged(Qt::Horizontal, 0, kGridColumns - 1);
}

} // namespace zav::channels
