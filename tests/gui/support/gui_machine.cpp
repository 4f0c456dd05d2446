#include "support/gui_machine.h"

#include "core/app/records.h"
#include "core/setup/settings.h"
#include "gui/app/icons.h"
#include "gui/app/main_form.h"

#include <QDir>
#include <QFile>

namespace corvane::gui::test {

GuiMachine::GuiMachine() {
    platform.settings = &store;
    platform.machine.SetHost("simhost", {});
    oldDirectory_ = QDir::currentPath();
    QDir::setCurrent(dir.path());
    Icons::WriteApplicationIcon(dir.filePath("corvane32.ico"));
}

GuiMachine::~GuiMachine() {
    app.reset();
    QDir::setCurrent(oldDirectory_);
}

std::uint32_t GuiMachine::AddStatic(const std::string& connection, const std::string& address,
                                    const std::string& mask, const std::string& gateway) {
    SimMachine::Adapter adapter;
    adapter.connection = connection;
    adapter.description = connection + " adapter";
    adapter.ip = address;
    adapter.mask = mask;
    adapter.gateway = gateway;
    auto& hosts = platform.machine.state.hostAddresses;
    if (address != "0.0.0.0")
        hosts.push_back(address);
    return platform.machine.AddAdapter(adapter);
}

std::uint32_t GuiMachine::AddDhcp(const std::string& connection, const std::string& address,
                                  const std::string& mask, const std::string& gateway) {
    SimMachine::Adapter adapter;
    adapter.connection = connection;
    adapter.description = connection + " adapter";
    adapter.ip = address;
    adapter.mask = mask;
    adapter.gateway = gateway;
    adapter.dhcp = true;
    if (address != "0.0.0.0")
        platform.machine.state.hostAddresses.push_back(address);
    return platform.machine.AddAdapter(adapter);
}

void GuiMachine::WriteAddressFile(const std::vector<std::string>& records) {
    QFile file(dir.filePath("ipfile.csv"));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(QByteArray::fromStdString(AddressFileText(records)));
}

// A complete set of defaults comes first so that loading keeps the values a
// test stores.
void GuiMachine::StoreDefaults() {
    if (store.KeyExists(settings_names::kKey))
        return;
    Settings settings(store);
    settings.WriteDefaultSettings();
}

void GuiMachine::StoreDword(std::string_view name, std::uint32_t value) {
    StoreDefaults();
    store.PutDword(settings_names::kKey, name, value);
}

void GuiMachine::StoreColumnOrder(const std::string& order,
                                  const std::vector<std::string>& captions) {
    StoreDefaults();
    for (std::size_t i = 0; i < captions.size(); ++i)
        store.PutString(settings_names::kKey, settings_names::Caption(static_cast<int>(i)),
                        captions[i]);
    store.PutString(settings_names::kKey, settings_names::kColumnOrder, order);
}

void GuiMachine::StoreHidden(const std::vector<std::string>& displayTexts) {
    StoreDefaults();
    store.PutDword(settings_names::kKey, settings_names::kHiddenInterfaces,
                   static_cast<std::uint32_t>(displayTexts.size()));
    for (std::size_t i = 0; i < displayTexts.size(); ++i)
        store.PutString(settings_names::kKey, settings_names::HiddenIf(static_cast<int>(i)),
                        displayTexts[i]);
}

TApplication& GuiMachine::Start() {
    app = std::make_unique<TApplication>(platform, dialogs);
    app->CreateForms();
    MainForm->show();
    return *app;
}

} // namespace corvane::gui::test
