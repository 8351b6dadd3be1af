#include "about_dialog.h"

#include "app_context.h"
#include "pictures.h"
#include "window_names.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zav {
namespace {

constexpr int kTextTitle = 24000;       // "About"
constexpr int kTextProgramName = 24001; // "ZAV415 Programming Software"
constexpr int kTextVersion = 24002;     // "Version 3.00"
constexpr int kTextDescription = 24003;
constexpr int kTextNotice = 24004;
constexpr int kTextAboutOk = 24005;     // "OK"

constexpr int kTextProgramVersion = 34426; ///< %1 the program's version
constexpr int kTextManualLink = 34427;

} // namespace

AboutDialog::AboutDialog(ui::AppContext& ctx, QWidget* parent) : QDialog(parent)
{
    setObjectName(kAboutName);
    setWindowTitle(ctx.text(kTextTitle));

    picture = new QLabel(this);
    picture->setObjectName("picIcon");
    picture->setPixmap(loadPicture(ctx.session.paths.programDir, kAboutPicture));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    titleLabel = new QLabel(ctx.text(kTextProgramName), this);
    QFont titleFont = titleLabel->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    titleLabel->setFont(titleFont);
    versionLabel = new QLabel(ctx.text(kTextVersion), this);
    descriptionLabel = new QLabel(ctx.text(kTextDescription), this);
    descriptionLabel->setWordWrap(true);
    programVersionLabel = new QLabel(ctx.text(kTextProgramVersion).arg(QStringLiteral(ZAV_PROGRAM_VERSION)), this);
    programVersionLabel->setObjectName("lblProgramVersion");
    programVersionLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    manualLink = new QLabel(QStringLiteral("<a href=\"manual\">%1</a>").arg(ctx.text(kTextManualLink).toHtmlEscaped()), this);
    manualLink->setObjectName("lblManual");
    manualLink->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(manualLink, &QLabel::linkActivated, this, &AboutDialog::manualRequested);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    noticeLabel = new QLabel(ctx.text(kTextNotice), this);
    noticeLabel->setWordWrap(true);
    okButton = new QPushButton(ctx.text(kTextAboutOk), this);
    okButton->setObjectName("cmdOK");
    okButton->setDefault(true);

    auto* texts = new QVBoxLayout;
    texts->addWidget(titleLabel);
    texts->addWidget(versionLabel);
    texts->addSpacing(8);
    texts->addWidget(descriptionLabel);
    texts->addSpacing(8);
    texts->addWidget(programVersionLabel);
    texts->addWidget(manualLink);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(noticeLabel, 1);
    bottom->addWidget(okButton, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addLayout(bottom);
    setMinimumWidth(480);

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace zav
