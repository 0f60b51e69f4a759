#pragma once

#include <QDialog>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

// The small dialogs of the unit editor. Each ends with "Hotovo" (accepted) or
// "Přerušit" (rejected, nothing changes) and hands back what it edited.
namespace qtr::setup {

using UnitParameters = std::array<std::uint8_t, 16>;

// TPTYP "Určení typu jednotky": the four type names as radio items.
class TPTYP : public QDialog {
public:
    explicit TPTYP(std::uint8_t currentType, QWidget* parent = nullptr);
    // The chosen type's code, 0 when none is chosen.
    std::uint8_t chosenType() const;

private:
    QButtonGroup* types_;
};

// "Použití": which objects are external entrances, or whether an attendance
// unit is active. Bits without a box stay as they were.
class UnitUsageDialog : public QDialog {
public:
    UnitUsageDialog(const QString& title, const QStringList& boxLabels, bool attendance,
                    std::uint8_t usage, QWidget* parent = nullptr);
    std::uint8_t usage() const;

private:
    std::vector<QCheckBox*> boxes_;
    bool attendance_;
    std::uint8_t original_;
};

// "Maska poplachu" and "Maska otevření dveří": one box per bit.
class UnitMaskDialog : public QDialog {
public:
    UnitMaskDialog(const QString& title, const QStringList& bitLabels, std::uint8_t mask,
                   QWidget* parent = nullptr);
    std::uint8_t mask() const;

private:
    std::vector<QCheckBox*> boxes_;
};

// "Doba otevření dveří" (types 1 and 2): the high nibble of byte 0, 1..15 s.
class DoorTimeDialog : public QDialog {
public:
    explicit DoorTimeDialog(const UnitParameters& parameters, QWidget* parent = nullptr);
    UnitParameters parameters() const;

private:
    UnitParameters parameters_;
    QSlider* slider_;
    QLabel* value_;
};

// "Parametry dveří" (type 3): opening and waiting time of each of four doors.
class DoorParametersDialog : public QDialog {
public:
    DoorParametersDialog(const UnitParameters& parameters, const QStringList& doorLabels,
                         QWidget* parent = nullptr);
    UnitParameters parameters() const;

private:
    UnitParameters parameters_;
    std::array<QSpinBox*, 4> opening_{};
    std::array<QSpinBox*, 4> waiting_{};
};

// "Parametry závor" (type 4): opening, waiting and kind of two barriers. A
// stored kind outside the four known ones is offered as "???" and kept unless
// the operator chooses another.
class BarrierParametersDialog : public QDialog {
public:
    BarrierParametersDialog(const UnitParameters& parameters, const QStringList& barrierLabels,
                            QWidget* parent = nullptr);
    UnitParameters parameters() const;

private:
    UnitParameters parameters_;
    std::array<QSpinBox*, 2> opening_{};
    std::array<QSpinBox*, 2> waiting_{};
    std::array<QComboBox*, 2> kind_{};
};

} // namespace qtr::setup
