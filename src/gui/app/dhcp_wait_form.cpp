#include "gui/app/dhcp_wait_form.h"

#include <QLabel>
#include <QVBoxLayout>

namespace corvane::gui {

TDHCPWaitForm::TDHCPWaitForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName("DHCPWaitForm");
    setFixedSize(379, 73);
    auto* panel = new QLabel("Performing a DHCP address renew, please wait...", this);
    panel->setObjectName("Panel1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignCenter);
    QFont font = panel->font();
    font.setBold(true);
    panel->setFont(font);
    panel->setCursor(Qt::WaitCursor);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel);
}

} // namespace corvane::gui
