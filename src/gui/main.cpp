#include "gui/app/application.h"
#include "gui/dialogs.h"
#include "platform/platform.h"

#include <QApplication>

#include <memory>

#ifndef _WIN32
#include "platform/linux/reg_file_store.h"
#endif

namespace {

// Errors that reach the message loop are shown in the application's box, and
// the program goes on.
class CorvaneQtApplication : public QApplication {
  public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            if (corvane::gui::Application)
                corvane::gui::Application->ShowException(error);
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    CorvaneQtApplication qt(argc, argv);
    auto platform = corvane::CreateSystemPlatform();
#ifndef _WIN32
    std::unique_ptr<corvane::SettingsStore> store;
    if (!platform->settings) {
        store = std::make_unique<corvane::RegFileStore>();
        platform->settings = store.get();
    }
#endif
    corvane::gui::QtDialogs dialogs;
    try {
        corvane::gui::TApplication application(*platform, dialogs);
        application.CreateForms();
        return application.Run();
    } catch (const std::exception& error) {
        dialogs.ShowMessage(nullptr, {"Corvane", error.what(), corvane::gui::MessageIcon::Error});
        return 1;
    }
}
