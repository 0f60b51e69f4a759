#pragma once

#include "ui/record_editor.h"

#include <QString>
#include <cstdint>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace qtr::setup {

using ui::EditMode;
using ui::makeButton;

QLineEdit* makeEdit(const QString& name, const QString& hint, QWidget* parent);
QLabel* makeLabel(const QString& text, QWidget* parent);
// The label of a field that must always be filled in (red).
QLabel* makeRequiredLabel(const QString& text, QWidget* parent);

// Enabled fields are white, disabled ones grey with text that stays readable.
QString editorStyleSheet();

// A decimal integer typed by the operator: optional sign and digits, blanks
// around allowed. Nothing for any other text.
std::optional<std::int64_t> parseDecimalText(const QString& text);

// Reads a decimal field. A text that is not a whole number, or one outside
// min..max, is reported in a message box that names the field, and nothing is
// returned; the caller then stores nothing and stays in its edit mode.
// `object` (0..7) names the unit object the field belongs to; -1 for none.
std::optional<std::int32_t> readDecimalField(const QLineEdit* edit, const QString& fieldName,
                                             std::int64_t min, std::int64_t max, int object = -1);

// The Czech message for such a field (shared with the unit editor's coordinates).
QString decimalFieldMessage(const QString& fieldName, int object, const QString& text,
                            std::int64_t min, std::int64_t max);

} // namespace qtr::setup
