#pragma once
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

#include "gui/app/application.h"
#include "platform/sim/memory_store.h"
#include "platform/sim/sim_machine.h"
#include "support/scripted_dialogs.h"

namespace corvane::gui::test {

// One simulated machine with the program on it: a fresh current directory
// (with the icon file), the simulated network, an in-memory settings store
// and scripted dialogs. Start() creates the windows and shows the main window.
class GuiMachine {
  public:
    GuiMachine();
    ~GuiMachine();
    GuiMachine(const GuiMachine&) = delete;
    GuiMachine& operator=(const GuiMachine&) = delete;

    // An adapter with a connection name and a static address.
    std::uint32_t AddStatic(const std::string& connection, const std::string& address,
                            const std::string& mask = "255.255.255.0",
                            const std::string& gateway = "");
    std::uint32_t AddDhcp(const std::string& connection, const std::string& address,
                          const std::string& mask = "255.255.255.0",
                          const std::string& gateway = "");
    void WriteAddressFile(const std::vector<std::string>& records);
    // Stored settings, as the program would find them.
    void StoreColumnOrder(const std::string& order, const std::vector<std::string>& captions);
    void StoreHidden(const std::vector<std::string>& displayTexts);
    void StoreDword(std::string_view name, std::uint32_t value);
    // The settings a first run writes, unless already there.
    void StoreDefaults();

    // Creates the windows and shows the main window.
    TApplication& Start();
    TApplication& App() { return *app; }

    QString Path(const QString& name) const { return dir.filePath(name); }

    SimPlatform platform;
    MemoryStore store;
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    std::unique_ptr<TApplication> app;

  private:
    QString oldDirectory_;
};

} // namespace corvane::gui::test
