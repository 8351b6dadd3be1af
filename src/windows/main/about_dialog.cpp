#include "about_dialog.h"

#include "app_context.h"
#include "pictures.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zav {

AboutDialog::AboutDialog(ui::AppContext& ctx, QWidget* parent) : QDialog(parent)
{
    setObjectName("frmAbout");
    setWindowTitle(ctx.text(24000));

    picIcon = new QLabel(this);
    picIcon->setObjectName("picIcon");
    picIcon->setPixmap(LoadPicture(ctx.session.paths.programDir, kAboutPicture));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    lblTitle = new QLabel(ctx.text(24001), this);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblVersion = new QLabel(ctx.text(24002), this);
    lblDescription = new QLabel(ctx.text(24003), this);
    lblDescription->setWordWrap(true);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    lblDisclaimer = new QLabel(ctx.text(24004), this);
    lblDisclaimer->setWordWrap(true);
    cmdOK = new QPushButton(ctx.text(24005), this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);

    auto* texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addSpacing(8);
    texts->addWidget(lblDescription);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblDisclaimer, 1);
    bottom->addWidget(cmdOK, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addLayout(bottom);
    setMinimumWidth(480);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace zav
