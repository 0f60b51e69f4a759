#pragma once

#include "unitproc/forms/procedure_window.h"

#include <filesystem>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace qtr {

class Clock;
class CommunicationControl;
class ControlUnitTable;

// TSBERDA "Sběr dat od všech hardwarových jednotek": collects every unit's events into
// QTR0005.DAT. It has no close box: while a run goes on only "Přerušit" ends it, and the
// window is left through "hotovo".
class TSBERDA : public ProcedureWindow {
    Q_OBJECT

public:
    // The clock is the PC's, against which the units' clocks and event stamps are checked.
    TSBERDA(const ControlUnitTable& units, CommunicationControl& comm, std::filesystem::path dir,
            const Clock& clock, QWidget* parent = nullptr);

    void Button1Click();
    // "Přerušit": the running transaction finishes (its events are stored), then the run ends.
    void btPrerusClick();
    bool running() const override;

private:
    void endOfRun();

    const ControlUnitTable& units_;
    CommunicationControl& comm_;
    std::filesystem::path dir_;
    const Clock& clock_;
    bool errorFlag_ = false;
    QPlainTextEdit* meMon_;
    QPushButton* Button1_;
    QPushButton* btPrerus_;
    QPushButton* BitBtn1_;
};

} // namespace qtr
