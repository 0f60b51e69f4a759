#include "docs/forms/settings_documentation_form.h"

#include "db/configuration_database.h"
#include "docs/forms/output_window.h"
#include "docs/forms/report_pages.h"
#include "docs/settings_documentation.h"
#include "ui/named_button.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

namespace qtr {

TDOK0::TDOK0(const ConfigurationDatabase& db, std::filesystem::path dir, QWidget* parent)
    : QDialog(parent), db_(db), dir_(std::move(dir)) {
    setObjectName(QStringLiteral("TDOK0"));
    setWindowTitle(QStringLiteral("Dokumentace systému"));

    Memo1_ = new QPlainTextEdit(this);
    Memo1_->setObjectName(QStringLiteral("Memo1"));
    Memo1_->setReadOnly(true);
    Memo1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1_->setFont(reportFont());

    QPushButton* sbListHwj = ui::namedButton(QStringLiteral("&Popis jednotek"), "sbListHwj", this);
    QPushButton* sbListKey = ui::namedButton(QStringLiteral("&Seznam klíčů"), "sbListKey", this);
    QPushButton* sbListRts =
        ui::namedButton(QStringLiteral("Přehled &nastavení"), "sbListRts", this);
    CheckBox1_ = new QCheckBox(QStringLiteral("d&etail oprávnění"), this);
    CheckBox1_->setObjectName(QStringLiteral("CheckBox1"));
    QPushButton* BitBtn1 = ui::namedButton(QStringLiteral("&Dokument"), "BitBtn1", this);
    QPushButton* Button1 = ui::namedButton(QStringLiteral("&Vymazat"), "Button1", this);
    QPushButton* BitBtn2 = ui::namedButton(QStringLiteral("&konec"), "BitBtn2", this);
    Vyvoj_ = new QProgressBar(this);
    Vyvoj_->setObjectName(QStringLiteral("Vyvoj"));
    Vyvoj_->setTextVisible(false);
    Vyvoj_->setRange(0, 1);
    Vyvoj_->setValue(0);

    sbListHwj->setEnabled(db_.units.count() > 0);
    sbListKey->setEnabled(db_.keyHolders.count() > 0);
    sbListRts->setEnabled(db_.keyHolders.count() > 0);

    connect(sbListHwj, &QPushButton::clicked, this, &TDOK0::sbListHwjClick);
    connect(sbListKey, &QPushButton::clicked, this, &TDOK0::sbListKeyClick);
    connect(sbListRts, &QPushButton::clicked, this, &TDOK0::sbListRtsClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TDOK0::BitBtn1Click);
    connect(Button1, &QPushButton::clicked, this, &TDOK0::Button1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);

    auto* reports = new QVBoxLayout;
    reports->addWidget(sbListHwj);
    reports->addWidget(sbListKey);
    reports->addWidget(sbListRts);
    reports->addWidget(CheckBox1_);
    reports->addStretch();
    reports->addWidget(BitBtn1);
    reports->addWidget(Button1);
    reports->addSpacing(12);
    reports->addWidget(BitBtn2);
    auto* top = new QHBoxLayout;
    top->addWidget(Memo1_, 1);
    top->addLayout(reports);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Vyvoj_);
    resize(780, 520);
}

void TDOK0::addReport(
    int records,
    const std::function<std::vector<std::string>(const std::function<void(int)>&)>& produce) {
    Memo1_->hide();
    Vyvoj_->setRange(0, std::max(records, 1));
    const std::vector<std::string> report = produce([this](int done) { Vyvoj_->setValue(done); });
    Vyvoj_->setValue(0);

    const int firstLine = static_cast<int>(lines_.size());
    lines_.insert(lines_.end(), report.begin(), report.end());
    QStringList text;
    for (const std::string& line : lines_) {
        text << ui::toQ(line);
    }
    Memo1_->setPlainText(text.join(u'\n'));
    Memo1_->show();
    Memo1_->setFocus();
    // The new report starts at the top of the view.
    Memo1_->setTextCursor(QTextCursor(Memo1_->document()->findBlockByNumber(firstLine)));
    Memo1_->verticalScrollBar()->setValue(firstLine);
}

void TDOK0::sbListHwjClick() {
    addReport(db_.units.count(),
              [this](const ReportProgress& p) { return unitDescriptionLines(db_.units, p); });
}

void TDOK0::sbListKeyClick() {
    addReport(db_.keyHolders.count(),
              [this](const ReportProgress& p) { return keyListLines(db_.keyHolders, p); });
}

void TDOK0::sbListRtsClick() {
    const bool detail = CheckBox1_->isChecked();
    addReport(db_.keyHolders.count(), [this, detail](const ReportProgress& p) {
        return rightsOverviewLines(db_, detail, p);
    });
}

void TDOK0::BitBtn1Click() {
    showReport(dir_, lines_, this);
}

void TDOK0::Button1Click() {
    lines_.clear();
    Memo1_->clear();
}

} // namespace qtr
