#pragma once
#include <QDialog>

#include <memory>
#include <string>
#include <vector>

#include "core/setup/settings.h"
#include "gui/setup/tools_window.h"

class QPushButton;
class QTabWidget;

namespace corvane {
struct Platform;
}

namespace corvane::gui {

class Dialogs;

// The tools window. For now it holds the settings and the adapter lists the
// main window needs, without its pages' controls.
class TSetupForm : public QDialog, public ToolsWindow {
    Q_OBJECT
  public:
    TSetupForm(Platform& platform, Dialogs& dialogs, QWidget* parent = nullptr);
    ~TSetupForm() override;

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

  public slots:
    void btnRefreshClick() override;

  private:
    void RefreshAdapterInfo();
    void ShowError(std::uint32_t code);

    Platform& platform_;
    Dialogs& dialogs_;
    std::unique_ptr<SettingsStore> fallbackStore_;
    Settings settings_;
    std::vector<std::string> summaries_;
    bool adapterReadFailed_ = false;
    bool initFailed_ = false;
    std::string initError_;

    QTabWidget* pctrlSetup;
    QPushButton* btnRefresh;
};

} // namespace corvane::gui
