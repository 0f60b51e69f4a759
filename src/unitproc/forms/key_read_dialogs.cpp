#include "unitproc/forms/key_read_dialogs.h"

#include "ui/message_routines.h"
#include "ui/qt_text.h"

namespace qtr {

void MessageKeyReadDialogs::askForKey() {
    ui::messageOk(QStringLiteral("Vložte identifikační klíč!"), QStringLiteral("ČTENÍ KLÍČE"));
}

void MessageKeyReadDialogs::showReadFailure(const std::string& errorText) {
    ui::messageOk(ui::toQ(errorText), QStringLiteral("čtení klíče"));
}

} // namespace qtr
