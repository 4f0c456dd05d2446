#pragma once
#include <QDialog>

#include <memory>

class QLabel;
class QTimer;

namespace Ui {
class TSplashForm;
}

namespace corvane::gui {

// The start-up picture. Its timer runs from creation, so it stays up for the
// rest of its two seconds when the main window shows it.
class TSplashForm : public QDialog {
    Q_OBJECT
  public:
    explicit TSplashForm(QWidget* parent = nullptr);
    ~TSplashForm() override;

    QLabel* lblVersion() const;
    QTimer* tmrSplash;

  public slots:
    void tmrSplashTimer();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    std::unique_ptr<Ui::TSplashForm> ui;
    bool shownBefore_ = false;
};

} // namespace corvane::gui
