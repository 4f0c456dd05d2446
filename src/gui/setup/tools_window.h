#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/setup/settings.h"

namespace corvane::gui {

// What the main window needs of the tools window: the settings it holds, the
// adapter lists its refresh leaves behind, and the operations the main window
// runs on it.
class ToolsWindow {
  public:
    virtual ~ToolsWindow() = default;

    // The values behind the window's check boxes, lists and fields.
    virtual Settings& settings() = 0;

    // One line per adapter (eight comma-separated fields), from the last refresh.
    virtual const std::vector<std::string>& AdapterSummaries() const = 0;
    virtual bool AdapterReadFailed() const = 0;

    // The IP helper binding made when the window was created.
    virtual bool InitFailed() const = 0;
    virtual std::string InitError() const = 0;

    // The window's refresh: adapter information, hide list, tables.
    virtual void btnRefreshClick() = 0;
    // False while a refresh runs (the Refresh button is disabled).
    virtual bool RefreshEnabled() const = 0;

    // Settings into the controls; throws ERegistryException like Settings does.
    virtual void LoadSettings() = 0;
    virtual void SaveSettings() = 0;

    // Makes the first page the active one.
    virtual void ShowFirstPage() = 0;

    // DHCP release and renew of the adapter with this interface index.
    virtual void RenewAdapterAddress(std::uint32_t index) = 0;
};

} // namespace corvane::gui
