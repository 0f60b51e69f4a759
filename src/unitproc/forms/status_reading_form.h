#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace qtr {

class CommunicationControl;
class ControlUnitTable;

// TGETSTAV: pick a unit address and read that unit's status.
class TGETSTAV : public QDialog {
    Q_OBJECT

public:
    // The unit list shows the known units, "AA name" per line.
    TGETSTAV(CommunicationControl& comm, const ControlUnitTable& units, QWidget* parent = nullptr);

    // Reads and shows one unit's status.
    void CteniStavu(std::uint8_t address);
    // Sets the address; every change reads the status at once.
    void setAddress(std::uint8_t address);
    std::uint8_t address() const;
    QString responseText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void btHexClick();

    CommunicationControl& comm_;
    QSpinBox* udAdrSta_;
    QLineEdit* edAdresa_;
    QListWidget* lbJednotky_;
    QLabel* laResp_;
    bool reading_ = false;
};

} // namespace qtr
