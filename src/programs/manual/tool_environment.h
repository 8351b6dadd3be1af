#pragma once

// A private copy of the program's files and folders for one language, so
// that the manual's helper runs the real program without touching the
// user's settings, backups or programming log.

#include "session.h"

#include <QString>
#include <QTemporaryDir>

namespace zav::manual {

class ToolEnvironment {
public:
    /// programDir: the built program's folder (dist/V300); language "en" or "zh".
    ToolEnvironment(const QString& programDir, const QString& language);

    [[nodiscard]] bool ok() const { return ok_; }
    [[nodiscard]] QString programDir() const { return dir_.filePath(QStringLiteral("dist/V300")); }

    Session session;

private:
    QTemporaryDir dir_;
    bool ok_ = false;
};

} // namespace zav::manual
