#include "splash_screen.h"

#include "pictures.h"
#include "session.h"
#include "window_names.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace zav {

SplashScreen::SplashScreen(const std::string& programDir, int language, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(kSplashName);
    picture_ = new QLabel(this);
    picture_->setObjectName("Picture1");
    // Languages other than Chinese are written in Latin letters: the English
    // picture suits them better than an empty frame.
    picture_->setPixmap(loadPicture(programDir, language == kChinese ? kSplashChinese : kSplashEnglish));
    if (picture_->pixmap().isNull())
        picture_->setMinimumSize(480, 300);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture_);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    timer_.setSingleShot(true);
    timer_.setInterval(kShowMs);
    connect(&timer_, &QTimer::timeout, this, &SplashScreen::openMain);
    timer_.start();
}

void SplashScreen::mousePressEvent(QMouseEvent*) { openMain(); }

void SplashScreen::openMain()
{
    timer_.stop();
    if (opened_)
        return;
    opened_ = true;
    if (onOpenMain)
        onOpenMain();
    close();
}

} // namespace zav
