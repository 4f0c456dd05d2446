#include "gui/setup/setup_form.h"

#include "core/setup/adapter_info.h"
#include "gui/dialogs.h"
#include "platform/local_time.h"
#include "platform/platform.h"
#include "platform/settings_store.h"

#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace corvane::gui {

namespace {

// Stands in for a platform without a settings store: nothing opens.
class NoStore : public SettingsStore {
  public:
    StoreResult<std::unique_ptr<StoreKey>> OpenKey(StoreRoot, std::string_view,
                                                   KeyAccess) override {
        StoreResult<std::unique_ptr<StoreKey>> result;
        result.error.status = StoreStatus::Failed;
        return result;
    }
};

SettingsStore& StoreOf(Platform& platform, std::unique_ptr<SettingsStore>& fallback) {
    if (platform.settings)
        return *platform.settings;
    fallback = std::make_unique<NoStore>();
    return *fallback;
}

} // namespace

TSetupForm::TSetupForm(Platform& platform, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), platform_(platform), dialogs_(dialogs),
      settings_(StoreOf(platform, fallbackStore_)) {
    setObjectName("SetupForm");
    setWindowTitle("Tools");
    setProperty("helpContext", 3000);
    pctrlSetup = new QTabWidget(this);
    pctrlSetup->setObjectName("pctrlSetup");
    for (const char* page : {"Setup", "APIPA", "IP Settings", "Interfaces", "Routes"})
        pctrlSetup->addTab(new QWidget(pctrlSetup), page);
    btnRefresh = new QPushButton("Refresh", this);
    btnRefresh->setObjectName("btnRefresh");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pctrlSetup);
    layout->addWidget(btnRefresh);
    connect(btnRefresh, &QPushButton::clicked, this, &TSetupForm::btnRefreshClick);

    const std::uint32_t report = platform_.ipHelper ? platform_.ipHelper->BindingReport() : 0x80FFu;
    initFailed_ = report != 0;
    initError_ = InitErrorText(report);
}

TSetupForm::~TSetupForm() = default;

bool TSetupForm::RefreshEnabled() const {
    return btnRefresh->isEnabled();
}

void TSetupForm::LoadSettings() {
    settings_.LoadSettings();
}

void TSetupForm::SaveSettings() {
    settings_.SaveSettings();
}

void TSetupForm::ShowFirstPage() {
    pctrlSetup->setCurrentIndex(0);
}

void TSetupForm::RenewAdapterAddress(std::uint32_t) {}

void TSetupForm::btnRefreshClick() {
    btnRefresh->setEnabled(false);
    RefreshAdapterInfo();
    settings_.LoadHiddenInterfaces();
    btnRefresh->setEnabled(true);
}

void TSetupForm::RefreshAdapterInfo() {
    settings_.lbHideInterface.clear();
    summaries_.clear();
    if (!platform_.ipHelper || !platform_.connectionNames) {
        adapterReadFailed_ = true;
        return;
    }
    AdapterInfo info = ReadAdapterInfo(*platform_.ipHelper, *platform_.connectionNames,
                                       adapterReadFailed_, ToLocalTime);
    summaries_ = info.summaries;
    for (const auto& text : info.displayTexts)
        settings_.lbHideInterface.push_back({text, false});
    adapterReadFailed_ = info.readFailed;
    for (SysError code : info.shownErrors)
        ShowError(code);
    if (info.readError)
        dialogs_.ShowMessage(this, {"Error", kCouldntReadAdapterInfo, MessageIcon::Stop});
}

void TSetupForm::ShowError(std::uint32_t code) {
    if (!platform_.ipHelper)
        return;
    if (auto text = ShowErrorText(*platform_.ipHelper, code))
        dialogs_.ShowMessage(this, {"Error", *text, MessageIcon::Stop});
}

} // namespace corvane::gui
