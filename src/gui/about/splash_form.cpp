#include "gui/about/splash_form.h"

#include "gui/app/icons.h"
#include "ui_splash_form.h"

#include <QPixmap>
#include <QTimer>

namespace corvane::gui {

TSplashForm::TSplashForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      ui(new Ui::TSplashForm) {
    ui->setupUi(this);
    ui->SplashImg->setPixmap(QPixmap::fromImage(Icons::Banner(320, 90)));
    tmrSplash = new QTimer(this);
    tmrSplash->setObjectName("tmrSplash");
    tmrSplash->setInterval(2000);
    connect(tmrSplash, &QTimer::timeout, this, &TSplashForm::tmrSplashTimer);
    tmrSplash->start();
}

TSplashForm::~TSplashForm() = default;

QLabel* TSplashForm::lblVersion() const {
    return ui->lblVersion;
}

void TSplashForm::tmrSplashTimer() {
    tmrSplash->stop();
    done(QDialog::Rejected);
}

// A splash whose two seconds are over when it is first shown closes at once.
// A later showing gets two seconds of its own: with its timer spent it would
// otherwise never close, and it has no border to close it by.
void TSplashForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!tmrSplash->isActive()) {
        if (shownBefore_)
            tmrSplash->start();
        else
            QTimer::singleShot(0, this, &TSplashForm::tmrSplashTimer);
    }
    shownBefore_ = true;
}

} // namespace corvane::gui
