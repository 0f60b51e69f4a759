#include "setup/editor_widgets.h"

#include "ui/message_routines.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

namespace qtr::setup {

QLineEdit* makeEdit(const QString& name, const QString& hint, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setToolTip(hint);
    return e;
}

QLabel* makeLabel(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

QLabel* makeRequiredLabel(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setStyleSheet(QStringLiteral("color: #c00000;"));
    return l;
}

QString editorStyleSheet() {
    // The disabled rule comes last, so that a disabled field is grey even while read-only.
    return QStringLiteral("QLineEdit { background: white; color: black; }"
                          "QLineEdit:read-only { background: #f4f4f4; }"
                          "QLineEdit:disabled { background: #d4d0c8; color: #505050; }"
                          "QListWidget { background: white; }");
}

std::optional<std::int64_t> parseDecimalText(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 12) {
        return std::nullopt;
    }
    qsizetype i = 0;
    if (t[0] == u'-' || t[0] == u'+') {
        i = 1;
    }
    if (i == t.size()) {
        return std::nullopt;
    }
    for (qsizetype k = i; k < t.size(); ++k) {
        if (t[k] < u'0' || t[k] > u'9') {
            return std::nullopt;
        }
    }
    return t.toLongLong();
}

QString decimalFieldMessage(const QString& fieldName, int object, const QString& text,
                            std::int64_t min, std::int64_t max) {
    QString range;
    if (min == std::numeric_limits<std::int32_t>::min() &&
        max == std::numeric_limits<std::int32_t>::max()) {
        range = QStringLiteral("celé číslo");
    } else {
        range = QStringLiteral("celé číslo od %1 do %2").arg(min).arg(max);
    }
    const QString field =
        object < 0 ? QStringLiteral("Položka „%1“").arg(fieldName)
                   : QStringLiteral("Položka „%1“ objektu %2").arg(fieldName).arg(object);
    return QStringLiteral("%1 musí být %2.\n„%3“ není platná hodnota.").arg(field, range, text);
}

std::optional<std::int32_t> readDecimalField(const QLineEdit* edit, const QString& fieldName,
                                             std::int64_t min, std::int64_t max, int object) {
    const auto v = parseDecimalText(edit->text());
    if (!v || *v < min || *v > max) {
        ui::messageOk(decimalFieldMessage(fieldName, object, edit->text(), min, max), {}, u'E');
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*v);
}

} // namespace qtr::setup
