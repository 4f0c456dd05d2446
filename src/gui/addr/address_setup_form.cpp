#include "gui/addr/address_setup_form.h"

namespace corvane::gui {

TAddressSetupForm::TAddressSetupForm(QWidget* parent) : QDialog(parent) {
    setObjectName("AddressSetupForm");
    setProperty("helpContext", 2000);
}

} // namespace corvane::gui
