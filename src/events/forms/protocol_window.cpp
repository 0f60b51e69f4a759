#include "events/forms/protocol_window.h"

#include "ui/message_routines.h"
#include "ui/qt_text.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qtr {

TPRTKOL::TPRTKOL(const ProtocolLog& log, QWidget* parent) : QDialog(parent), log_(log) {
    setObjectName(QStringLiteral("TPRTKOL"));
    setWindowTitle(QStringLiteral("Systémový protokol"));
    Memo1_ = new QPlainTextEdit(this);
    Memo1_->setObjectName(QStringLiteral("Memo1"));
    Memo1_->setReadOnly(true);
    Memo1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Memo1_->setMinimumSize(560, 380);
    auto* btVymazat = new QPushButton(QStringLiteral("vymazat"), this);
    btVymazat->setObjectName(QStringLiteral("btVymazat"));
    btVymazat->setToolTip(QStringLiteral("vymaže systémový protokol"));
    btVymazat->setAutoDefault(false);
    auto* btZpet = new QPushButton(QStringLiteral("zpět"), this);
    btZpet->setObjectName(QStringLiteral("btZpet"));
    btZpet->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btVymazat);
    buttons->addStretch(1);
    buttons->addWidget(btZpet);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo1_, 1);
    layout->addLayout(buttons);
    connect(btVymazat, &QPushButton::clicked, this, &TPRTKOL::btVymazatClick);
    connect(btZpet, &QPushButton::clicked, this, &QDialog::accept);
    FormShow();
}

void TPRTKOL::FormShow() {
    std::vector<std::string> lines;
    const FileResult r = log_.read(lines);
    QStringList texts;
    for (const auto& l : lines) {
        texts << ui::toQ(l);
    }
    Memo1_->setPlainText(texts.join(u'\n'));
    Memo1_->moveCursor(QTextCursor::End);
    if (!r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
    }
}

void TPRTKOL::btVymazatClick() {
    if (ui::messageYesNo(QStringLiteral("Vymazat celý systémový protokol?"),
                         QStringLiteral("Systémový protokol"), u'Q') != ui::MessageAnswer::Yes) {
        return;
    }
    if (FileResult r = log_.clear(); !r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
    }
    FormShow();
}

} // namespace qtr
