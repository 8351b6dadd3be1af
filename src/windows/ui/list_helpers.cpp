#include "list_helpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>

namespace zav::ui {

bool showListIndex(QComboBox* list, int value)
{
    if (list->count() == 0)
        return false;
    if (value < 0 || value >= list->count())
        value = 0;
    const bool changed = list->currentIndex() != value;
    list->setCurrentIndex(value);
    return changed;
}

bool readListIndex(const QComboBox* list, std::int16_t& field)
{
    const int index = list->currentIndex();
    if (index < 0)
        return false;
    field = static_cast<std::int16_t>(index);
    return true;
}

bool showListText(QComboBox* list, const QString& text)
{
    const int index = list->findText(text, Qt::MatchExactly);
    const bool changed = list->currentIndex() != index;
    list->setCurrentIndex(index);
    return changed;
}

bool showCheck(QCheckBox* box, int value)
{
    const bool checked = value == 1;
    const bool changed = box->isChecked() != checked;
    box->setChecked(checked);
    return changed;
}

void fillList(QComboBox* list, const QStringList& entries)
{
    QSignalBlocker quiet(list);
    list->clear();
    list->addItems(entries);
}

QStringList numberEntries(int first, int last, int step, const QString& suffix)
{
    QStringList out;
    for (int v = first; v <= last; v += step)
        out << QString::number(v) + suffix;
    return out;
}

} // namespace zav::ui
