#pragma once

#include <QString>

class QPushButton;
class QWidget;

namespace qtr::ui {

// A push button that tests find by its objectName (the design's name) and that
// never reacts to Enter typed into a field of its window.
QPushButton* namedButton(const QString& text, const char* name, QWidget* parent);

} // namespace qtr::ui
