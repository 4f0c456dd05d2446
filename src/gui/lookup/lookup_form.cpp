#include "gui/lookup/lookup_form.h"

namespace corvane::gui {

TLookupForm::TLookupForm(QWidget* parent) : QDialog(parent) {
    setObjectName("LookupForm");
    setProperty("helpContext", 5000);
}

} // namespace corvane::gui
