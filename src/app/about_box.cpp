#include "app/about_box.h"

#include "ui/message_routines.h"
#include "ui/qt_text.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qtr {

QString availableMemoryText(const std::optional<MemoryFigures>& memory) {
    return memory ? ui::toQ(withThousandsSeparators(memory->totalKb)) + QStringLiteral(" KB")
                  : QStringLiteral("?");
}

QString memoryLoadText(const std::optional<MemoryFigures>& memory) {
    return memory ? QString::number(memory->loadPercent) + QStringLiteral(" %")
                  : QStringLiteral("?");
}

TQTRABOUT::TQTRABOUT(const std::optional<MemoryFigures>& memory, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("TQTRABOUT"));
    setWindowTitle(QStringLiteral("Účel programu"));

    auto* ProductName = new QLabel(ui::kApplicationTitle, this);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    QFont bold = ProductName->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 3);
    ProductName->setFont(bold);
    auto* Version = new QLabel(QStringLiteral("základní program pro vytvoření"), this);
    Version->setObjectName(QStringLiteral("Version"));
    auto* Copyright = new QLabel(QStringLiteral("a používání přístupového systému"), this);
    Copyright->setObjectName(QStringLiteral("Copyright"));

    auto* Comments = new QPlainTextEdit(this);
    Comments->setObjectName(QStringLiteral("Comments"));
    Comments->setReadOnly(true);
    Comments->setPlainText(QStringLiteral(
        "Program spravuje definici přístupového a docházkového systému: osoby a jejich "
        "identifikační klíče, organizační skupiny, řídící jednotky, časy pro přístup a "
        "skupiny oprávnění. Jednotkám na sběrnici posílá úplné nastavení, sbírá od nich "
        "události, vede historii událostí a z docházkových událostí sestavuje docházkové "
        "karty a výkazy."));
    Comments->setMinimumHeight(110);

    auto* laPamet = new QLabel(availableMemoryText(memory), this);
    laPamet->setObjectName(QStringLiteral("laPamet"));
    auto* laVyuziti = new QLabel(memoryLoadText(memory), this);
    laVyuziti->setObjectName(QStringLiteral("laVyuziti"));
    auto* figures = new QFormLayout;
    figures->addRow(QStringLiteral("Dostupná paměť"), laPamet);
    figures->addRow(QStringLiteral("Využití paměti"), laVyuziti);

    auto* btOk = new QPushButton(QStringLiteral("OK"), this);
    btOk->setObjectName(QStringLiteral("OKButton"));
    btOk->setDefault(true);
    connect(btOk, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOk);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ProductName);
    layout->addWidget(Version);
    layout->addWidget(Copyright);
    layout->addWidget(Comments);
    layout->addLayout(figures);
    layout->addLayout(buttons);
    resize(420, 340);
}

} // namespace qtr
