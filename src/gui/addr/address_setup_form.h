#pragma once
#include <QDialog>

namespace corvane::gui {

// The address dialog, in which one configuration is entered or edited.
class TAddressSetupForm : public QDialog {
    Q_OBJECT
  public:
    explicit TAddressSetupForm(QWidget* parent = nullptr);
};

} // namespace corvane::gui
