#pragma once

// What a window needs from the rest of the program: the run's session
// (document, settings, texts), the MDI area its siblings live in, and the
// few main-window services the editors call.

#include "session.h"
#include "text_cache.h"

#include <QString>

#include <memory>

class QMdiArea;

namespace zav::channels {
struct ChannelEditState;
}

namespace zav::ui {

/// Main-window services that child windows call by behaviour.
class ShellHooks {
public:
    virtual ~ShellHooks() = default;
    /// Rebuilds the navigation tree.
    virtual void rebuildTree() = 0;
    /// Marks the document state in the caption again (after edits that
    /// change what the caption shows).
    virtual void refreshCaption() = 0;
};

struct AppContext {
    Session& session;
    QMdiArea* area = nullptr;
    ShellHooks* shell = nullptr; ///< may be null in tests of single windows
    /// The language file's texts, read once per change of the file.
    std::shared_ptr<TextCache> texts = std::make_shared<TextCache>();
    /// The channel windows' own state, made when they first need it
    /// (channels::editState): the windowing layer only keeps it.
    mutable std::shared_ptr<channels::ChannelEditState> channelEdit{};

    Document& doc() const { return session.doc; }
    /// Text id in the current language, as a QString (files are UTF-8).
    QString text(int id) const { return QString::fromUtf8(texts->lookup(session.texts.file(), id).c_str()); }
};

/// Bytes of a fixed text field shown as a QString (one character per byte).
QString fromBytes(const std::string& bytes);
/// A QString written back one byte per character (characters above 255
/// become "?"; the editors only accept ASCII).
std::string toBytes(const QString& text);

} // namespace zav::ui
