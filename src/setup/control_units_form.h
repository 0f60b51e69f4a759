#pragma once

#include "setup/editor_widgets.h"
#include "ui/record_editor.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qtr {
struct ConfigurationDatabase;
struct ControlUnitRecord;
class ControlUnitTable;
class ZoneTable;
} // namespace qtr

namespace qtr::setup {

class NameChoicePanel;

// TJEDDEF "Seznam řídících jednotek": the control units with their readers,
// inputs, result texts, parameters and eight objects each. The caller saves
// QTR0001.DAT when the window closes.
class TJEDDEF : public ui::RecordEditor {
    Q_OBJECT

public:
    static constexpr int kNewUnitLimit = 32;
    static constexpr int kObjects = 8;

    TJEDDEF(ControlUnitTable& units, const ZoneTable& zones, QWidget* parent = nullptr);
    TJEDDEF(ConfigurationDatabase& db, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void btTypClick();
    void btStandardClick();
    void btPouzitiClick();
    void btVlastnostiClick();
    void btPoplachClick();
    void btReleClick();
    void EditTYPChange(const QString& text);
    void EditTYPEdited(const QString& text);

    void showRecord() override;
    void applyMode(EditMode mode) override;
    bool readRecord() override;
    // Every field into the record ("hotovo"). A decimal field that is empty or not a
    // number is reported and nothing is stored (false); the objects the type greys out
    // keep the record's values.
    bool readFields(ControlUnitRecord& unit);

    ControlUnitTable& units_;
    const ZoneTable& zones_;

    QLineEdit* EditADRESA_;
    QLineEdit* EditNAZEV_;
    QLineEdit* EditTYP_;
    QLabel* laTyp_;
    QLineEdit* EditPOUZITI_;
    QLineEdit* EditALARM_;
    QLineEdit* EditRELE_;
    QLineEdit* EditKONFIG_;
    std::array<QLineEdit*, 8> EditSnimTM_{};
    std::array<QLineEdit*, 8> EditSnimIN_{};
    std::array<QLineEdit*, 4> EditVysUda_{};
    std::array<QLineEdit*, kObjects> EditZon_{};
    std::array<QLineEdit*, kObjects> EditS_{};
    std::array<QLineEdit*, kObjects> EditO_{};
    std::array<QLineEdit*, kObjects> EditP_{};
    std::array<QLineEdit*, kObjects> edSto_{};
    QPushButton* btTyp_;
    QPushButton* btStandard_;
    QPushButton* btPouziti_;
    QPushButton* btVlastnosti_;
    QPushButton* btPoplach_;
    QPushButton* btRele_;
    NameChoicePanel* pnZony_;
    QLineEdit* zoneTarget_ = nullptr;
};

} // namespace qtr::setup
