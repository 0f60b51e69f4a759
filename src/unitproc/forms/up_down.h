#pragma once

#include <QSpinBox>

namespace qtr {

// An up-down: only the two arrows of a spin box, beside the field that shows
// its value (as two hex digits).
class UpDown : public QSpinBox {
    Q_OBJECT

public:
    explicit UpDown(QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

} // namespace qtr
