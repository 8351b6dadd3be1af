#include "window_registry.h"

#include "editor_window.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace zav::ui {

QWidget* findWindow(QMdiArea* area, const QString& name)
{
    if (!area)
        return nullptr;
    for (QMdiSubWindow* sub : area->subWindowList()) {
        // A closed window stays in the list until its deferred deletion;
        // it must not be brought back, so hidden ones do not count.
        if (sub->isHidden())
            continue;
        if (sub->widget() && sub->widget()->objectName() == name)
            return sub->widget();
    }
    return nullptr;
}

EditorWindow* findEditor(QMdiArea* area, const QString& name)
{
    return qobject_cast<EditorWindow*>(findWindow(area, name));
}

QWidget* showEditor(QMdiArea* area, const QString& name, const std::function<QWidget*()>& create)
{
    if (QWidget* existing = findWindow(area, name)) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(existing->parentWidget())) {
            sub->showNormal();
            // Activation alone does not raise it while the frame itself is
            // not the active window.
            sub->raise();
            area->setActiveSubWindow(sub);
        }
        existing->setFocus();
        return existing;
    }
    QWidget* window = create();
    window->setObjectName(name);
    window->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* sub = area->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(window->windowTitle());
    QObject::connect(window, &QWidget::windowTitleChanged, sub, &QWidget::setWindowTitle);
    sub->show();
    area->cascadeSubWindows();
    area->setActiveSubWindow(sub);
    return window;
}

void unloadByName(QMdiArea* area, const QString& name)
{
    if (!area)
        return;
    for (QMdiSubWindow* sub : area->subWindowList()) {
        if (sub->widget() && sub->widget()->objectName() == name) {
            sub->close();
            // Closing is immediate for the window's own state; deletion
            // follows from WA_DeleteOnClose.
        }
    }
}

void closeAllWindows(QMdiArea* area)
{
    if (!area)
        return;
    for (QMdiSubWindow* sub : area->subWindowList())
        sub->close();
}

} // namespace zav::ui
