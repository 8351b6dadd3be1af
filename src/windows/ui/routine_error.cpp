#include "routine_error.h"

#include "prompts.h"

namespace zav::ui {

void ShowRoutineError(QWidget* parent, const QString& routine) { Inform(parent, routine, Icon::Critical); }

} // namespace zav::ui
