#include "file_write_text.h"

#include "app_context.h"

#include <cstring>

namespace zav::ui {

QString fileWriteProblemText(const AppContext& ctx, const QString& path, const FileWriteResult& result)
{
    QString why;
    switch (result.problem) {
    case FileWriteProblem::None: return {};
    case FileWriteProblem::Folder: why = ctx.text(kTextIsFolder); break;
    case FileWriteProblem::Device: why = ctx.text(kTextIsDevice); break;
    case FileWriteProblem::Pipe: why = ctx.text(kTextIsPipe); break;
    case FileWriteProblem::ReadOnly: why = ctx.text(kTextIsReadOnly); break;
    case FileWriteProblem::Failed:
        why = ctx.text(kTextSystemRefused)
                  .arg(QString::fromLocal8Bit(std::strerror(result.systemError != 0 ? result.systemError : EIO)));
        break;
    }
    return ctx.text(kTextFileNotWritten).arg(path, why);
}

} // namespace zav::ui
