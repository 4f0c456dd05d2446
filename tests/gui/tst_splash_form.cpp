#include <QtTest>

#include "gui/about/splash_form.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

using namespace corvane::gui;

class SplashFormTest : public QObject {
    Q_OBJECT
  private slots:
    void timerRunsFromCreation();
    void shownAfterItsTimeClosesAtOnce();
    void laterShowingClosesAgain();
};

void SplashFormTest::timerRunsFromCreation() {
    TSplashForm splash;
    QVERIFY(splash.tmrSplash->isActive());
    QCOMPARE(splash.tmrSplash->interval(), 2000);
    QCOMPARE(splash.lblVersion()->text(), QString("Version "));
    splash.show();
    splash.tmrSplashTimer();
    QVERIFY(!splash.tmrSplash->isActive());
    QVERIFY(!splash.isVisible());
}

// Start-up took longer than the splash's two seconds.
void SplashFormTest::shownAfterItsTimeClosesAtOnce() {
    TSplashForm splash;
    splash.tmrSplashTimer();
    QTimer guard; // a hanging modal run fails the test instead of blocking it
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, &splash, [&] { splash.done(42); });
    guard.start(1500);
    QCOMPARE(splash.exec(), int(QDialog::Rejected));
}

// Without a border it could not be closed by hand, so a second showing must
// end by itself too.
void SplashFormTest::laterShowingClosesAgain() {
    TSplashForm splash;
    splash.tmrSplash->setInterval(50);
    splash.tmrSplash->start();
    QCOMPARE(splash.exec(), int(QDialog::Rejected));
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, &splash, [&] { splash.done(42); });
    guard.start(1500);
    QCOMPARE(splash.exec(), int(QDialog::Rejected));
}

QTEST_MAIN(SplashFormTest)
#include "tst_splash_form.moc"
