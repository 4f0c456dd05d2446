#pragma once
#include <QObject>
#include <QString>

#include <exception>
#include <memory>
#include <string>

#include "gui/dialogs.h"

namespace corvane {
struct Platform;
}

namespace corvane::gui {

class TMainForm;
class TAddressSetupForm;
class TSetupForm;
class TAboutForm;
class TPingForm;
class TDHCPWaitForm;
class TLookupForm;
class TSplashForm;

// The application object: title, help file, the program's windows and the
// program-wide things every window reaches (hints, exceptions, help).
class TApplication : public QObject {
    Q_OBJECT
  public:
    TApplication(Platform& platform, Dialogs& dialogs);
    ~TApplication() override;

    QString Title = "Corvane";
    std::string HelpFile = "corvane.hlp";

    // Creates the windows, hidden, in start-up order, and sets the
    // program-wide instances.
    void CreateForms();
    // Shows the main window and runs the message loop until it closes.
    int Run();
    // Ends the message loop (the main window has closed).
    void Terminate();
    bool Terminated() const { return terminated_; }

    void HelpContext(int context);
    // The application's box for an error that reached it.
    void ShowException(const std::exception& error);
    void ShowException(const std::string& text);

    // Short hints (tool tips) on or off, for every window at once.
    void SetShowHint(bool show) { showHint_ = show; }
    bool ShowHint() const { return showHint_; }
    void Minimize();

    Platform& platform() { return platform_; }
    Dialogs& dialogs() { return dialogs_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void WireSetupCalls(TSetupForm& form);
    Platform& platform_;
    Dialogs& dialogs_;
    std::unique_ptr<TMainForm> mainForm_;
    std::unique_ptr<TSplashForm> splashForm_;
    bool showHint_ = true;
    bool terminated_ = false;
};

// The program-wide instances, set by CreateForms and cleared when the
// application object goes.
extern TApplication* Application;
extern TMainForm* MainForm;
extern TAddressSetupForm* AddressSetupForm;
extern TSetupForm* SetupForm;
extern TAboutForm* AboutForm;
extern TPingForm* PingForm;
extern TDHCPWaitForm* DHCPWaitForm;
extern TLookupForm* LookupForm;
extern TSplashForm* SplashForm;

// A file the program ships: the name as given when the current directory has
// it, else the one beside the program (its installed place), else the name.
QString ShippedFile(const QString& name);

// Runs a handler and shows any error that escapes it in the application's box,
// as the message loop would.
template <class F> void Guarded(F&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        if (Application)
            Application->ShowException(error);
    }
}

} // namespace corvane::gui
