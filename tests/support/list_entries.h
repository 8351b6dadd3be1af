#pragma once

// The texts of a list's entries, in order, for comparing a list with what
// it should offer.

#include <QComboBox>
#include <QStringList>

namespace zav::test {

inline QStringList Entries(const QComboBox* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->itemText(i);
    return out;
}

} // namespace zav::test
