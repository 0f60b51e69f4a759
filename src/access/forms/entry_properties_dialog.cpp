#include "access/forms/entry_properties_dialog.h"

#include "access/permission_entries.h"
#include "setup/editor_widgets.h"
#include "ui/qt_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qtr::access {

TATROPR::TATROPR(const ControlUnitRecord& unit, std::uint8_t attributes, QWidget* parent)
    : QDialog(parent), unitType_(unit.unitType), oldAttributes_(attributes) {
    setObjectName(QStringLiteral("TATROPR"));
    setWindowTitle(QStringLiteral("Vlastnosti oprávnění"));
    auto* box = new QVBoxLayout(this);

    if (const int n = entryObjectCount(unitType_); n > 0) {
        auto* objects = new QGroupBox(QStringLiteral("Platí pro"), this);
        objects->setObjectName(QStringLiteral("gbPlatiPro"));
        auto* layout = new QVBoxLayout(objects);
        for (int i = 0; i < n; ++i) {
            auto* c = new QCheckBox(ui::toQ(unit.inputNames[static_cast<std::size_t>(i)].text()),
                                    objects);
            c->setObjectName(QStringLiteral("cbObjekt%1").arg(i));
            c->setToolTip(QStringLiteral("povolení pro označený objekt"));
            c->setChecked((attributes & (1u << i)) != 0);
            layout->addWidget(c);
            objects_[static_cast<std::size_t>(i)] = c;
        }
        box->addWidget(objects);
    }
    if (unitType_ == kUnitBarrier) {
        auto* kinds = new QGroupBox(QStringLiteral("Druh klíče"), this);
        kinds->setObjectName(QStringLiteral("rgDruhKlice"));
        auto* layout = new QVBoxLayout(kinds);
        keyKinds_ = new QButtonGroup(this);
        for (std::size_t i = 0; i < kKeyKinds.size(); ++i) {
            auto* r = new QRadioButton(ui::toQ(kKeyKinds[i].name), kinds);
            r->setObjectName(QStringLiteral("rbDruh%1").arg(i));
            keyKinds_->addButton(r, static_cast<int>(i));
            layout->addWidget(r);
        }
        // 0x08 has no name: no button is chosen, and the kind stays unless one is.
        if (const auto kind = keyKindIndex(attributes)) {
            keyKinds_->button(*kind)->setChecked(true);
        }
        box->addWidget(kinds);
    }

    auto* btPrerusit = setup::makeButton(QStringLiteral("přerušit"), QStringLiteral("btPrerusit"),
                                         QStringLiteral("zpět, beze změny"), this);
    auto* btHotovo = setup::makeButton(QStringLiteral("hotovo"), QStringLiteral("btHotovo"),
                                       QStringLiteral("hotovo, převzít vlastnosti"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btPrerusit);
    buttons->addWidget(btHotovo);
    box->addLayout(buttons);
    connect(btPrerusit, &QPushButton::clicked, this, &QDialog::reject);
    connect(btHotovo, &QPushButton::clicked, this, &QDialog::accept);
}

std::uint8_t TATROPR::attributes() const {
    std::array<bool, 4> checked{};
    for (std::size_t i = 0; i < objects_.size(); ++i) {
        checked[i] = objects_[i] != nullptr && objects_[i]->isChecked();
    }
    std::optional<int> kind;
    if (keyKinds_ != nullptr && keyKinds_->checkedId() >= 0) {
        kind = keyKinds_->checkedId();
    }
    return builtAttributes(unitType_, oldAttributes_, checked, kind);
}

} // namespace qtr::access
