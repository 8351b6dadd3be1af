#pragma once

// How every editor shows stored values in its controls and reads them back.

#include <QString>
#include <QStringList>

#include <cstdint>

class QCheckBox;
class QComboBox;

namespace zav::ui {

/// Selects entry value; a value outside the list selects the first entry;
/// an empty list shows nothing. Returns true when the selection changed.
bool showListIndex(QComboBox* list, int value);
/// The selected index into field; the field is left alone when nothing is
/// selected. Returns true when a value was read.
bool readListIndex(const QComboBox* list, std::int16_t& field);
/// Selects the entry whose text equals text; -1 (no selection) if none.
/// Returns true when the selection changed.
bool showListText(QComboBox* list, const QString& text);
/// Checks the box for 1; 0 and any value above 1 show unchecked.
/// Returns true when the state changed.
bool showCheck(QCheckBox* box, int value);
/// Replaces the entries, keeping signals quiet.
void fillList(QComboBox* list, const QStringList& entries);
/// "0", "1", ... numbers from first to last in steps, as decimal text.
QStringList numberEntries(int first, int last, int step = 1, const QString& suffix = {});

} // namespace zav::ui
