// Start-up of the main window with the real back end, for bench/gui_startup.sh.
// Prints the wall-clock time (ns since the epoch) at three points: main
// entered, windows created, main window shown and painted. The splash is
// skipped and every question is answered No, so nothing waits for a user.
#include "gui/app/application.h"
#include "gui/app/main_form.h"
#include "gui/dialogs.h"
#include "platform/platform.h"
#include "platform/sim/memory_store.h"
#include "ui_main_form.h"

#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace {

long long Now() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

class BenchDialogs : public corvane::gui::Dialogs {
  public:
    corvane::gui::MessageResult ShowMessage(QWidget*, const corvane::gui::Message& m) override {
        std::fprintf(stderr, "message: %s\n", m.text.c_str());
        return corvane::gui::MessageResult::No;
    }
    int ShowModal(QDialog&) override { return 0; }
    void ShowHelp(const std::string&, int) override {}
};

} // namespace

int main(int argc, char** argv) {
    const long long entered = Now();
    QApplication qt(argc, argv);
    auto platform = corvane::CreateSystemPlatform();
    corvane::MemoryStore store; // leaves the machine's settings alone
    platform->settings = &store;
    BenchDialogs dialogs;
    corvane::gui::TApplication application(*platform, dialogs);
    application.CreateForms();
    const long long created = Now();
    long long shown = 0;
    int rows = 0;
    QTimer::singleShot(0, [&] {
        corvane::gui::MainForm->repaint(); // the first picture is on the screen
        shown = Now();
        rows = corvane::gui::MainForm->ui->lvIP->topLevelItemCount();
        corvane::gui::MainForm->close();
    });
    application.Run();
    std::printf("main %lld\ncreated %lld\nshown %lld\nrows %d\n", entered, created, shown, rows);
    return 0;
}
