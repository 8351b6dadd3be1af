#pragma once

// A running program in miniature for the feature-editor tests: a session
// with a new document and the English texts, and an MDI area the editors
// open in, the way the main window opens them.

#include "app_context.h"
#include "data_file.h"
#include "defaults.h"
#include "prompts.h"
#include "session.h"
#include "window_registry.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace zav::test {

/// Types text into a widget key by key, as a keyboard would; characters
/// beyond ASCII arrive as key events carrying that text.
inline void TypeText(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        if (c.unicode() < 128) {
            QTest::keyClick(widget, c.toLatin1());
            continue;
        }
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

struct FeatureFixture {
    Session session;
    QMdiArea area;
    ui::ScriptedPrompter prompter;
    ui::ScopedPrompter scopedPrompter{prompter};
    ui::AppContext ctx{session, &area};

    FeatureFixture()
    {
        const QString source = qEnvironmentVariable("ZAV_SOURCE_DIR");
        session.texts.setFile(QDir(source).filePath("data/language/english.ini").toStdString());
        buildNewDocument(session.doc, "/nonexistent-init-folder", TemplateVariant::NewDocument);
        area.resize(1200, 900);
    }

    Document& doc() { return session.doc; }
    RadioImage& image() { return session.doc.image(); }

    /// Opens an editor as the main window does (single instance, by name).
    template <class Window>
    Window* open(const QString& name)
    {
        return qobject_cast<Window*>(ui::showEditor(&area, name, [this] { return new Window(ctx); }));
    }

    /// Makes the current state the saved one, so that a later edit shows
    /// as a modification.
    void markSaved() { session.doc.copyWorkingToSaved(); }

    /// Saves the document and opens the file into a fresh document.
    std::unique_ptr<Document> saveAndReopen()
    {
        QTemporaryDir dir;
        const std::string path = QDir(dir.path()).filePath("roundtrip.dat").toStdString();
        if (!saveDocument(session.doc, path))
            return nullptr;
        auto reopened = std::make_unique<Document>();
        if (openDocument(*reopened, path, session.versions).outcome != OpenOutcome::Opened)
            return nullptr;
        return reopened;
    }

    /// Closes an editor the way its Close button does and lets it go.
    void closeAll() { ui::closeAllWindows(&area); }
};

} // namespace zav::test
