#include "ui/message_routines.h"

#include "ui/ui_services.h"

namespace qtr::ui {
namespace {

MessageAnswer show(const QString& text, const QString& caption, QChar kind, MessageButtons buttons,
                   MessageAnswer defaultAnswer) {
    MessageRequest r;
    r.text = text;
    r.caption = caption.isEmpty() ? kApplicationTitle : caption;
    r.icon = iconOfKind(kind);
    r.buttons = buttons;
    r.defaultAnswer = defaultAnswer;
    return messagePresenter().present(r);
}

} // namespace

MessageIcon iconOfKind(QChar kind) {
    switch (kind.unicode()) {
    case '!':
    case 'W':
        return MessageIcon::Warning;
    case '*':
    case 'C':
    case 'I':
        return MessageIcon::Information;
    case 'E':
    case 'H':
    case 'S':
        return MessageIcon::Error;
    case 'Q':
        return MessageIcon::Question;
    default:
        return MessageIcon::None;
    }
}

void messageOk(const QString& text, const QString& caption, QChar kind) {
    show(text, caption, kind, MessageButtons::Ok, MessageAnswer::Ok);
}

MessageAnswer messageOkCancel(const QString& text, const QString& caption, QChar kind) {
    return show(text, caption, kind, MessageButtons::OkCancel, MessageAnswer::Ok);
}

MessageAnswer messageYesNo(const QString& text, const QString& caption, QChar kind,
                           MessageAnswer defaultAnswer) {
    return show(text, caption, kind, MessageButtons::YesNo, defaultAnswer);
}

bool confirmRecordDeletion() {
    return messageOkCancel(QStringLiteral("Skutečně smazat tento záznam?"), {}, u'W') ==
           MessageAnswer::Ok;
}

} // namespace qtr::ui
