#include "problem_report_dialog.h"

#include "app_context.h"
#include "atomic_file.h"
#include "file_write_text.h"
#include "problem_report.h"
#include "programming_log.h"
#include "prompts.h"
#include "window_names.h"

#include <QCheckBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace zav::help {
namespace {

constexpr int kTextTitle = 34415;
constexpr int kTextExplain = 34416;
constexpr int kTextContents = 34433;
constexpr int kTextWhatHappened = 34417;
constexpr int kTextTrace = 34418;
constexpr int kTextBrowse = 34419;
constexpr int kTextDocument = 34420;
constexpr int kTextSave = 34421;
constexpr int kTextCancel = 34422;
constexpr int kTextFilter = 34423;
constexpr int kTextSaved = 34424;      ///< %1 the file
constexpr int kTextNotSaved = 34425;   ///< %1 the file
constexpr int kTextTraceCaption = 34431;
constexpr int kTextTraceFilter = 34432;

} // namespace

ProblemReportDialog::ProblemReportDialog(ui::AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(kProblemReportName);
    setWindowTitle(ctx.text(kTextTitle));

    auto* explain = new QLabel(ctx.text(kTextExplain) + QLatin1Char(' ') + ctx.text(kTextContents), this);
    explain->setWordWrap(true);
    description = new QPlainTextEdit(this);
    description->setObjectName(QStringLiteral("txtWhatHappened"));
    tracePath = new QLineEdit(QSettings().value(QString::fromLatin1(kLastTraceKey)).toString(), this);
    tracePath->setObjectName(QStringLiteral("txtTrace"));
    auto* browse = new QPushButton(ctx.text(kTextBrowse), this);
    browse->setObjectName(QStringLiteral("cmdBrowse"));
    includeDocument = new QCheckBox(ctx.text(kTextDocument), this);
    includeDocument->setObjectName(QStringLiteral("chkDocument"));

    auto* buttons = new QDialogButtonBox(this);
    saveButton = buttons->addButton(ctx.text(kTextSave), QDialogButtonBox::AcceptRole);
    saveButton->setObjectName(QStringLiteral("cmdSave"));
    QPushButton* cancel = buttons->addButton(ctx.text(kTextCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* traceRow = new QHBoxLayout;
    traceRow->addWidget(tracePath, 1);
    traceRow->addWidget(browse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explain);
    layout->addWidget(new QLabel(ctx.text(kTextWhatHappened), this));
    layout->addWidget(description, 1);
    layout->addWidget(new QLabel(ctx.text(kTextTrace), this));
    layout->addLayout(traceRow);
    layout->addWidget(includeDocument);
    layout->addWidget(buttons);
    resize(560, 460);

    connect(browse, &QPushButton::clicked, this, &ProblemReportDialog::chooseTrace);
    connect(saveButton, &QPushButton::clicked, this, [this] {
        if (saveReport())
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ProblemReportDialog::chooseTrace()
{
    const QString path = ui::getOpenFile(this, ctx_.text(kTextTraceCaption), tracePath->text(), ctx_.text(kTextTraceFilter));
    if (!path.isEmpty())
        tracePath->setText(path);
}

bool ProblemReportDialog::saveReport()
{
    const QString suggested = QDir::home().filePath(
        QStringLiteral("zavprog-report-%1.zip").arg(QDate::currentDate().toString(QStringLiteral("yyyyMMdd"))));
    const QString path = ui::getSaveFile(this, ctx_.text(kTextTitle), suggested, ctx_.text(kTextFilter));
    if (path.isEmpty())
        return false;

    ProblemReportInput input;
    input.description = description->toPlainText();
    input.tracePath = tracePath->text().trimmed();
    input.includeDocument = includeDocument->isChecked();
    input.settingsStore = QSettings().fileName();
    input.programmingLog = QString::fromStdString(programmingLogPath());
    QString error;
    const std::optional<QByteArray> archive = zipArchive(collectProblemReport(ctx_.session, input), &error);
    if (!archive) {
        ui::inform(this, ctx_.text(kTextNotSaved).arg(QDir::toNativeSeparators(path)) + QStringLiteral("\r\n") + error,
                   ui::Icon::Critical);
        return false;
    }
    const std::vector<std::uint8_t> bytes(archive->begin(), archive->end());
    const FileWriteResult written = writeFileAtomically(QFile::encodeName(path).toStdString(), bytes);
    if (!written) {
        ui::inform(this,
                   ctx_.text(kTextNotSaved).arg(QDir::toNativeSeparators(path)) + QStringLiteral("\r\n") +
                       ui::fileWriteProblemText(ctx_, path, written),
                   ui::Icon::Critical);
        return false;
    }
    ui::inform(this, ctx_.text(kTextSaved).arg(QDir::toNativeSeparators(path)), ui::Icon::Information);
    return true;
}

} // namespace zav::help
