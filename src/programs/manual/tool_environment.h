#pragma once

// A private copy of the program's files and folders for one language, so
// that the manual's helper runs the real program without touching the
// user's settings, backups or programming log. Its folder has the same
// name on every run (<temp>/zavprog-manual-<language>, emptied first), so
// that the paths the windows show do not change the pictures.

#include "session.h"

#include <QString>
#include <QDir>

namespace zav::manual {

class ToolEnvironment {
public:
    /// programDir: the built program's folder (dist/V300); language "en" or "zh".
    ToolEnvironment(const QString& programDir, const QString& language);

    ~ToolEnvironment();
    ToolEnvironment(const ToolEnvironment&) = delete;
    ToolEnvironment& operator=(const ToolEnvironment&) = delete;

    [[nodiscard]] bool ok() const { return ok_; }
    [[nodiscard]] QString programDir() const { return dir_.filePath(QStringLiteral("dist/V300")); }
    /// A path in the environment's folder.
    [[nodiscard]] QString filePath(const QString& name) const { return dir_.filePath(name); }

    Session session;

private:
    QDir dir_;
    bool ok_ = false;
};

} // namespace zav::manual
