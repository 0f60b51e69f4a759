#pragma once

#include <QString>

class QWidget;

namespace qtr::ui {

// The application title, the caption of every message box that names none.
inline const QString kApplicationTitle = QStringLiteral("QTR - základní modul");

enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageIcon { None, Warning, Information, Error, Question };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// The icon chosen by the one-character kind: "!" or "W" warning; "*", "C" or "I"
// information; "E", "H" or "S" error; "Q" question; anything else none.
MessageIcon iconOfKind(QChar kind);

struct MessageRequest {
    QString text;
    QString caption; // never empty: the application title when the caller gave none
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    // The button that Enter presses: the positive one unless a question is dangerous.
    MessageAnswer defaultAnswer = MessageAnswer::Ok;
};

// The three message routines every window uses: OK; OK and Cancel; Yes and No.
void messageOk(const QString& text, const QString& caption = {}, QChar kind = u' ');
MessageAnswer messageOkCancel(const QString& text, const QString& caption = {}, QChar kind = u' ');
// `defaultAnswer` No makes "Ne" the button Enter presses (a question whose "Ano" destroys data).
MessageAnswer messageYesNo(const QString& text, const QString& caption = {}, QChar kind = u' ',
                           MessageAnswer defaultAnswer = MessageAnswer::Yes);

// Every record editor's "smazat": "Skutečně smazat tento záznam?" with OK and Cancel;
// true when the operator confirmed.
bool confirmRecordDeletion();

} // namespace qtr::ui
