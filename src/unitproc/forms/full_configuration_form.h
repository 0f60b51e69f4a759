#pragma once

#include "unitproc/forms/procedure_window.h"

#include <filesystem>

class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace qtr {

class Clock;
class CommunicationControl;
struct ConfigurationDatabase;

// TSNDRTS0 "Nastavení jednotek systému podle obsahu databází": the statistics, the check
// of the rights ("Kontrola") and the full configuration of every unit ("Nastavit").
class TSNDRTS0 : public ProcedureWindow {
    Q_OBJECT

public:
    TSNDRTS0(const ConfigurationDatabase& db, CommunicationControl& comm, std::filesystem::path dir,
             const Clock& clock, QWidget* parent = nullptr);

    void ShowStatistics();
    void btKontrolaClick();
    void btSendClick();
    void btStopClick();
    bool running() const override { return running_; }

private:
    void StopProces();

    const ConfigurationDatabase& db_;
    CommunicationControl& comm_;
    std::filesystem::path dir_;
    const Clock& clock_;
    bool errorFlag_ = false;
    bool running_ = false;
    QTableWidget* sgStat_;
    QPlainTextEdit* meErrRts_;
    QProgressBar* ProgressBar1_;
    QPushButton* btKontrola_;
    QPushButton* btSend_;
    QPushButton* btStop_;
};

} // namespace qtr
