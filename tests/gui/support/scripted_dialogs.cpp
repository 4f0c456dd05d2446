#include "support/scripted_dialogs.h"

#include <QDialog>

namespace corvane::gui::test {

MessageResult ScriptedDialogs::ShowMessage(QWidget*, const Message& message) {
    messages.push_back(message);
    if (message.buttons == MessageButtons::Ok)
        return MessageResult::Ok;
    if (answers.empty())
        return MessageResult::No;
    MessageResult answer = answers.front();
    answers.pop_front();
    return answer;
}

int ScriptedDialogs::ShowModal(QDialog& window) {
    modals.push_back(window.objectName());
    return onModal ? onModal(window) : QDialog::Rejected;
}

void ScriptedDialogs::ShowHelp(const std::string& helpFile, int context) {
    helps.emplace_back(helpFile, context);
}

std::vector<std::string> ScriptedDialogs::Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : messages)
        texts.push_back(m.text);
    return texts;
}

const Message* ScriptedDialogs::Find(const std::string& text) const {
    for (const auto& m : messages)
        if (m.text == text)
            return &m;
    return nullptr;
}

void ScriptedDialogs::Clear() {
    messages.clear();
    modals.clear();
    helps.clear();
}

} // namespace corvane::gui::test
