#pragma once
#include <memory>
#include <string>

#include "core/app/user_message.h"

class QDialog;
class QWidget;

namespace corvane::gui {

class HelpViewer;

using corvane::MessageIcon;
enum class MessageButtons { Ok, YesNo };
enum class MessageResult { Ok, Cancel, Yes, No };

// One message box: what the user sees, nothing more.
struct Message {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
};

// A message the core logic reports, as the box that shows it.
Message ToMessage(const UserMessage& message);

// Every message box, modal window and help page goes through here, so that
// tests can answer them.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual MessageResult ShowMessage(QWidget* parent, const Message& message) = 0;
    // Runs the window modally; its result code (QDialog::Accepted, Rejected, or
    // what the window passed to done()).
    virtual int ShowModal(QDialog& window) = 0;
    // Opens the help file at a context; the viewer stays open beside the program.
    virtual void ShowHelp(const std::string& helpFile, int context) = 0;
};

// The real thing: Qt message boxes, exec(), and our help viewer.
class QtDialogs : public Dialogs {
  public:
    QtDialogs();
    ~QtDialogs() override;
    MessageResult ShowMessage(QWidget* parent, const Message& message) override;
    int ShowModal(QDialog& window) override;
    void ShowHelp(const std::string& helpFile, int context) override;

  private:
    std::unique_ptr<HelpViewer> help_;
};

} // namespace corvane::gui
