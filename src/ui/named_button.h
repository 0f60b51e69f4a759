#pragma once

#include <QString>

class QPushButton;
class QWidget;

namespace qtr::ui {

// A push button that tests find by its objectName (the design's name) and that
// never reacts to Enter typed into a field of its window: in an editor Enter must
// not delete or store a record by surprise.
QPushButton* makeButton(const QString& text, const QString& name, const QString& hint,
                        QWidget* parent);

inline QPushButton* namedButton(const QString& text, const char* name, QWidget* parent) {
    return makeButton(text, QString::fromLatin1(name), {}, parent);
}

} // namespace qtr::ui
