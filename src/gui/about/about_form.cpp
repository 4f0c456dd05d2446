#include "gui/about/about_form.h"

#include "core/app/version_text.h"
#include "gui/app/icons.h"
#include "platform/program_info.h"
#include "ui_about_form.h"

#include <QKeyEvent>
#include <QPixmap>

namespace corvane::gui {

TAboutForm::TAboutForm(QWidget* parent) : TAboutForm(ProgramFileVersion(), parent) {}

TAboutForm::TAboutForm(const std::optional<std::string>& fileVersion, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui(new Ui::TAboutForm) {
    ui->setupUi(this);
    ui->Image2->setPixmap(QPixmap::fromImage(Icons::Banner(320, 90)));
    ui->Image2->installEventFilter(this);
    ui->btnOk->installEventFilter(this);
    connect(ui->btnOk, &QPushButton::clicked, this, &TAboutForm::btnOkClick);
    FormCreate(fileVersion);
}

TAboutForm::~TAboutForm() = default;

void TAboutForm::FormCreate(const std::optional<std::string>& fileVersion) {
    VersionTexts texts =
        FormatVersionTexts(ui->VerLabel->text().toStdString(), fileVersion, __DATE__);
    ui->VerLabel->setText(QString::fromStdString(texts.label));
    versionText_ = texts.shortText;
}

QString TAboutForm::VersionCaption() const {
    return ui->VerLabel->text();
}

void TAboutForm::btnOkClick() {
    done(QDialog::Rejected);
}

// Escape on the button cancels; everything else goes on as usual.
bool TAboutForm::btnOkKeyPress(int key) {
    if (key != Qt::Key_Escape)
        return false;
    done(QDialog::Rejected);
    return true;
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->Image2 && event->type() == QEvent::MouseButtonRelease) {
        btnOkClick();
        return true;
    }
    if (watched == ui->btnOk && event->type() == QEvent::KeyPress)
        return btnOkKeyPress(static_cast<QKeyEvent*>(event)->key());
    return QDialog::eventFilter(watched, event);
}

} // namespace corvane::gui
