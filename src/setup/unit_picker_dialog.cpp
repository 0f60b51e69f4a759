#include "setup/unit_picker_dialog.h"

#include "db/tables.h"
#include "ui/qt_text.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace qtr::setup {

TSELJED::TSELJED(const ControlUnitTable& units, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TSELJED"));
    setWindowTitle(QStringLiteral("Určení jednotky"));
    setToolTip(QStringLiteral("vytváříte seznam jednotek, které budou použity"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    list_->setMinimumSize(220, 240);
    std::vector<std::string> names;
    units.fillNameList(names);
    for (std::size_t i = 0; i < names.size(); ++i) {
        auto* item = new QListWidgetItem(ui::toQ(names[i]), list_);
        item->setData(Qt::UserRole, units.at(static_cast<int>(i) + 1).address);
    }
    auto* box = new QVBoxLayout(this);
    box->addWidget(list_);
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        address_ = static_cast<std::uint8_t>(item->data(Qt::UserRole).toUInt());
        accept();
    });
}

} // namespace qtr::setup
