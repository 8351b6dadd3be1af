#include "splash_screen.h"

#include "pictures.h"
#include "session.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace zav {

SplashScreen::SplashScreen(const std::string& programDir, int language, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName("frmSplash");
    Picture1_ = new QLabel(this);
    Picture1_->setObjectName("Picture1");
    if (language == kEnglish || language == kChinese)
        Picture1_->setPixmap(LoadPicture(programDir, language == kEnglish ? kSplashEnglish : kSplashChinese));
    if (Picture1_->pixmap().isNull())
        Picture1_->setMinimumSize(480, 300);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Picture1_);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    Timer1_.setSingleShot(true);
    Timer1_.setInterval(kShowMs);
    connect(&Timer1_, &QTimer::timeout, this, &SplashScreen::OpenMain);
    Timer1_.start();
}

void SplashScreen::mousePressEvent(QMouseEvent*) { OpenMain(); }

void SplashScreen::OpenMain()
{
    Timer1_.stop();
    if (opened_)
        return;
    opened_ = true;
    if (onOpenMain)
        onOpenMain();
    close();
}

} // namespace zav
