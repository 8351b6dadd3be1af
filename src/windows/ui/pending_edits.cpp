#include "pending_edits.h"

#include "app_context.h"
#include "editor_window.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace zav::ui {

void commitPendingEdits(const AppContext& ctx)
{
    if (!ctx.area)
        return;
    // Storing may close or open windows (a cleared channel refreshes its
    // neighbours): the list is taken first and each window checked again.
    QList<QPointer<QMdiSubWindow>> windows;
    for (QMdiSubWindow* sub : ctx.area->subWindowList())
        windows.append(sub);
    for (const QPointer<QMdiSubWindow>& sub : windows) {
        // A closed window waits hidden for its deletion; it stores nothing.
        if (!sub || sub->isHidden())
            continue;
        if (auto* editor = qobject_cast<EditorWindow*>(sub->widget()))
            editor->commitPendingEdit();
    }
}

} // namespace zav::ui
