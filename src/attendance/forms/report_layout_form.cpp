#include "attendance/forms/report_layout_form.h"

#include "attendance/attendance_files.h"
#include "attendance/report_layout.h"
#include "docs/forms/report_pages.h"
#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "ui/record_editor.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qtr {

TDM00003::TDM00003(AttendanceData& data, std::filesystem::path dir, QWidget* parent)
    : QDialog(parent), data_(data), dir_(std::move(dir)) {
    setObjectName(QStringLiteral("TDM00003"));
    setWindowTitle(QStringLiteral("Tvar výstupního řádku sestavy"));
    lbPolozky_ = new QListWidget(this);
    lbPolozky_->setObjectName(QStringLiteral("lbPolozky"));
    lbPolozky_->setToolTip(QStringLiteral("klepnutím přidáte sloupec sestavy"));
    lbSloupce_ = new QListWidget(this);
    lbSloupce_->setObjectName(QStringLiteral("lbSloupce"));
    lbSloupce_->setToolTip(QStringLiteral("klepnutím sloupec odeberete"));
    laNahled_ = new QLabel(this);
    laNahled_->setObjectName(QStringLiteral("laNahled"));
    QFont tiny = reportFont();
    tiny.setPointSize(6);
    laNahled_->setFont(tiny);
    laNahled_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    btVymazat_ = ui::makeButton(QStringLiteral("vymazat vše"), QStringLiteral("btVymazat"),
                                QStringLiteral("odebere všechny sloupce"), this);
    auto* btZpet = ui::makeButton(QStringLiteral("zpět"), QStringLiteral("btZpet"),
                                  QStringLiteral("zpět, beze změny"), this);
    auto* btPouzit = ui::makeButton(QStringLiteral("použít"), QStringLiteral("btPouzit"),
                                    QStringLiteral("uloží tvar řádku"), this);

    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("Datová položka"), this), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("Sloupec sestavy"), this), 0, 1);
    lists->addWidget(lbPolozky_, 1, 0);
    lists->addWidget(lbSloupce_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btVymazat_);
    buttons->addStretch(1);
    buttons->addWidget(btZpet);
    buttons->addWidget(btPouzit);
    auto* box = new QVBoxLayout(this);
    box->addLayout(lists, 1);
    box->addWidget(laNahled_);
    box->addLayout(buttons);
    resize(520, 420);

    for (const std::string& name : reportItemNames(data_.codeList)) {
        lbPolozky_->addItem(ui::toQ(name));
    }
    connect(lbPolozky_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        appendReportItem(data_.rowDefinition, data_.codeList, ui::fromQ(item->text()));
        showColumns();
    });
    connect(lbSloupce_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        data_.rowDefinition.remove(lbSloupce_->row(item) + 1);
        showColumns();
    });
    connect(btVymazat_, &QPushButton::clicked, this, [this] {
        data_.rowDefinition.clear();
        showColumns();
    });
    connect(btZpet, &QPushButton::clicked, this, &TDM00003::reject);
    connect(btPouzit, &QPushButton::clicked, this, &TDM00003::btPouzitClick);
    showColumns();
}

void TDM00003::showColumns() {
    const ReportRowDefinition& columns = data_.rowDefinition;
    lbSloupce_->clear();
    for (int i = 1; i <= columns.count(); ++i) {
        lbSloupce_->addItem(ui::toQ(columns.at(i).column.heading.text()));
    }
    laNahled_->setText(ui::toQ(rowPreviewText(columns)));
    lbPolozky_->setEnabled(columns.count() < ReportRowDefinition::kCapacity);
    lbSloupce_->setEnabled(columns.count() > 0);
    btVymazat_->setEnabled(columns.count() > 0);
}

void TDM00003::btPouzitClick() {
    if (FileResult r = saveRowDefinition(dir_ / kRowDefinitionFile, data_.rowDefinition); !r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
        return;
    }
    accept();
}

void TDM00003::reject() {
    if (FileResult r = loadRowDefinition(dir_ / kRowDefinitionFile, data_.rowDefinition); !r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
    }
    QDialog::reject();
}

TDM00008::TDM00008(RoundingSteps& steps, QWidget* parent) : QDialog(parent), steps_(steps) {
    setObjectName(QStringLiteral("TDM00008"));
    setWindowTitle(QStringLiteral("Krok hodin docházky"));
    auto spin = [this](const char* name, int value, const QString& hint) {
        auto* s = new QSpinBox(this);
        s->setObjectName(QString::fromLatin1(name));
        s->setRange(1, 59);
        s->setValue(value);
        s->setToolTip(hint);
        return s;
    };
    seKrok1_ =
        spin("seKrok1", steps.firstArrivalStep, QStringLiteral("zaokrouhlení nahoru po minutách"));
    seKrok2_ =
        spin("seKrok2", steps.lastDepartureStep, QStringLiteral("zaokrouhlení dolů po minutách"));
    auto* btZpet = ui::makeButton(QStringLiteral("zpět"), QStringLiteral("btZpet"),
                                  QStringLiteral("beze změny"), this);
    auto* btPouzit = ui::makeButton(QStringLiteral("použít"), QStringLiteral("btPouzit"),
                                    QStringLiteral("převezme kroky"), this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Při prvním příchodu"), seKrok1_);
    form->addRow(QStringLiteral("Při posledním odchodu"), seKrok2_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btZpet);
    buttons->addWidget(btPouzit);
    auto* box = new QVBoxLayout(this);
    box->addLayout(form);
    box->addLayout(buttons);
    connect(btZpet, &QPushButton::clicked, this, &QDialog::reject);
    connect(btPouzit, &QPushButton::clicked, this, [this] {
        steps_.firstArrivalStep = seKrok1_->value();
        steps_.lastDepartureStep = seKrok2_->value();
        accept();
    });
}

} // namespace qtr
