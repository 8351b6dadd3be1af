#pragma once

// Small helpers shared by the image tests: whole-image comparison and file
// access for fixtures.

#include "image_layout.h"
#include "radio_image.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace zav::testing {

inline bool SameImage(const ImageSet& a, const ImageSet& b)
{
    return a.Settings == b.Settings && a.ActiveChannels == b.ActiveChannels && a.StandbyChannels == b.StandbyChannels;
}

inline QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool WriteFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data) == data.size();
}

inline QByteArray ToQBytes(const Bytes& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

/// Little-endian Integer at a file offset.
inline void PutInt16(QByteArray& data, int offset, int value)
{
    data[offset] = static_cast<char>(value & 0xFF);
    data[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

} // namespace zav::testing
