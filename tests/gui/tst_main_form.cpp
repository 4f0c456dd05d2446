#include <QtTest>

#include "core/app/records.h"
#include "core/setup/settings.h"
#include "gui/about/splash_form.h"
#include "gui/app/main_form.h"
#include "gui/lookup/lookup_form.h"
#include "gui/setup/setup_form.h"
#include "support/gui_machine.h"
#include "ui_main_form.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QStatusTipEvent>
#include <QTreeWidget>

using namespace corvane;
using namespace corvane::gui;
using namespace corvane::gui::test;

namespace {

QTreeWidget* List() {
    return MainForm->ui->lvIP;
}

QStringList Column(int column) {
    QStringList texts;
    for (int i = 0; i < List()->topLevelItemCount(); ++i)
        texts << List()->topLevelItem(i)->text(column);
    return texts;
}

int SelectedRow() {
    const auto selected = List()->selectedItems();
    return selected.isEmpty() ? -1 : List()->indexOfTopLevelItem(selected.front());
}

QString Caption(int column) {
    return List()->headerItem()->text(column);
}

Settings& ToolSettings() {
    return SetupForm->settings();
}

const char* kOffer = "Network(s) not listed, add to list?\n";

std::optional<std::string> StoredText(GuiMachine& m, std::string_view name) {
    auto value = m.store.Get(settings_names::kKey, name);
    return value ? std::optional<std::string>(value->data) : std::nullopt;
}

std::optional<std::uint32_t> StoredDword(GuiMachine& m, std::string_view name) {
    auto value = m.store.Get(settings_names::kKey, name);
    if (!value || value->data.size() != 4)
        return std::nullopt;
    std::uint32_t n = 0;
    for (int i = 3; i >= 0; --i)
        n = n << 8 | static_cast<unsigned char>(value->data[std::size_t(i)]);
    return n;
}

} // namespace

class MainFormTest : public QObject {
    Q_OBJECT
  private slots:
    void firstStartOffersTheStaticConnection_data();
    void firstStartOffersTheStaticConnection();
    void offerSkipsAdaptersWithoutNameOrAddress();
    void noUsableNetwork();
    void activeEntryFoundMakesNoOffer();
    void bindingFailureEndsTheProgramAtOnce();
    void splashAndTimerAtStartUp();
    void columnWidthsAtFirstShowing_data();
    void columnWidthsAtFirstShowing();
    void statusBarPanels();

    void columnOrder51234();
    void hiddenCaptionAndReveal();
    void brokenLineStaysButIsNotShown();
    void columnClickSortsByText();
    void spaceSelectsTheActiveEntry();
    void escapeEndsWithoutWritingTheFile();
    void hideEnabling_data();
    void hideEnabling();
    void goEnabling_data();
    void goEnabling();
    void clickOnEmptyAreaKeepsTheFocusedRow();
    void recordOfItemUnderOneIpPerNetwork();
    void defaultColumns();
    void defaultColumnsStopsWhenTheSettingsCannotBeWritten();
    void updateTimerFollowsTheAddresses();
    void helpContexts();
};

// ---- start-up -----------------------------------------------------------------

void MainFormTest::firstStartOffersTheStaticConnection_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void MainFormTest::firstStartOffersTheStaticConnection() {
    QFETCH(bool, yes);
    GuiMachine m;
    m.AddStatic("Local Area Connection", "192.168.1.20", "255.255.255.0", "192.168.1.1");
    m.dialogs.answers.push_back(yes ? MessageResult::Yes : MessageResult::No);
    m.Start();

    const Message* read = m.dialogs.Find("Couldn't read IP Address File.");
    QVERIFY(read);
    QCOMPARE(read->title, std::string("Corvane Error"));
    QCOMPARE(read->icon, MessageIcon::Error);
    const Message* offer = m.dialogs.Find(std::string(kOffer) + "192.168.1.20");
    QVERIFY(offer);
    QCOMPARE(offer->title, std::string("Corvane"));
    QCOMPARE(offer->icon, MessageIcon::Question);
    QCOMPARE(offer->buttons, MessageButtons::YesNo);
    QVERIFY(!NetworksNotListed);

    if (yes) {
        QCOMPARE(MainForm->Lines(),
                 (ConfigLines{"192.168.1.20,255.255.255.0,192.168.1.1,Local Area "
                              "Connection,added by CORVANE, , "}));
        QCOMPARE(List()->topLevelItemCount(), 1);
        QCOMPARE(SelectedRow(), 0); // the new entry is the active one
    } else {
        QVERIFY(MainForm->Lines().empty());
        QCOMPARE(List()->topLevelItemCount(), 0);
        QCOMPARE(SelectedRow(), -1);
    }
    // closing without Exit writes no address file
    MainForm->close();
    QVERIFY(!QFile::exists(m.Path("ipfile.csv")));
}

void MainFormTest::offerSkipsAdaptersWithoutNameOrAddress() {
    GuiMachine m;
    m.AddStatic("Local Area Connection", "192.168.1.20", "255.255.255.0", "192.168.1.1");
    m.AddDhcp("Wireless Network Connection", "10.7.0.9", "255.255.0.0", "10.7.0.1");
    m.AddStatic("", "172.16.1.1", "255.255.0.0");   // no connection name
    m.AddStatic("Unplugged", "0.0.0.0", "0.0.0.0"); // disconnected
    m.dialogs.answers.push_back(MessageResult::Yes);
    m.Start();

    QVERIFY(m.dialogs.Find(std::string(kOffer) + "192.168.1.20,10.7.0.9,172.16.1.1"));
    QCOMPARE(
        MainForm->Lines(),
        (ConfigLines{
            "192.168.1.20,255.255.255.0,192.168.1.1,Local Area Connection,added by CORVANE, , ",
            "dhcp, , ,Wireless Network Connection,IP address by DHCP"}));
}

void MainFormTest::noUsableNetwork() {
    GuiMachine m;
    m.AddStatic("Local Area Connection", "192.168.1.20");
    m.platform.machine.SetHost("simhost", {"127.0.0.1"});
    m.WriteAddressFile({"192.168.1.20,255.255.255.0, ,Local Area Connection,office"});
    m.StoreDword(settings_names::kAutoNetworkCheck, 1);
    m.Start();

    const Message* message = m.dialogs.Find("No usable network interface available.");
    QVERIFY(message);
    QCOMPARE(message->title, std::string("Corvane Error"));
    QCOMPARE(m.dialogs.messages.size(), std::size_t(1)); // and no offer
    QCOMPARE(MainForm->Lines().size(), std::size_t(1));  // loaded, not shown
    QCOMPARE(List()->topLevelItemCount(), 0);
    QVERIFY(!MainForm->tUpdateTimer->isActive());
    QVERIFY(LookupForm->FNoUsableNetwork);
    QCOMPARE(HostAddressState, -1);
    QCOMPARE(MainForm->StatusPanelText(2), QString("127.0.0.1"));
    QCOMPARE(MainForm->sbStatusBarPanel2Colour(), QColor(255, 0, 0));
    QVERIFY(MainForm->isVisible());
}

void MainFormTest::activeEntryFoundMakesNoOffer() {
    GuiMachine m;
    m.AddStatic("Local Area Connection", "192.168.1.20", "255.255.255.0", "192.168.1.1");
    m.WriteAddressFile({"10.0.0.5,255.0.0.0, ,Local Area Connection,lab",
                        "192.168.1.20,255.255.255.0,192.168.1.1,Local Area Connection,office"});
    m.Start();

    QVERIFY(m.dialogs.messages.empty());
    QCOMPARE(SelectedRow(), 1);
    QCOMPARE(List()->currentItem(), List()->topLevelItem(1));
    QVERIFY(MainForm->ui->acGo->isEnabled());
}

void MainFormTest::bindingFailureEndsTheProgramAtOnce() {
    GuiMachine m;
    m.AddStatic("Local Area Connection", "192.168.1.20");
    m.platform.machine.state.bindingReport = 0x80FF;
    m.Start();

    QCOMPARE(m.dialogs.messages.size(), std::size_t(1));
    QCOMPARE(m.dialogs.messages[0].title, std::string("Initialisation error"));
    QCOMPARE(m.dialogs.messages[0].text,
             std::string("Couldn't load DLL function(s)  [Code = 0x80FF]"));
    QCOMPARE(m.dialogs.messages[0].icon, MessageIcon::Error);
    QVERIFY(!MainForm->isVisible());
    QVERIFY(m.App().Terminated());
    QVERIFY(m.dialogs.modals.empty()); // no splash
    // nothing was loaded, and the user's saved widths were not overwritten
    QVERIFY(!m.store.Get(settings_names::kKey, settings_names::Width(0)).has_value());
}

void MainFormTest::splashAndTimerAtStartUp() {
    GuiMachine m;
    m.AddStatic("Local Area Connection", "192.168.1.20");
    m.StoreDword(settings_names::kAutoNetworkCheck, 1);
    m.StoreDword(settings_names::kNicAutoUpdateInterval, 1500);
    m.Start();

    QCOMPARE(m.dialogs.modals, (std::vector<QString>{"SplashForm"}));
    QVERIFY(SplashForm->lblVersion()->text().startsWith("Version 0."));
    QVERIFY(MainForm->tUpdateTimer->isActive());
    QCOMPARE(MainForm->tUpdateTimer->interval(), 1500);
    QVERIFY(!MainForm->SystemDirectory().empty());
}

void MainFormTest::columnWidthsAtFirstShowing_data() {
    QTest::addColumn<bool>("saved");
    QTest::newRow("first run") << false;
    QTest::newRow("saved widths") << true;
}

void MainFormTest::columnWidthsAtFirstShowing() {
    QFETCH(bool, saved);
    GuiMachine m;
    m.AddStatic("Local Area Connection", "192.168.1.20");
    m.StoreColumnOrder(
        "12345", {"IP Address", "Network Mask", "Default Router", "Interface Name", "Remarks"});
    if (saved) {
        for (int i = 0; i < 3; ++i) // W3 missing: the rest keep their widths
            m.StoreDword(settings_names::Width(i), std::uint32_t(50 + i));
    }
    m.Start();
    const int expected[] = {117, 117, 117, 185, 215};
    for (int i = 0; i < kColumnCount; ++i)
        QCOMPARE(List()->columnWidth(i), saved && i < 3 ? 50 + i : expected[i]);

    List()->setColumnWidth(4, 333);
    MainForm->close();
    QCOMPARE(StoredDword(m, settings_names::Width(4)), std::optional<std::uint32_t>(333));
}

void MainFormTest::statusBarPanels() {
    GuiMachine m;
    m.AddStatic("Local Area Connection", "192.168.1.20");
    m.AddStatic("Wireless Network Connection", "10.0.0.5", "255.0.0.0");
    m.Start();
    QCOMPARE(MainForm->StatusPanelText(1), QString("simhost"));
    QCOMPARE(MainForm->StatusPanelText(2), QString("192.168.1.20,10.0.0.5"));
    QCOMPARE(HostAddressState, 2);
    QCOMPARE(FirstHostAddress, std::string("192.168.1.20"));
    QCOMPARE(MainForm->sbStatusBarPanel2Colour(), QColor(0, 0, 255));

    // long hints go to panel 0
    QStatusTipEvent tip(MainForm->ui->acGo->statusTip());
    QCoreApplication::sendEvent(MainForm->ui->sbGo, &tip);
    QCOMPARE(MainForm->StatusPanelText(0),
             QString("Reconfigure interface with selected properties"));
    QCOMPARE(MainForm->ui->sbGo->toolTip(), QString("Go"));
}

// ---- the list ------------------------------------------------------------------

void MainFormTest::columnOrder51234() {
    GuiMachine m;
    m.AddStatic("Local Area Connection", "192.168.1.20");
    m.StoreColumnOrder(
        "51234", {"Remarks", "IP Address", "Network Mask", "Default Router", "Interface Name"});
    m.WriteAddressFile({"10.0.0.5,255.0.0.0,10.0.0.1,Local Area Connection,office"});
    m.Start();
    QCOMPARE(MainForm->ColumnOfField(4), 5);
    QCOMPARE(Column(0), QStringList{"office"});
    QCOMPARE(Column(1), QStringList{"10.0.0.5"});
    QCOMPARE(Column(4), QStringList{"Local Area Connection"});
    QCOMPARE(Caption(0), QString("Remarks"));
    QCOMPARE(Caption(4), QString("Interface Name"));
    QCOMPARE(MainForm->ItemRowText(0),
             std::string("office;10.0.0.5;255.0.0.0;10.0.0.1;Local Area Connection"));
    QCOMPARE(*MainForm->RecordOfItem(List()->topLevelItem(0)),
             std::string("10.0.0.5,255.0.0.0,10.0.0.1,Local Area Connection,office"));
}

void MainFormTest::hiddenCaptionAndReveal() {
    GuiMachine m;
    m.AddStatic("Local Area Connection", "192.168.1.20");
    m.AddStatic("Wireless Network Connection", "10.0.0.5", "255.0.0.0");
    m.StoreHidden({"Wireless Network Connection (Wireless Network Connection adapter)"});
    m.WriteAddressFile({"10.0.0.6,255.0.0.0, ,Wireless Network Connection,one",
                        "192.168.1.20,255.255.255.0, ,Local Area Connection,office",
                        "172.16.0.7,255.255.0.0, ,Wireless Network Connection,two"});
    m.Start();
    QCOMPARE(Column(4), QStringList{"office"});
    QCOMPARE(Caption(3), QString("Interface Name  (2 hidden)"));
    QVERIFY(MainForm->ui->acReveal->isEnabled());

    MainForm->acRevealExecute();
    QCOMPARE(Column(4), (QStringList{"one", "office", "two"}));
    QCOMPARE(Caption(3), QString("Interface Name"));
    QVERIFY(!MainForm->ui->acReveal->isEnabled());
    QCOMPARE(SelectedRow(), 1);
}

void MainFormTest::brokenLineStaysButIsNotShown() {
    GuiMachine m;
    m.AddStatic("LAN", "192.168.1.20");
    m.WriteAddressFile({"dhcp,,x,LAN,rem,dns,wins", "192.168.1.20,255.255.255.0, ,LAN,office"});
    m.Start();
    QCOMPARE(MainForm->Lines().size(), std::size_t(2));
    QCOMPARE(Column(4), QStringList{"office"});
    MainForm->acExitExecute();
    QFile file(m.Path("ipfile.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("dhcp,,x,LAN,rem,dns,wins\r\n"));
}

void MainFormTest::columnClickSortsByText() {
    GuiMachine m;
    m.AddStatic("LAN", "192.168.1.5");
    m.WriteAddressFile({"192.168.1.5,255.255.255.0, ,LAN,b", "10.0.0.2,255.0.0.0, ,LAN,a",
                        "9.0.0.1,255.0.0.0, ,LAN,C"});
    m.Start();
    QCOMPARE(SelectedRow(), 0);
    QHeaderView* header = List()->header();
    emit header->sectionClicked(0);
    QCOMPARE(Column(0), (QStringList{"9.0.0.1", "192.168.1.5", "10.0.0.2"}));
    QVERIFY(MainForm->SortDescending());
    QCOMPARE(List()->selectedItems().front()->text(0), QString("192.168.1.5")); // kept
    emit header->sectionClicked(0);
    QCOMPARE(Column(0), (QStringList{"10.0.0.2", "192.168.1.5", "9.0.0.1"}));
    // any column reverses the direction: now descending by remark, letters folded
    emit header->sectionClicked(4);
    QCOMPARE(MainForm->SortColumn(), 4);
    QCOMPARE(Column(4), (QStringList{"C", "b", "a"}));
}

void MainFormTest::spaceSelectsTheActiveEntry() {
    GuiMachine m;
    m.AddStatic("LAN", "192.168.1.20");
    m.WriteAddressFile({"10.0.0.5,255.0.0.0, ,LAN,lab", "192.168.1.20,255.255.255.0, ,LAN,office"});
    m.Start();
    List()->setCurrentItem(List()->topLevelItem(0));
    QCOMPARE(SelectedRow(), 0);
    QTest::keyClick(List(), Qt::Key_Space);
    QCOMPARE(SelectedRow(), 1);
    QVERIFY(MainForm->isVisible());
}

void MainFormTest::escapeEndsWithoutWritingTheFile() {
    GuiMachine m;
    m.AddStatic("LAN", "192.168.1.20");
    const ConfigLines stored = {"192.168.1.20,255.255.255.0, ,LAN,office"};
    m.WriteAddressFile(stored);
    m.Start();
    MainForm->Lines().push_back("10.0.0.5,255.0.0.0, ,LAN,unsaved");
    QTest::keyClick(List(), Qt::Key_Escape);
    QVERIFY(!MainForm->isVisible());
    QVERIFY(m.App().Terminated());
    QFile file(m.Path("ipfile.csv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().toStdString(), AddressFileText(stored));
}

void MainFormTest::hideEnabling_data() {
    QTest::addColumn<int>("connections");
    QTest::addColumn<int>("hidden");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("enabled");
    // rows are of connections A, B, C in that order; hidden ones are not shown
    QTest::newRow("one connection") << 1 << 0 << 0 << false;
    QTest::newRow("two, none hidden") << 2 << 0 << 0 << true;
    QTest::newRow("two, one hidden: the last visible") << 2 << 1 << 0 << false;
    QTest::newRow("three, one hidden") << 3 << 1 << 0 << true;
    QTest::newRow("no row selected") << 3 << 0 << -1 << false;
}

void MainFormTest::hideEnabling() {
    QFETCH(int, connections);
    QFETCH(int, hidden);
    QFETCH(int, row);
    QFETCH(bool, enabled);
    GuiMachine m;
    const char* names[] = {"Alpha", "Beta", "Gamma"};
    std::vector<std::string> records, hide;
    for (int i = 0; i < connections; ++i) {
        const std::string address = "10.0." + std::to_string(i) + ".5";
        m.AddStatic(names[i], address);
        records.push_back(address + ",255.255.255.0, ," + names[i] + ",r");
    }
    for (int i = 0; i < hidden; ++i)
        hide.push_back(std::string(names[connections - 1 - i]) + " (" + names[connections - 1 - i] +
                       " adapter)");
    if (!hide.empty())
        m.StoreHidden(hide);
    m.WriteAddressFile(records);
    m.Start();
    if (row < 0)
        List()->setCurrentItem(nullptr);
    else
        List()->setCurrentItem(List()->topLevelItem(row));
    MainForm->PopupMenu1Popup();
    if (row >= 0)
        QVERIFY(MainForm->ui->acGo->isEnabled());
    QCOMPARE(MainForm->ui->acHide->isEnabled(), enabled);

    if (enabled) { // and hiding from that row leaves the connection out
        MainForm->acHideExecute();
        QCOMPARE(MainForm->HiddenCount(), hidden + 1);
    }
}

void MainFormTest::goEnabling_data() {
    QTest::addColumn<QStringList>("hostAddresses");
    QTest::addColumn<QString>("connection");
    QTest::addColumn<bool>("onSelect");
    QTest::addColumn<bool>("onPopup");
    QTest::newRow("present") << QStringList{"192.168.1.20"} << "LAN" << true << true;
    QTest::newRow("connection not on this machine")
        << QStringList{"192.168.1.20"} << "Gone" << false << false;
    QTest::newRow("no host address") << QStringList{} << "LAN" << true << false;
}

void MainFormTest::goEnabling() {
    QFETCH(QStringList, hostAddresses);
    QFETCH(QString, connection);
    QFETCH(bool, onSelect);
    QFETCH(bool, onPopup);
    GuiMachine m;
    m.AddStatic("LAN", "192.168.1.20");
    std::vector<std::string> hosts;
    for (const auto& a : hostAddresses)
        hosts.push_back(a.toStdString());
    m.platform.machine.SetHost("simhost", hosts);
    m.WriteAddressFile({"10.0.0.5,255.0.0.0, ," + connection.toStdString() + ",r"});
    m.Start();
    List()->clearSelection();
    List()->topLevelItem(0)->setSelected(true);
    QCOMPARE(MainForm->ui->acGo->isEnabled(), onSelect);
    MainForm->PopupMenu1Popup();
    QCOMPARE(MainForm->ui->acGo->isEnabled(), onPopup);
}

void MainFormTest::clickOnEmptyAreaKeepsTheFocusedRow() {
    GuiMachine m;
    m.AddStatic("LAN", "192.168.1.20");
    m.WriteAddressFile({"10.0.0.5,255.0.0.0, ,LAN,a", "172.16.0.6,255.255.0.0, ,LAN,b"});
    m.Start();
    MainForm->resize(793, 398);
    List()->setCurrentItem(List()->topLevelItem(1));
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                      QPoint(10, List()->viewport()->height() - 5));
    QCoreApplication::processEvents();
    QCOMPARE(SelectedRow(), 1);
}

void MainFormTest::recordOfItemUnderOneIpPerNetwork() {
    GuiMachine m;
    m.AddStatic("LAN", "192.168.1.20");
    m.StoreDword(settings_names::kAllowMultipleAddresses, 1);
    m.WriteAddressFile({"192.168.1.20,255.255.255.0,192.168.1.1,LAN,first,dns1,wins1",
                        "192.168.1.21,255.255.255.0,192.168.1.1,LAN,second,dns2,wins2"});
    m.Start();
    QCOMPARE(*MainForm->RecordOfItem(List()->topLevelItem(1)),
             std::string("192.168.1.21,255.255.255.0,192.168.1.1,LAN,second,dns2,wins2"));
    ToolSettings().SetChecked(SettingsOption::cbMultipleIP, false);
    QCOMPARE(*MainForm->RecordOfItem(List()->topLevelItem(1)),
             std::string("192.168.1.20,255.255.255.0,192.168.1.1,LAN,first,dns1,wins1"));
}

void MainFormTest::defaultColumns() {
    GuiMachine m;
    m.AddStatic("LAN", "192.168.1.20");
    m.StoreColumnOrder(
        "51234", {"Remarks", "IP Address", "Network Mask", "Default Router", "Interface Name"});
    m.WriteAddressFile({"192.168.1.20,255.255.255.0, ,LAN,office"});
    m.Start();
    MainForm->acDefaultWidthExecute();
    const int widths[] = {95, 95, 95, 160, 230};
    for (int i = 0; i < kColumnCount; ++i) {
        QCOMPARE(List()->columnWidth(i), widths[i]);
        QCOMPARE(Caption(i), QString::fromUtf8(kDefaultColumnCaptions[std::size_t(i)].data(),
                                               kDefaultColumnCaptions[std::size_t(i)].size()));
    }
    QCOMPARE(Column(0), QStringList{"192.168.1.20"});
    QCOMPARE(SelectedRow(), 0);
    QCOMPARE(ToolSettings().ColumnOrder, std::string("12345"));
    QCOMPARE(StoredText(m, settings_names::kColumnOrder), std::optional<std::string>("12345"));
    QCOMPARE(StoredText(m, settings_names::Caption(0)), std::optional<std::string>("IP Address"));
    QVERIFY(m.dialogs.messages.empty());
}

void MainFormTest::defaultColumnsStopsWhenTheSettingsCannotBeWritten() {
    GuiMachine m;
    m.AddStatic("LAN", "192.168.1.20");
    m.StoreColumnOrder(
        "51234", {"Remarks", "IP Address", "Network Mask", "Default Router", "Interface Name"});
    m.Start();
    m.dialogs.Clear();
    m.store.FailWrite("C0");
    MainForm->acDefaultWidthExecute();
    QCOMPARE(m.dialogs.Texts(), std::vector<std::string>{"Failed to set data for 'C0'"});
    QCOMPARE(m.dialogs.messages[0].title, std::string("Corvane"));
    QCOMPARE(ToolSettings().ColumnOrder, std::string("51234")); // later steps not run
}

void MainFormTest::updateTimerFollowsTheAddresses() {
    GuiMachine m;
    m.AddStatic("LAN", "192.168.1.20");
    m.WriteAddressFile({"192.168.1.20,255.255.255.0, ,LAN,office"});
    m.Start();
    const int reads = m.platform.machine.Calls(SimMachine::Op::GetAdaptersInfo);
    MainForm->tUpdateTimerTimer(); // the first tick always refreshes
    QCOMPARE(m.platform.machine.Calls(SimMachine::Op::GetAdaptersInfo), reads + 1);
    MainForm->tUpdateTimerTimer(); // nothing changed
    QCOMPARE(m.platform.machine.Calls(SimMachine::Op::GetAdaptersInfo), reads + 1);

    m.platform.machine.SetHost("simhost", {"127.0.0.1"});
    MainForm->tUpdateTimerTimer();
    QVERIFY(!MainForm->ui->acGo->isEnabled());
    QVERIFY(!MainForm->ui->acPing->isEnabled());
    QVERIFY(!MainForm->ui->acLookup->isEnabled());
    QCOMPARE(MainForm->sbStatusBarPanel2Colour(), QColor(255, 0, 0));

    // a failing adapter read turns automatic checking off
    m.platform.machine.SetHost("simhost", {"192.168.1.20"});
    m.platform.machine.Fail(SimMachine::Op::GetAdaptersInfo, 31);
    ToolSettings().SetChecked(SettingsOption::cbAutoUpdate, true);
    MainForm->tUpdateTimer->start();
    MainForm->tUpdateTimerTimer();
    QVERIFY(MainForm->ui->acGo->isEnabled());
    QVERIFY(!MainForm->tUpdateTimer->isActive());
    QVERIFY(!ToolSettings().Checked(SettingsOption::cbAutoUpdate));
}

void MainFormTest::helpContexts() {
    GuiMachine m;
    m.AddStatic("LAN", "192.168.1.20");
    m.Start();
    MainForm->ui->acHelp->trigger();
    QTest::keyClick(MainForm->PopupMenu1, Qt::Key_F1);
    QTest::keyClick(SetupForm, Qt::Key_F1);
    QCOMPARE(m.dialogs.helps,
             (std::vector<std::pair<std::string, int>>{
                 {"corvane.hlp", 1000}, {"corvane.hlp", 4000}, {"corvane.hlp", 3000}}));
}

QTEST_MAIN(MainFormTest)
#include "tst_main_form.moc"
