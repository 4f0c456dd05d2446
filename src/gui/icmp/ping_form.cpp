#include "gui/icmp/ping_form.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace corvane::gui {

TPingForm::TPingForm(QWidget* parent) : QDialog(parent) {
    setObjectName("PingForm");
    setWindowTitle("Ping");
    setFixedSize(385, 228);
    mMemo = new QPlainTextEdit(this);
    mMemo->setObjectName("mMemo");
    mMemo->setReadOnly(true);
    mMemo->setFocusPolicy(Qt::NoFocus);
    mMemo->setGeometry(5, 10, 375, 168);
    btnClose = new QPushButton("Close", this);
    btnClose->setObjectName("btnClose");
    btnClose->setDefault(true);
    btnClose->setGeometry(148, 190, 92, 30);
    connect(btnClose, &QPushButton::clicked, this, &TPingForm::btnCloseClick);
}

void TPingForm::btnCloseClick() {
    close();
}

} // namespace corvane::gui
