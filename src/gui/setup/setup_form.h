#pragma once
#include <QDialog>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/setup/adapter_info.h"
#include "core/setup/settings.h"
#include "core/setup/tables.h"
#include "gui/dialogs.h"
#include "gui/setup/tools_window.h"

class QAction;
class QCheckBox;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QTableWidget;
class QTreeWidgetItem;

namespace Ui {
class TSetupForm;
}

namespace corvane {
struct Platform;
}

namespace corvane::gui {

// Logic the window calls but does not hold: the per-adapter APIPA switch and
// the DHCP release and renew. Whoever creates the window sets them; a member
// left empty behaves like a machine that keeps no APIPA switches (every
// adapter reads as enabled, writes go nowhere) and renews nothing.
struct SetupCalls {
    std::function<bool(const std::string& adapterName)> ReadApipaSetting;
    std::function<void(const std::string& adapterName, bool enabled)> WriteApipaSetting;
    // Reports its own failures through showMessage and runs processMessages
    // between the blocking steps.
    std::function<void(std::uint32_t index, const std::function<void(const Message&)>& showMessage,
                       const std::function<void()>& processMessages)>
        RenewAdapterAddress;
};

// The tools window: options, APIPA switches, adapter information, interface
// and route tables. It holds the settings and the adapter lists that the main
// window reads.
class TSetupForm : public QDialog, public ToolsWindow {
    Q_OBJECT
  public:
    TSetupForm(Platform& platform, Dialogs& dialogs, QWidget* parent = nullptr);
    ~TSetupForm() override;

    // ToolsWindow
    Settings& settings() override { return settings_; }
    const std::vector<std::string>& AdapterSummaries() const override { return summaries_; }
    bool AdapterReadFailed() const override { return adapterReadFailed_; }
    bool InitFailed() const override { return initFailed_; }
    std::string InitError() const override { return initError_; }
    bool RefreshEnabled() const override;
    void LoadSettings() override;
    void SaveSettings() override;
    void ShowFirstPage() override;
    void RenewAdapterAddress(std::uint32_t index) override;

    void setVisible(bool visible) override;

    // One per entry of lbAPIPA, in the same order.
    const std::vector<std::string>& AdapterNames() const { return adapterNames_; }

    SetupCalls calls;

    std::unique_ptr<Ui::TSetupForm> ui;
    QMenu* pmIfMenu;
    QAction* RenewIP1;
    QMenu* PopupMenu1;
    QAction* Unchekallinterfaces1;

    // Tree items carry their image number under this role.
    static constexpr int kImageRole = Qt::UserRole;

  public slots:
    void FormShow();
    void btnRefreshClick() override;
    void btnOkClick();
    void btnCancelClick();
    void btnHelpClick();
    void btnApplyClick();
    void btnDefaultClick();
    void sbtnUpClick();
    void sbtnDownClick();
    void tsOptionsShow();
    void pctrlSetupChanging(int leavingPage);
    void pctrlSetupChange();
    void lbHideInterfaceClickCheck(int entry);
    void lbHideInterfaceDblClick();
    void Unchekallinterfaces1Click();
    void DontCloseCheckBoxClick();
    void cbEnableHintsClick();
    void lbAPIPAClickCheck();
    void pmIfMenuPopup();
    void RenewIP1Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void RefreshAdapterInfo();
    void RefreshInterfaceTable();
    void RefreshRouteTable();
    void ShowError(std::uint32_t code);
    MessageResult Tell(const Message& message);
    void LoadApipaChecks();
    void ApplyApipaChanges();
    bool ConfirmApipaChanges();
    bool ReadApipaSetting(const std::string& adapterName) const;
    void WriteApipaSetting(const std::string& adapterName, bool enabled) const;
    // KeyHandler: Esc and Enter close the window without the buttons' handlers.
    bool KeyHandler(QKeyEvent* event);

    // The settings' lists and check boxes into the controls.
    void ShowHideList();
    void ShowColumnOrder(int selected);
    void ShowOptions();
    void ShowTree(const std::vector<TreeNode>& nodes);
    void ShowApipaList(const std::vector<std::string>& texts);
    void ShowTable(QTableWidget* table, const TableRefresh& result);
    QCheckBox* CheckBoxOf(SettingsOption box) const;
    void OnCheckChanged(SettingsOption box, bool checked);
    void FormatApipaText();

    Platform& platform_;
    Dialogs& dialogs_;
    std::unique_ptr<SettingsStore> fallbackStore_;
    Settings settings_;
    std::vector<std::string> summaries_;
    std::vector<std::string> adapterNames_;
    bool adapterReadFailed_ = false;
    bool initFailed_ = false;
    std::string initError_;
    int activePage_ = 0;
    bool settingChecks_ = false; // check marks set by the program, not the user
};

} // namespace corvane::gui
