#include "gui/app/application.h"

#include "gui/about/about_form.h"
#include "gui/about/splash_form.h"
#include "gui/addr/address_setup_form.h"
#include "gui/app/dhcp_wait_form.h"
#include "gui/app/main_form.h"
#include "gui/icmp/ping_form.h"
#include "gui/lookup/lookup_form.h"
#include "gui/setup/setup_form.h"

#include "core/setup/apipa.h"
#include "core/setup/dhcp_renew.h"
#include "platform/platform.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QVariant>
#include <QWidget>

namespace corvane::gui {

TApplication* Application = nullptr;
TMainForm* MainForm = nullptr;
TAddressSetupForm* AddressSetupForm = nullptr;
TSetupForm* SetupForm = nullptr;
TAboutForm* AboutForm = nullptr;
TPingForm* PingForm = nullptr;
TDHCPWaitForm* DHCPWaitForm = nullptr;
TLookupForm* LookupForm = nullptr;
TSplashForm* SplashForm = nullptr;

TApplication::TApplication(Platform& platform, Dialogs& dialogs)
    : platform_(platform), dialogs_(dialogs) {
    Application = this;
    ResetProcessState();
    QApplication::setApplicationName(Title);
    qApp->installEventFilter(this);
}

TApplication::~TApplication() {
    qApp->removeEventFilter(this);
    // The other windows are children of the main window and go with it.
    mainForm_.reset();
    splashForm_.reset();
    MainForm = nullptr;
    AddressSetupForm = nullptr;
    SetupForm = nullptr;
    AboutForm = nullptr;
    PingForm = nullptr;
    DHCPWaitForm = nullptr;
    LookupForm = nullptr;
    SplashForm = nullptr;
    Application = nullptr;
}

// The tools window reaches the APIPA switches and DHCP renew through the
// platform this program runs on.
void TApplication::WireSetupCalls(TSetupForm& form) {
    SetupCalls& calls = form.calls;
    if (SettingsStore* store = platform_.settings) {
        calls.ReadApipaSetting = [store](const std::string& adapter) {
            return corvane::ReadApipaSetting(*store, adapter);
        };
        calls.WriteApipaSetting = [store](const std::string& adapter, bool enabled) {
            corvane::WriteApipaSetting(*store, adapter, enabled);
        };
    }
    if (IpHelper* helper = platform_.ipHelper) {
        calls.RenewAdapterAddress = [helper](std::uint32_t index,
                                             const std::function<void(const Message&)>& show,
                                             const std::function<void()>& processMessages) {
            RenewCallbacks callbacks;
            callbacks.message = [&show](const UserMessage& m) { show(ToMessage(m)); };
            callbacks.processMessages = processMessages;
            corvane::RenewAdapterAddress(*helper, index, callbacks);
        };
    }
}

void TApplication::CreateForms() {
    mainForm_ = std::make_unique<TMainForm>(platform_, dialogs_);
    MainForm = mainForm_.get();
    AddressSetupForm = new TAddressSetupForm(MainForm);
    SetupForm = new TSetupForm(platform_, dialogs_, MainForm);
    WireSetupCalls(*SetupForm);
    AboutForm = new TAboutForm(MainForm);
    PingForm = new TPingForm(MainForm);
    DHCPWaitForm = new TDHCPWaitForm(MainForm);
    LookupForm = new TLookupForm(MainForm);
    splashForm_ = std::make_unique<TSplashForm>();
    SplashForm = splashForm_.get();
}

int TApplication::Run() {
    MainForm->show();
    if (terminated_ || !MainForm->isVisible())
        return 0;
    return qApp->exec();
}

void TApplication::Terminate() {
    terminated_ = true;
    QCoreApplication::quit();
}

void TApplication::HelpContext(int context) {
    dialogs_.ShowHelp(HelpFile, context);
}

QString ShippedFile(const QString& name) {
    if (QFileInfo::exists(name))
        return name;
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    return QFileInfo::exists(beside) ? beside : name;
}

void TApplication::ShowException(const std::exception& error) {
    ShowException(std::string(error.what()));
}

void TApplication::ShowException(const std::string& text) {
    QWidget* parent = QApplication::activeWindow();
    dialogs_.ShowMessage(parent, {Title.toStdString(), text, MessageIcon::Error});
}

void TApplication::Minimize() {
    if (MainForm)
        MainForm->showMinimized();
}

namespace {

// The help context of a widget: its own, else its parents'.
int HelpContextOf(QObject* object) {
    for (; object; object = object->parent()) {
        QVariant context = object->property("helpContext");
        if (context.isValid() && context.toInt() > 0)
            return context.toInt();
    }
    return 0;
}

} // namespace

bool TApplication::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ToolTip:
        return !showHint_;
    case QEvent::KeyPress: {
        // F1 that no action took: help for the window that has the key.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier &&
            watched->isWidgetType()) {
            if (int context = HelpContextOf(watched)) {
                HelpContext(context);
                return true;
            }
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace corvane::gui
