#include <QtTest>

#include "gui/app/main_form.h"
#include "support/gui_machine.h"
#include "ui_main_form.h"

using namespace corvane;
using namespace corvane::gui;
using namespace corvane::gui::test;

class MainFormTest : public QObject {
    Q_OBJECT
  private slots:
    void startsWithOneStaticConnection();
};

void MainFormTest::startsWithOneStaticConnection() {
    GuiMachine m;
    m.AddStatic("LAN", "192.168.1.20", "255.255.255.0", "192.168.1.1");
    m.Start();
    QVERIFY(MainForm->isVisible());
    QVERIFY(m.dialogs.Find("Couldn't read IP Address File.") != nullptr);
}

QTEST_MAIN(MainFormTest)
#include "tst_main_form.moc"
