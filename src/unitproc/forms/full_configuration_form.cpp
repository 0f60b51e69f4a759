#include "unitproc/forms/full_configuration_form.h"

#include "base/clock.h"
#include "events/event_file.h"
#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "unitproc/communication_control.h"
#include "unitproc/forms/memo_log.h"
#include "unitproc/full_configuration.h"
#include "unitproc/rights_compilation.h"
#include "unitproc/unit_statistics.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qtr {

TSNDRTS0::TSNDRTS0(const ConfigurationDatabase& db, CommunicationControl& comm,
                   std::filesystem::path dir, const Clock& clock, QWidget* parent)
    : ProcedureWindow(parent), db_(db), comm_(comm), dir_(std::move(dir)), clock_(clock) {
    setObjectName(QStringLiteral("TSNDRTS0"));
    setWindowTitle(QStringLiteral("Nastavení jednotek systému podle obsahu databází"));

    sgStat_ = new QTableWidget(5, 5, this);
    sgStat_->setObjectName(QStringLiteral("sgStat"));
    sgStat_->horizontalHeader()->hide();
    sgStat_->verticalHeader()->hide();
    sgStat_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgStat_->setSelectionMode(QAbstractItemView::NoSelection);
    sgStat_->setFocusPolicy(Qt::NoFocus);
    sgStat_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    sgStat_->verticalHeader()->setDefaultSectionSize(22);
    sgStat_->setFixedHeight(5 * 22 + 4);

    meErrRts_ = new QPlainTextEdit(this);
    meErrRts_->setObjectName(QStringLiteral("meErrRts"));
    meErrRts_->setReadOnly(true);
    meErrRts_->setLineWrapMode(QPlainTextEdit::NoWrap);
    ProgressBar1_ = new QProgressBar(this);
    ProgressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1_->setValue(0);

    btKontrola_ = new QPushButton(QStringLiteral("Kontrola"), this);
    btKontrola_->setObjectName(QStringLiteral("btKontrola"));
    btSend_ = new QPushButton(QStringLiteral("Nastavit"), this);
    btSend_->setObjectName(QStringLiteral("btSend"));
    btStop_ = new QPushButton(QStringLiteral("Přerušit"), this);
    btStop_->setObjectName(QStringLiteral("btStop"));
    btStop_->hide();
    connect(btKontrola_, &QPushButton::clicked, this, &TSNDRTS0::btKontrolaClick);
    connect(btSend_, &QPushButton::clicked, this, &TSNDRTS0::btSendClick);
    connect(btStop_, &QPushButton::clicked, this, &TSNDRTS0::btStopClick);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btKontrola_);
    buttons->addWidget(btSend_);
    buttons->addWidget(btStop_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sgStat_);
    layout->addLayout(buttons);
    layout->addWidget(meErrRts_, 1);
    layout->addWidget(ProgressBar1_);
    resize(640, 520);

    ShowStatistics();
    if (db_.keyHolders.count() == 0 || db_.units.count() == 0) {
        btKontrola_->hide();
    }
}

void TSNDRTS0::ShowStatistics() {
    const StatisticsGrid grid = qtr::ShowStatistics(db_);
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 5; ++c) {
            auto* item = new QTableWidgetItem(
                ui::toQ(grid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]));
            // The first two rows and the first column are the grid's fixed captions.
            if (r < 2 || c == 0) {
                item->setBackground(palette().button());
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
            }
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
            sgStat_->setItem(r, c, item);
        }
    }
}

void TSNDRTS0::btKontrolaClick() {
    meErrRts_->clear();
    meErrRts_->hide();
    MemoLog log(meErrRts_, ProgressBar1_);
    CompiledRights compiled;
    const FileResult r = CreateRights(db_, dir_, true, &log, compiled);
    meErrRts_->show();
    if (!r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
    }
    if (meErrRts_->document()->isEmpty()) {
        log.addLine("Žádné chyby nezjištěny.");
    }
}

void TSNDRTS0::btSendClick() {
    if (running_) {
        return;
    }
    CompiledRights compiled;
    std::vector<RightRecord> rights;
    FileResult r = CreateRights(db_, dir_, false, nullptr, compiled);
    if (r && compiled.compiled) {
        r = readRightsFile(dir_ / kRightsFile, rights);
    }
    if (!r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
        return;
    }
    errorFlag_ = false;
    meErrRts_->clear();
    btKontrola_->setEnabled(false);
    btSend_->setEnabled(false);
    btStop_->show();
    running_ = true;
    MemoLog log(meErrRts_, ProgressBar1_);
    CollectionStore events(dir_ / kEventFile);
    const FullConfigurationResult result =
        UplneNastaveni(comm_.bus(), db_, rights, clock_, events, log);
    errorFlag_ = errorFlag_ || result.errorFlag;
    running_ = false;
    StopProces();
}

void TSNDRTS0::btStopClick() {
    comm_.bus().aborted = true;
    errorFlag_ = true;
}

void TSNDRTS0::StopProces() {
    btStop_->hide();
    btKontrola_->setEnabled(true);
    btSend_->setEnabled(true);
    const QString text = QString::fromUtf8(fullConfigurationMessage(errorFlag_));
    ui::messageOk(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), {},
                  errorFlag_ ? u'!' : u'I');
}

} // namespace qtr
