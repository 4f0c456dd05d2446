#include "gui/dialogs.h"

#include "gui/app/application.h"
#include "gui/help/help_viewer.h"

#include <QDialog>
#include <QMessageBox>

namespace corvane::gui {

QtDialogs::QtDialogs() = default;
QtDialogs::~QtDialogs() = default;

Message ToMessage(const UserMessage& message) {
    return {message.title, message.text, message.icon, MessageButtons::Ok};
}

MessageResult QtDialogs::ShowMessage(QWidget* parent, const Message& message) {
    QMessageBox box(parent);
    box.setWindowTitle(QString::fromStdString(message.title));
    box.setText(QString::fromStdString(message.text));
    switch (message.icon) {
    case MessageIcon::None:
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    if (message.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageResult::Yes;
    case QMessageBox::No:
        return MessageResult::No;
    case QMessageBox::Ok:
        return MessageResult::Ok;
    default:
        return MessageResult::Cancel;
    }
}

int QtDialogs::ShowModal(QDialog& window) {
    return window.exec();
}

void QtDialogs::ShowHelp(const std::string& helpFile, int context) {
    if (!help_)
        help_ = std::make_unique<HelpViewer>();
    help_->ShowContext(ShippedFile(QString::fromStdString(helpFile)), context);
}

} // namespace corvane::gui
