#pragma once
#include <QString>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "gui/dialogs.h"

namespace corvane::gui::test {

// Dialogs that a test answers. Messages and modal windows are recorded;
// questions take the next scripted answer (No when none is left); modal
// windows are not shown unless a handler runs them.
class ScriptedDialogs : public Dialogs {
  public:
    MessageResult ShowMessage(QWidget* parent, const Message& message) override;
    int ShowModal(QDialog& window) override;
    void ShowHelp(const std::string& helpFile, int context) override;

    // Texts of the messages shown so far, in order.
    std::vector<std::string> Texts() const;
    // The first message with this text, or null.
    const Message* Find(const std::string& text) const;
    void Clear();

    std::vector<Message> messages;
    std::deque<MessageResult> answers;
    std::vector<QString> modals; // object names of the windows shown modally
    // Runs instead of showing a modal window; its return value is the result.
    std::function<int(QDialog&)> onModal;
    std::vector<std::pair<std::string, int>> helps;
};

} // namespace corvane::gui::test
