#pragma once
#include <QDialog>

#include <memory>
#include <optional>
#include <string>

namespace Ui {
class TAboutForm;
}

namespace corvane::gui {

// The about box. At creation it works out the short version text the splash
// shows.
class TAboutForm : public QDialog {
    Q_OBJECT
  public:
    // fileVersion: the program's "a.b.c.d"; by default read from the platform.
    explicit TAboutForm(QWidget* parent = nullptr);
    TAboutForm(const std::optional<std::string>& fileVersion, QWidget* parent = nullptr);
    ~TAboutForm() override;

    const std::string& FVersionText() const { return versionText_; }
    QString VersionCaption() const;

  public slots:
    void btnOkClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormCreate(const std::optional<std::string>& fileVersion);
    bool btnOkKeyPress(int key);

    std::unique_ptr<Ui::TAboutForm> ui;
    std::string versionText_;
};

} // namespace corvane::gui
