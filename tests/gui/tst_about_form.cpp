#include <QtTest>

#include "gui/about/about_form.h"
#include "ui_about_form.h"

#include <QLabel>
#include <QPushButton>

using namespace corvane::gui;

class AboutFormTest : public QObject {
    Q_OBJECT
  private slots:
    void versionLine_data();
    void versionLine();
    void closes_data();
    void closes();
};

void AboutFormTest::versionLine_data() {
    QTest::addColumn<QString>("fileVersion"); // null: the program has none
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("versionText");
    QTest::newRow("four parts") << "4.2.2.26"
                                << "Version  4.2.2  Build 26 ("
                                << "4.2.2";
    QTest::newRow("two parts") << "4.2"
                               << "Version  4.2.  Build  ("
                               << "4.2.";
    QTest::newRow("none") << QString() << "Version  "
                          << "";
}

void AboutFormTest::versionLine() {
    QFETCH(QString, fileVersion);
    QFETCH(QString, start);
    QFETCH(QString, versionText);
    std::optional<std::string> version;
    if (!fileVersion.isNull())
        version = fileVersion.toStdString();
    TAboutForm about(version);
    QVERIFY(about.VersionCaption().startsWith(start));
    if (version) // the build date closes the line
        QCOMPARE(about.VersionCaption(), start + QString(__DATE__) + ")");
    else
        QCOMPARE(about.VersionCaption(), start);
    QCOMPARE(QString::fromStdString(about.FVersionText()), versionText);
}

void AboutFormTest::closes_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Ok") << "ok";
    QTest::newRow("Escape on Ok") << "escape";
    QTest::newRow("click on the picture") << "picture";
}

void AboutFormTest::closes() {
    QFETCH(QString, how);
    TAboutForm about(std::string("1.2.3.4"));
    auto* ok = about.findChild<QPushButton*>("btnOk");
    auto* picture = about.findChild<QLabel*>("Image2");
    QVERIFY(ok && picture);
    QCOMPARE(ok->text(), QString("Ok"));
    QVERIFY(ok->isDefault());
    about.show();
    QVERIFY(about.isVisible());
    if (how == "ok")
        QTest::mouseClick(ok, Qt::LeftButton);
    else if (how == "escape")
        QTest::keyClick(ok, Qt::Key_Escape);
    else
        QTest::mouseClick(picture, Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Rejected));
}

QTEST_MAIN(AboutFormTest)
#include "tst_about_form.moc"
