#pragma once

#include <QDialog>
#include <filesystem>

class QLabel;
class QListWidget;
class QSpinBox;
class QTimer;
class QWidget;

namespace qtr {

class CommunicationControl;
class ControlUnitTable;

// The help panel's text, with the blanks that laid it out in its narrow panel.
inline constexpr const char* kConverterTestHelpText =
    "Po propojení konvertoru s PC,       připojení čtecího pera a napájení (svorky  GND a "
    "+12V)       je možno prověřit čtení              identifikačního  klíče.             "
    "Standardní adresa: 00 hex.,           port  podle nastavení.";

inline constexpr const char* kConverterTestListFile = "CTENO.TXT";

// TTESTK: asks one address for a key every second and lists what comes back. The address
// of a unit of the unit table is refused: the test would take that unit's events.
class TTESTK : public QDialog {
    Q_OBJECT

public:
    TTESTK(CommunicationControl& comm, const ControlUnitTable& units, std::filesystem::path dir,
           QWidget* parent = nullptr);

    // One round of the test (the timer's tick).
    void Timer1Timer();
    void btStartClick();
    void btStopClick();
    void btSmazatClick();
    void btHelpClick();
    // Writes the list into CTENO.TXT in the working directory.
    void saveList();

    bool running() const;
    QListWidget* list() const { return ListBox1_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setBusy(bool busy);

    CommunicationControl& comm_;
    const ControlUnitTable& units_;
    std::filesystem::path dir_;
    QTimer* Timer1_;
    QSpinBox* udAdresa_;
    QLabel* laAdresa_;
    QLabel* imStav_;
    QListWidget* ListBox1_;
    QWidget* pnHelp_;
};

} // namespace qtr
