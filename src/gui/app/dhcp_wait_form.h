#pragma once
#include <QDialog>

namespace corvane::gui {

// Shown while a DHCP lease is released and renewed.
class TDHCPWaitForm : public QDialog {
    Q_OBJECT
  public:
    explicit TDHCPWaitForm(QWidget* parent = nullptr);
};

} // namespace corvane::gui
