#pragma once
#include <QMainWindow>

#include <memory>
#include <optional>
#include <string>

#include "core/app/list_view.h"
#include "core/app/records.h"
#include "core/setup/settings.h"

class QLabel;
class QMenu;
class QTimer;
class QTreeWidgetItem;

namespace Ui {
class TMainForm;
}

namespace corvane {
struct Platform;
}

namespace corvane::gui {

class Dialogs;
class ToolsWindow;
class StatusPanel;

// Process-wide state the windows share; reset when the application starts.
extern int HostAddressState;
extern std::string FirstHostAddress;
extern bool NetworksNotListed;
extern bool StickState;
extern ColumnWidths ColumnWidthCopy;
void ResetProcessState();

// The main window: the configuration list, its commands and the status bar.
class TMainForm : public QMainWindow {
    Q_OBJECT
  public:
    TMainForm(Platform& platform, Dialogs& dialogs, QWidget* parent = nullptr);
    ~TMainForm() override;

    void setVisible(bool visible) override;

    // The list and its helpers.
    void RefreshList();
    bool IsHiddenConnection(const std::string& name) const;
    int ColumnOfField(int field) const;
    std::string ItemRowText(int row) const;
    std::optional<std::string> RecordOfItem(const QTreeWidgetItem* item) const;
    bool SelectedConnectionPresent() const;
    void ApplyColumnCaptions();

    // Host address report and active entry.
    std::string UpdateHostAddress();
    bool SelectActiveEntry();

    // For the commands and for tests.
    ConfigLines& Lines() { return ConfigLines_; }
    const std::string& SystemDirectory() const { return SystemDirectory_; }
    QTreeWidgetItem* CurrentItem() const { return currentItem_; }
    int HiddenCount() const { return HiddenCount_; }
    int SortColumn() const { return SortColumn_; }
    bool SortDescending() const { return SortDescending_; }
    RowTexts RowOf(const QTreeWidgetItem* item) const;
    QColor sbStatusBarPanel2Colour() const;
    QString StatusPanelText(int panel) const;
    // Where the address file is read from and written to.
    std::string AddressFile = kAddressFileName;

    std::unique_ptr<Ui::TMainForm> ui;
    QMenu* PopupMenu1;
    QTimer* tUpdateTimer;

  public slots:
    // Start-up.
    void FormShow();
    // List view events.
    void lvIPClick();
    void lvIPSelectItem();
    void lvIPColumnClick(int column);
    void lvIPKeyPress(int character);
    void PopupMenu1Popup();
    void acDefaultWidthExecute();
    void tUpdateTimerTimer();
    // The commands that come with the list editing and "Go!".
    void acGoExecute();
    void acAddExecute();
    void acCopyExecute();
    void acEditExecute();
    void acDeleteExecute();
    void acHideExecute();
    void acRevealExecute();
    void acStickExecute();
    void acSetupExecute();
    void acHelpExecute();
    void acAboutExecute();
    void acExitExecute();
    void acLookupExecute();
    void acPingExecute();

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void FormCreate();
    void FormClose();
    void OfferNewConnections(const std::string& addresses);
    // Ends the program from a failed start-up check, before anything is saved.
    void AbortStartUp();
    void sbStatusBarDrawPanel(QPainter& canvas, const QRect& rect);
    void SetStatusPanel(int panel, const QString& text);
    void BindActions();
    void BuildPopupMenu();
    void BuildStatusBar();
    int lvIPCompare(const QTreeWidgetItem* item1, const QTreeWidgetItem* item2) const;
    ToolsWindow& Tools() const;
    bool& NoUsableNetwork() const;
    std::string Order() const;
    ColumnWidths CurrentColumnWidths() const;

    Platform& platform_;
    Dialogs& dialogs_;
    corvane::ConfigLines ConfigLines_;
    std::string SystemDirectory_;
    bool FirstShowPending_ = false;
    bool UnsupportedSystem_ = false;
    bool inFormShow_ = false;
    bool aborting_ = false;
    QTreeWidgetItem* currentItem_ = nullptr;
    std::string LastAddressText_;
    std::string pendingOffer_; // the host's addresses the offer names
    int HiddenCount_ = 0;
    int SortColumn_ = 0;
    bool SortDescending_ = false;

    QLabel* panel0_;
    QLabel* panel1_;
    StatusPanel* panel2_;
};

} // namespace corvane::gui
