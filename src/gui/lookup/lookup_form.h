#pragma once
#include <QDialog>

namespace corvane::gui {

// The discovery window. It owns the program's flag for a machine without a
// usable network, which start-up and the host address report set.
class TLookupForm : public QDialog {
    Q_OBJECT
  public:
    explicit TLookupForm(QWidget* parent = nullptr);

    bool FNoUsableNetwork = false;
};

} // namespace corvane::gui
