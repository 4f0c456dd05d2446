#pragma once
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace corvane::gui {

// The quick ping's output window. Closing it only hides it.
class TPingForm : public QDialog {
    Q_OBJECT
  public:
    explicit TPingForm(QWidget* parent = nullptr);

    QPlainTextEdit* mMemo;
    QPushButton* btnClose;

  public slots:
    void btnCloseClick();
};

} // namespace corvane::gui
