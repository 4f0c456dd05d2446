#include <QtTest>

#include <ctime>
#include <map>

#include "core/setup/settings.h"
#include "gui/app/dhcp_wait_form.h"
#include "gui/app/main_form.h"
#include "gui/setup/setup_form.h"
#include "support/gui_machine.h"
#include "ui_setup_form.h"

using namespace corvane;
using namespace corvane::gui;
using namespace corvane::gui::test;
using Op = SimMachine::Op;
using Adapter = SimMachine::Adapter;
Q_DECLARE_METATYPE(Adapter)

namespace {

// The program started on a simulated machine, with the tools window's APIPA
// switches and renews recorded instead of reaching the system.
struct Tools {
    GuiMachine m;
    SimMachine& machine = m.platform.machine;
    std::map<std::string, bool> apipa; // absent: enabled
    QStringList writes;                // "adapter=0/1", in order
    std::vector<std::uint32_t> renewed;

    explicit Tools(int connections = 1) {
        for (int i = 1; i <= connections; ++i)
            m.AddStatic("LAN" + std::to_string(i), "10.0.0." + std::to_string(i));
    }
    void Start() {
        m.Start();
        SetupCalls& calls = SetupForm->calls;
        calls.ReadApipaSetting = [this](const std::string& n) {
            return !apipa.count(n) || apipa[n];
        };
        calls.WriteApipaSetting = [this](const std::string& n, bool on) {
            writes << QString::fromStdString(n) + (on ? "=1" : "=0");
            apipa[n] = on;
        };
        calls.RenewAdapterAddress = [this](std::uint32_t index, auto&, auto& processMessages) {
            renewed.push_back(index);
            processMessages();
        };
        m.dialogs.Clear();
    }
    void Show() {
        Start();
        SetupForm->show();
    }
    Ui::TSetupForm& ui() { return *SetupForm->ui; }
    QString Texts() { // the messages shown, joined by "|"
        QStringList texts;
        for (const auto& text : m.dialogs.Texts())
            texts << QString::fromStdString(text);
        return texts.join('|');
    }
    QString Stored(std::string_view name) {
        auto value = m.store.Get(settings_names::kKey, name);
        if (value && value->type == store_tree::kDword)
            return QString::number(static_cast<unsigned char>(value->data[0]));
        return value ? QString::fromStdString(value->data) : QString();
    }
};

// Check marks of a list as "1" and "0".
QString Checks(const QListWidget* list) {
    QString marks;
    for (int i = 0; i < list->count(); ++i)
        marks += list->item(i)->checkState() == Qt::Checked ? '1' : '0';
    return marks;
}

void Flatten(const QTreeWidgetItem* item, int depth, QStringList& out) {
    out << QString(depth * 2, ' ') + item->text(0) + " [" +
               item->data(0, TSetupForm::kImageRole).toString() + "]";
    for (int i = 0; i < item->childCount(); ++i)
        Flatten(item->child(i), depth + 1, out);
}

} // namespace

class SetupFormTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        qputenv("TZ", "UTC");
        tzset();
    }

    void treeTextsAndImages_data() {
        QTest::addColumn<Adapter>("adapter");
        QTest::addColumn<QStringList>("tree");
        // clang-format off
        QTest::newRow("named, static")
            << Adapter{.name = "{A1}", .description = " Fast Ethernet\t", .connection = "LAN",
                       .index = 3, .mac = {0x00, 0x0c, 0x29, 0xab, 0xcd, 0xef}, .ip = "10.0.0.5",
                       .mask = "255.0.0.0", .gateway = "10.0.0.1", .dns = {"10.0.0.53", "", "10.0.0.54"},
                       .autoconfig = false}
            << QStringList{"Fast Ethernet [0]", "  Connection Name: LAN [2]", "  GUID: {A1} [2]",
                           "  Index: 0x3 [2]", "  Media Type: Ethernet [2]", "  MAC: 00-0C-29-AB-CD-EF [2]",
                           "  IP Address: 10.0.0.5 [2]", "  IP Mask: 255.0.0.0 [2]",
                           "  APIPA status: disabled [2]", "  Gateway: 10.0.0.1 [2]", "  DNS [3]",
                           "    DNS Server: 10.0.0.53 [3]", "    DNS Server:  [3]", "    DNS Server: 10.0.0.54 [3]"};
        QTest::newRow("no connection name")
            << Adapter{.name = "lo", .description = "Loopback", .index = 9, .type = 24,
                       .ip = "127.0.0.1", .mask = "255.0.0.0"}
            << QStringList{"Loopback [1]", "  Connection Name: none [2]", "  GUID: lo [2]", "  Index: 0x9 [2]",
                           "  Media Type: Loopback [2]", "  MAC: 00-0C-29-00-00-00 [2]",
                           "  IP Address: 127.0.0.1 [2]", "  IP Mask: 255.0.0.0 [2]", "  Gateway: none [2]"};
        QTest::newRow("no address, DHCP, WINS")
            << Adapter{.name = "{W}", .description = "Air", .connection = "Wireless", .index = 0x1A,
                       .type = 71, .dhcp = true, .dhcpServer = "10.1.0.1", .leaseObtained = 1078495620,
                       .leaseExpires = 1078754820, .primaryWins = "10.1.0.2"}
            << QStringList{"Air [4]", "  Connection Name: Wireless [2]", "  GUID: {W} [2]", "  Index: 0x1A [2]",
                           "  Media Type: Other [2]", "  MAC: 00-0C-29-00-00-00 [2]", "  IP Address: 0.0.0.0 [2]",
                           "  IP Mask: 0.0.0.0 [2]", "  APIPA status: unknown [2]", "  Gateway: none [2]",
                           "  DHCP [3]", "    DHCP Server: 10.1.0.1 [2]", "    Lease Obtained: 05.03.04 14:07 [2]",
                           "    Lease Expires: 08.03.04 14:07 [2]", "  WINS [3]",
                           "    Primary WINS Server: 10.1.0.2 [3]", "    Secondary WINS Server:  [3]"};
        // clang-format on
    }
    void treeTextsAndImages() {
        QFETCH(Adapter, adapter);
        QFETCH(QStringList, tree);
        Tools t;
        t.machine.AddAdapter(adapter);
        t.Start();
        SetupForm->btnRefreshClick();
        QCOMPARE(t.ui().tvInfo->topLevelItemCount(), 2);
        QStringList shown;
        Flatten(t.ui().tvInfo->topLevelItem(1), 0, shown);
        QCOMPARE(shown, tree);
        QCOMPARE(t.ui().lbAPIPA->count(), adapter.connection.empty() ? 1 : 2);
        QCOMPARE(t.ui().lbHideInterface->count(), t.ui().lbAPIPA->count());
        QCOMPARE(SetupForm->AdapterSummaries().size(), std::size_t(2));
    }

    void refreshFailures_data() {
        QTest::addColumn<QString>("refreshes"); // S good, A adapter query fails,
        QTest::addColumn<QString>("shown");     // P per-adapter query fails, U query unbound
        QTest::addColumn<int>("adapters");
        QTest::addColumn<QString>("lastText");
        const QString text = "Something didn't work..: Device not working.\r\n";
        QTest::newRow("adapter query failing every tick") << "AAA"
                                                          << "111" << 0 << text;
        QTest::newRow("a success re-arms the report") << "AASA"
                                                      << "1112" << 0 << text;
        QTest::newRow("first failure after success") << "SA"
                                                     << "01" << 0 << text;
        QTest::newRow("per-adapter query, every time") << "PP"
                                                       << "12" << 1 << text;
        QTest::newRow("query unbound") << "U"
                                       << "1" << 0 << "Couldn't read adapter info.";
    }
    void refreshFailures() {
        QFETCH(QString, refreshes);
        QFETCH(QString, shown);
        QFETCH(int, adapters);
        QFETCH(QString, lastText);
        Tools t(2);
        t.Start();
        t.machine.SetErrorText(31, "Device not working.\r\n");
        QString counts;
        for (QChar step : refreshes) {
            t.machine.Heal(Op::GetAdaptersInfo);
            t.machine.Heal(Op::GetPerAdapterInfo);
            t.machine.state.bindingReport = step == 'U' ? std::uint32_t(kBindGetAdaptersInfo) : 0u;
            if (step == 'A' || step == 'P')
                t.machine.Fail(step == 'A' ? Op::GetAdaptersInfo : Op::GetPerAdapterInfo, 31);
            SetupForm->btnRefreshClick();
            QCOMPARE(SetupForm->AdapterReadFailed(), step != 'S');
            QVERIFY(SetupForm->RefreshEnabled());
            counts += QString::number(t.m.dialogs.messages.size());
        }
        QCOMPARE(counts, shown);
        QCOMPARE(t.Texts().split('|').last(), lastText);
        QCOMPARE(t.m.dialogs.messages.back().title, std::string("Error"));
        QCOMPARE(t.m.dialogs.messages.back().icon, MessageIcon::Error);
        QCOMPARE(t.ui().tvInfo->topLevelItemCount(), adapters);
        QCOMPARE(static_cast<int>(SetupForm->AdapterSummaries().size()), adapters);
    }

    void hideListRules_data() {
        QTest::addColumn<int>("connections");
        QTest::addColumn<QString>("stored"); // check marks before
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("refused");
        QTest::newRow("check the last visible") << 2 << "10"
                                                << "check 1"
                                                << "10" << true;
        QTest::newRow("check one of three") << 3 << "100"
                                            << "check 1"
                                            << "110" << false;
        QTest::newRow("double click the last visible") << 3 << "101"
                                                       << "dbl 1"
                                                       << "101" << true;
        QTest::newRow("double click a hidden one") << 2 << "10"
                                                   << "dbl 0"
                                                   << "00" << false;
        QTest::newRow("uncheck all") << 3 << "110"
                                     << "uncheck 0"
                                     << "000" << false;
        QTest::newRow("one connection: list disabled") << 1 << "0"
                                                       << "none 0"
                                                       << "0" << false;
    }
    void hideListRules() {
        QFETCH(int, connections);
        QFETCH(QString, stored);
        QFETCH(QString, action);
        QFETCH(QString, after);
        QFETCH(bool, refused);
        Tools t(connections);
        std::vector<std::string> hidden;
        for (int i = 0; i < connections; ++i)
            if (stored[i] == '1')
                hidden.push_back("LAN" + std::to_string(i + 1) + " (LAN" + std::to_string(i + 1) +
                                 " adapter)");
        t.m.StoreHidden(hidden);
        t.Show();
        QListWidget* list = t.ui().lbHideInterface;
        QCOMPARE(list->isEnabled(), connections > 1);
        QCOMPARE(t.ui().IfListFrame->isEnabled(), connections > 1);
        QCOMPARE(Checks(list), stored);
        const int entry = action.split(' ')[1].toInt();
        if (action.startsWith("check")) {
            list->item(entry)->setCheckState(Qt::Checked);
        } else if (action.startsWith("dbl")) {
            list->setCurrentRow(entry);
            emit list->itemDoubleClicked(list->item(entry));
        } else if (action.startsWith("uncheck")) {
            SetupForm->Unchekallinterfaces1->trigger();
        }
        QCOMPARE(t.Texts(), refused ? "At least one interface must remain enabled." : "");
        if (refused)
            QCOMPARE(t.m.dialogs.messages[0].title, std::string("Hide interfaces"));
        QCOMPARE(Checks(list), after);
        QString model;
        for (const auto& e : SetupForm->settings().lbHideInterface)
            model += e.checked ? '1' : '0';
        QCOMPARE(model, after);
    }

    void columnOrderMoves_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("moves"); // u Up, d Down, D Default Order
        QTest::addColumn<QString>("order"); // first letters of the captions
        QTest::addColumn<int>("selectedAfter");
        QTest::newRow("up on the first") << 0 << "u"
                                         << "INDIR" << 0;
        QTest::newRow("down on the last") << 4 << "d"
                                          << "INDIR" << 4;
        QTest::newRow("nothing selected") << -1 << "ud"
                                          << "INDIR" << -1;
        QTest::newRow("up on Network Mask") << 1 << "u"
                                            << "NIDIR" << 0;
        QTest::newRow("down twice") << 0 << "dd"
                                    << "NDIIR" << 2;
        QTest::newRow("default after moves") << 3 << "uuD"
                                             << "INDIR" << 1;
    }
    void columnOrderMoves() {
        QFETCH(int, selected);
        QFETCH(QString, moves);
        QFETCH(QString, order);
        QFETCH(int, selectedAfter);
        Tools t;
        t.Show();
        QListWidget* list = t.ui().lbColumnOrder;
        QCOMPARE(list->currentRow(), 0); // showing the page selects the first
        list->setCurrentRow(selected);
        for (QChar move : moves)
            (move == 'u'   ? t.ui().sbtnUp
             : move == 'd' ? t.ui().sbtnDown
                           : static_cast<QAbstractButton*>(t.ui().btnDefault))
                ->click();
        QString initials;
        for (int i = 0; i < list->count(); ++i)
            initials += list->item(i)->text()[0];
        QCOMPARE(initials, order);
        QCOMPARE(list->currentRow(), selectedAfter);
        QCOMPARE(SetupForm->settings().ColumnOrder, std::string("12345")); // follows on Ok only
    }

    void closingResult_data() {
        QTest::addColumn<QString>("close");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("inMemory");
        QTest::addColumn<QString>("firstCaption");
        QTest::addColumn<QString>("apipaWrites");
        const QString both = "{ADAPTER-1}=1 {ADAPTER-2}=1";
        QTest::newRow("Ok") << "ok"
                            << "21345"
                            << "21345"
                            << "Network Mask" << both;
        QTest::newRow("Cancel") << "cancel"
                                << "12345"
                                << "12345"
                                << "IP Address"
                                << "";
        QTest::newRow("Enter in a keyed control") << "enter"
                                                  << "21345"
                                                  << "12345"
                                                  << "Network Mask"
                                                  << "";
        QTest::newRow("Esc in a keyed control") << "esc"
                                                << "12345"
                                                << "12345"
                                                << "IP Address"
                                                << "";
        QTest::newRow("Esc elsewhere") << "escape"
                                       << "12345"
                                       << "12345"
                                       << "IP Address"
                                       << "";
    }
    // The main window's Tools command with the window closed in different ways.
    void closingResult() {
        QFETCH(QString, close);
        QFETCH(QString, stored);
        QFETCH(QString, inMemory);
        QFETCH(QString, firstCaption);
        QFETCH(QString, apipaWrites);
        Tools t(2);
        t.Start();
        t.m.dialogs.onModal = [&](QDialog& window) {
            window.show();
            t.ui().lbColumnOrder->setCurrentRow(1);
            t.ui().sbtnUp->click();
            if (close == "ok")
                t.ui().btnOk->click();
            else if (close == "cancel")
                t.ui().btnCancel->click();
            else if (close == "escape")
                QTest::keyClick(t.ui().lbColumnOrder, Qt::Key_Escape);
            else
                QTest::keyClick(t.ui().lbHideInterface,
                                close == "enter" ? Qt::Key_Return : Qt::Key_Escape);
            return window.result();
        };
        MainForm->acSetupExecute();
        QVERIFY(!SetupForm->isVisible());
        QCOMPARE(t.Stored(settings_names::kColumnOrder), stored);
        QCOMPARE(QString::fromStdString(SetupForm->settings().ColumnOrder), inMemory);
        QCOMPARE(t.ui().lbColumnOrder->item(0)->text(), firstCaption);
        QCOMPARE(t.writes.join(' '), apipaWrites);
    }

    void refusedSaveKeepsColumnsConsistent() {
        Tools t;
        t.Show();
        t.m.store.FailWrite("Auto Network Check");
        t.ui().lbColumnOrder->setCurrentRow(4);
        t.ui().sbtnUp->click();
        t.ui().btnOk->click();
        QCOMPARE(t.Texts(), "Failed to set data for 'Auto Network Check'");
        QCOMPARE(SetupForm->result(), int(QDialog::Accepted));
        QCOMPARE(SetupForm->settings().ColumnOrder, std::string("12354"));
    }

    void loadedOptionsRunClickHandlers_data() {
        QTest::addColumn<int>("dontClose");
        QTest::addColumn<int>("minimize");
        QTest::addColumn<int>("hints");
        QTest::newRow("minimize checked but disabled") << 0 << 1 << 1;
        QTest::newRow("minimize enabled") << 1 << 0 << 1;
        QTest::newRow("hints off") << 1 << 1 << 0;
    }
    void loadedOptionsRunClickHandlers() {
        QFETCH(int, dontClose);
        QFETCH(int, minimize);
        QFETCH(int, hints);
        Tools t;
        t.m.StoreDword(settings_names::kDoNotClose, dontClose);
        t.m.StoreDword(settings_names::kMinimize, minimize);
        t.m.StoreDword(settings_names::kEnableHints, hints);
        t.Start();
        Ui::TSetupForm& ui = t.ui();
        QCOMPARE(ui.DontCloseCheckBox->isChecked(), dontClose == 1);
        QCOMPARE(ui.cbMinimize->isChecked(), minimize == 1);
        QCOMPARE(ui.cbMinimize->isEnabled(), dontClose == 1);
        QCOMPARE(ui.cbEnableHints->isChecked(), hints == 1);
        QCOMPARE(Application->ShowHint(), hints == 1);
        // The user's click runs the same handler, and cbMinimize keeps its mark.
        ui.DontCloseCheckBox->click();
        QCOMPARE(ui.cbMinimize->isEnabled(), dontClose == 0);
        QCOMPARE(ui.cbMinimize->isChecked(), minimize == 1);
        // The main window's changes show in the window.
        SetupForm->settings().SetChecked(SettingsOption::cbAutoUpdate, true);
        QVERIFY(ui.cbAutoUpdate->isChecked());
    }

    void apipaPendingChanges_data() {
        QTest::addColumn<QString>("steps");   // x uncheck entry 0, p change page, r refresh,
        QTest::addColumn<QString>("answers"); // a Apply, o Ok, c Cancel
        QTest::addColumn<int>("questions");
        QTest::addColumn<QString>("writes");
        QTest::addColumn<QString>("checks");
        QTest::addColumn<bool>("applyEnabled");
        const QString first0 = "{ADAPTER-1}=0 {ADAPTER-2}=1";
        const QString both1 = "{ADAPTER-1}=1 {ADAPTER-2}=1";
        // clang-format off
        QTest::newRow("leave, Yes") << "xp" << "Y" << 1 << first0 << "01" << true;
        QTest::newRow("leave, Yes, asked again") << "xpppp" << "YN" << 2 << first0 << "01" << false;
        QTest::newRow("leave, No, no second question") << "xpppp" << "N" << 1 << "" << "01" << false;
        QTest::newRow("Apply") << "xa" << "" << 0 << first0 << "01" << false;
        QTest::newRow("Ok without changes") << "o" << "" << 0 << both1 << "11" << false;
        QTest::newRow("Cancel") << "xc" << "" << 0 << "" << "01" << false;
        QTest::newRow("refresh, Yes") << "xr" << "Y" << 1 << first0 << "01" << false;
        QTest::newRow("refresh, No: marks reloaded") << "xr" << "N" << 1 << "" << "11" << false;
        // clang-format on
    }
    void apipaPendingChanges() {
        QFETCH(QString, steps);
        QFETCH(QString, answers);
        QFETCH(int, questions);
        QFETCH(QString, writes);
        QFETCH(QString, checks);
        QFETCH(bool, applyEnabled);
        Tools t(2);
        t.Show();
        for (QChar a : answers)
            t.m.dialogs.answers.push_back(a == 'Y' ? MessageResult::Yes : MessageResult::No);
        Ui::TSetupForm& ui = t.ui();
        ui.pctrlSetup->setCurrentIndex(1);
        for (QChar step : steps) {
            if (step == 'x')
                ui.lbAPIPA->item(0)->setCheckState(Qt::Unchecked);
            else if (step == 'p')
                ui.pctrlSetup->setCurrentIndex(ui.pctrlSetup->currentIndex() == 1 ? 2 : 1);
            else if (step == 'r')
                SetupForm->btnRefreshClick();
            else
                (step == 'a' ? ui.btnApply : step == 'o' ? ui.btnOk : ui.btnCancel)->click();
        }
        QCOMPARE(t.Texts(), QStringList(questions, "Apply APIPA changes?").join('|'));
        for (const Message& question : t.m.dialogs.messages) {
            QCOMPARE(question.title, std::string("Corvane Setup"));
            QCOMPARE(question.buttons, MessageButtons::YesNo);
        }
        QCOMPARE(t.writes.join(' '), writes);
        QCOMPARE(Checks(ui.lbAPIPA), checks);
        QCOMPARE(ui.btnApply->isEnabled(), applyEnabled);
    }

    void helpContexts_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("widget"); // F1 pressed in; empty: the Help button
        QTest::addColumn<int>("context");
        for (int page = 0; page < 5; ++page)
            QTest::addRow("Help on page %d", page) << page << "" << 3000 + 100 * page;
        QTest::newRow("F1 in the hide list") << 0 << "lbHideInterface" << 3010;
        QTest::newRow("F1 in an option") << 0 << "cbMinimize" << 3000;
        QTest::newRow("F1 in the route list") << 4 << "lvFwTable" << 3400;
        QTest::newRow("F1 on Ok, page Interfaces") << 3 << "btnOk" << 3300;
    }
    void helpContexts() {
        QFETCH(int, page);
        QFETCH(QString, widget);
        QFETCH(int, context);
        Tools t(2);
        t.Show();
        t.ui().pctrlSetup->setCurrentIndex(page);
        if (widget.isEmpty())
            t.ui().btnHelp->click();
        else
            QTest::keyClick(SetupForm->findChild<QWidget*>(widget), Qt::Key_F1);
        using Help = std::pair<std::string, int>;
        QCOMPARE(t.m.dialogs.helps, std::vector<Help>{Help("corvane.hlp", context)});
    }

    void refreshButtonFollowsPage_data() {
        QTest::addColumn<QList<int>>("pages");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QString>("hint");
        // clang-format off
        QTest::newRow("Setup") << QList<int>{2, 0} << true << "Refresh installed NIC list";
        QTest::newRow("APIPA keeps the hint") << QList<int>{4, 1} << false << "Refresh IP routes";
        QTest::newRow("IP Settings") << QList<int>{2} << true << "Refresh interface IP parameters";
        QTest::newRow("Interfaces") << QList<int>{3} << true << "Refresh physical interface status";
        QTest::newRow("back from APIPA") << QList<int>{1, 4} << true << "Refresh IP routes";
        // clang-format on
    }
    void refreshButtonFollowsPage() {
        QFETCH(QList<int>, pages);
        QFETCH(bool, visible);
        QFETCH(QString, hint);
        Tools t;
        t.Show();
        for (int page : pages)
            t.ui().pctrlSetup->setCurrentIndex(page);
        QCOMPARE(t.ui().btnRefresh->isVisible(), visible);
        QCOMPARE(t.ui().btnRefresh->toolTip(), hint);
        QCOMPARE(t.ui().btnRefresh->statusTip(), hint);
    }

    void renewIpEnabling_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("select");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("operational Ethernet") << 6 << 5 << true << true;
        QTest::newRow("loopback") << 24 << 5 << true << false;
        QTest::newRow("status 7 (empty text)") << 6 << 7 << true << false;
        QTest::newRow("connected") << 6 << 4 << true << false;
        QTest::newRow("no row selected") << 6 << 5 << false << false;
    }
    void renewIpEnabling() {
        QFETCH(int, type);
        QFETCH(int, status);
        QFETCH(bool, select);
        QFETCH(bool, enabled);
        Tools t(0);
        t.machine.AddAdapter({.connection = "LAN",
                              .type = std::uint32_t(type),
                              .ip = "10.0.0.5",
                              .operStatus = std::uint32_t(status)});
        t.Show();
        QCOMPARE(t.ui().lvIfTable->rowCount(), 1);
        if (select)
            t.ui().lvIfTable->selectRow(0);
        SetupForm->pmIfMenuPopup();
        QCOMPARE(SetupForm->RenewIP1->isEnabled(), enabled);
    }

    void renewIpKeepsStoredHiddenConnections() {
        Tools t(0);
        t.machine.AddAdapter({.description = "A", .connection = "LAN1", .index = 0x1A});
        t.machine.AddAdapter({.description = "B", .connection = "LAN2"});
        t.m.StoreHidden({"LAN2 (B)"});
        t.Show();
        const int reads = t.machine.Calls(Op::GetAdaptersInfo);
        t.ui().lvIfTable->selectRow(0);
        SetupForm->RenewIP1->trigger();
        QCOMPARE(t.renewed, std::vector<std::uint32_t>{0x1A});
        QCOMPARE(t.machine.Calls(Op::GetAdaptersInfo), reads + 1);
        QVERIFY(!DHCPWaitForm->isVisible());
        QCOMPARE(Checks(t.ui().lbHideInterface), "01");
        t.ui().btnOk->click();
        QCOMPARE(t.Stored(settings_names::kHiddenInterfaces), "1");
    }

    void tableFailures_data() {
        QTest::addColumn<int>("failure"); // 0 interface read, 1 route read, 2/3 either unbound
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::newRow("interface read fails: rows kept") << 0 << ""
                                                         << "";
        QTest::newRow("route read fails") << 1 << "GetFwTable failed."
                                          << "Corvane";
        QTest::newRow("interface table unbound") << 2 << "Couldn't read I/F table."
                                                 << "Error";
        QTest::newRow("route table unbound") << 3 << ""
                                             << "";
    }
    void tableFailures() {
        QFETCH(int, failure);
        QFETCH(QString, message);
        QFETCH(QString, title);
        Tools t;
        t.machine.AddRoute("192.168.1.0", "255.255.255.0", "0.0.0.0", 1, 10);
        t.Show();
        QStringList route;
        for (int c = 0; c < 5; ++c)
            route << t.ui().lvFwTable->item(0, c)->text();
        QCOMPARE(route.join(' '), "192.168.1.0 255.255.255.0 0.0.0.0 0x1 10");
        QCOMPARE(t.ui().lvIfTable->item(0, 4)->text(), "operational");
        t.machine.state.ifRows.clear();
        t.machine.state.routes.clear();
        const Op ops[] = {Op::GetIfTable, Op::GetIpForwardTable};
        if (failure < 2)
            t.machine.Fail(ops[failure], 5);
        else
            t.machine.state.bindingReport = failure == 2 ? kBindGetIfTable : kBindGetIpForwardTable;
        SetupForm->btnRefreshClick();
        QCOMPARE(t.ui().lvIfTable->rowCount(), failure == 0 || failure == 2 ? 1 : 0);
        QCOMPARE(t.ui().lvFwTable->rowCount(), failure == 1 || failure == 3 ? 1 : 0);
        QCOMPARE(t.Texts(), message);
        if (!message.isEmpty())
            QCOMPARE(QString::fromStdString(t.m.dialogs.messages[0].title), title);
    }
};

QTEST_MAIN(SetupFormTest)
#include "tst_setup_form.moc"
