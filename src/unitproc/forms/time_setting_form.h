#pragma once

#include "unitproc/forms/procedure_window.h"

class QPlainTextEdit;
class QPushButton;

namespace qtr {

class Clock;
class CommunicationControl;
class ControlUnitTable;

// TSETTIM "Nastavení času všem jednotkám systému": every unit's clock to the PC's time.
class TSETTIM : public ProcedureWindow {
    Q_OBJECT

public:
    TSETTIM(const ControlUnitTable& units, CommunicationControl& comm, const Clock& clock,
            QWidget* parent = nullptr);

    void Button1Click();
    void Button2Click();
    bool running() const override { return running_; }

private:
    const ControlUnitTable& units_;
    CommunicationControl& comm_;
    const Clock& clock_;
    bool running_ = false;
    QPlainTextEdit* meMon_;
    QPushButton* Button1_;
    QPushButton* Button2_;
};

} // namespace qtr
