#include "routine_error.h"

#include "prompts.h"

namespace zav::ui {

void showRoutineError(QWidget* parent, const QString& routine) { inform(parent, routine, Icon::Critical); }

} // namespace zav::ui
