#include "docs/forms/output_window.h"

#include "docs/forms/report_pages.h"
#include "docs/output_file.h"
#include "docs/work_file.h"
#include "ui/message_routines.h"
#include "ui/named_button.h"
#include "ui/qt_text.h"
#include "ui/ui_services.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

namespace qtr {
namespace fs = std::filesystem;

void showReport(const fs::path& dir, const std::vector<std::string>& lines, QWidget* parent) {
    if (const FileResult r = writeWorkFile(dir, lines); !r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
        return;
    }
    showWorkFile(dir, parent);
}

void showWorkFile(const fs::path& dir, QWidget* parent) {
    TOUTTXT window(workFilePath(dir), parent);
    if (window.FormShow()) {
        ui::execModal(window);
    }
}

TFEX::TFEX(const QString& file, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFEX"));
    setWindowTitle(QStringLiteral("Soubor VYSTUP.TXT existuje!"));
    auto* laSoubor = new QLabel(QStringLiteral("Soubor %1 již existuje.").arg(file), this);
    laSoubor->setObjectName(QStringLiteral("laSoubor"));
    laSoubor->setWordWrap(true);
    QPushButton* btPrepsat = ui::namedButton(QStringLiteral("Přepsat"), "btPrepsat", this);
    QPushButton* btDoplnit = ui::namedButton(QStringLiteral("Doplnit"), "btDoplnit", this);
    QPushButton* btZrusit = ui::namedButton(QStringLiteral("Zrušit"), "btZrusit", this);
    // Enter must not destroy a file: it cancels.
    btZrusit->setDefault(true);
    connect(btPrepsat, &QPushButton::clicked, this, [this] { done(Prepsat); });
    connect(btDoplnit, &QPushButton::clicked, this, [this] { done(Doplnit); });
    connect(btZrusit, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btPrepsat);
    buttons->addWidget(btDoplnit);
    buttons->addWidget(btZrusit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(laSoubor);
    layout->addLayout(buttons);
}

TOUTTXT::TOUTTXT(fs::path workFile, QWidget* parent)
    : QDialog(parent), workFile_(std::move(workFile)) {
    setObjectName(QStringLiteral("TOUTTXT"));
    setWindowTitle(QStringLiteral("Manipulace se zpracovaným výstupem"));

    meOutList_ = new QPlainTextEdit(this);
    meOutList_->setObjectName(QStringLiteral("meOutList"));
    meOutList_->setReadOnly(true);
    meOutList_->setLineWrapMode(QPlainTextEdit::NoWrap);
    meOutList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    meOutList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    meOutList_->setFont(reportFont());

    SpeedButton1_ = ui::namedButton(QStringLiteral("opravy"), "SpeedButton1", this);
    SpeedButton1_->setCheckable(true);
    QPushButton* SpeedButton2 = ui::namedButton(QStringLiteral("původní"), "SpeedButton2", this);
    QPushButton* sbFnt = ui::namedButton(QStringLiteral("písmo"), "sbFnt", this);
    QPushButton* sbSetup = ui::namedButton(QStringLiteral("tiskárna"), "sbSetup", this);
    QPushButton* sbPrn = ui::namedButton(QStringLiteral("tisknout"), "sbPrn", this);
    QPushButton* SpeedButton3 = ui::namedButton(QStringLiteral("do souboru"), "SpeedButton3", this);
    laOpravy_ = new QLabel(QStringLiteral("lze opravovat"), this);
    laOpravy_->setObjectName(QStringLiteral("laOpravy"));
    laOpravy_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    laOpravy_->hide();

    connect(SpeedButton1_, &QPushButton::toggled, this, &TOUTTXT::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TOUTTXT::SpeedButton2Click);
    connect(sbFnt, &QPushButton::clicked, this, &TOUTTXT::sbFntClick);
    connect(sbSetup, &QPushButton::clicked, this, &TOUTTXT::sbSetupClick);
    connect(sbPrn, &QPushButton::clicked, this, &TOUTTXT::sbPrnClick);
    connect(SpeedButton3, &QPushButton::clicked, this, &TOUTTXT::SpeedButton3Click);

    auto* bar = new QHBoxLayout;
    bar->addWidget(SpeedButton1_);
    bar->addWidget(SpeedButton2);
    bar->addWidget(laOpravy_);
    bar->addStretch();
    bar->addWidget(sbFnt);
    bar->addWidget(sbSetup);
    bar->addWidget(sbPrn);
    bar->addSpacing(12);
    bar->addWidget(SpeedButton3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(meOutList_);
    resize(780, 560);
}

TOUTTXT::~TOUTTXT() = default;

bool TOUTTXT::loadWorkFile() {
    std::error_code ec;
    if (!fs::exists(workFile_, ec)) {
        ui::messageOk(QStringLiteral("Žádná data pro výstup"));
        return false;
    }
    std::vector<std::string> lines;
    if (const FileResult r = readTextFileLines(workFile_, lines); !r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
        return false;
    }
    QStringList text;
    for (const std::string& line : lines) {
        text << ui::toQ(line);
    }
    meOutList_->setPlainText(text.join(u'\n'));
    return true;
}

bool TOUTTXT::FormShow() {
    if (!loadWorkFile()) {
        return false;
    }
    meOutList_->setFocus();
    return true;
}

QStringList TOUTTXT::outputLines() const {
    QStringList lines;
    const QTextDocument* document = meOutList_->document();
    if (document->isEmpty()) {
        return lines;
    }
    // Block by block rather than toPlainText(), which turns no-break spaces into blanks.
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        lines << block.text();
    }
    return lines;
}

QPrinter& TOUTTXT::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setPageLayout(reportPageLayout());
    }
    return *printer_;
}

void TOUTTXT::sbSetupClick() {
    ui::dialogProvider().printerSetup(this, printer());
}

void TOUTTXT::sbPrnClick() {
    QPrinter& p = printer();
    if (!ui::dialogProvider().printDialog(this, p)) {
        return;
    }
    p.setDocName(ui::toQ(workFile_.filename().string()));
    if (paintReportPages(p, outputLines(), meOutList_->font()) == 0) {
        const QString where = p.outputFileName().isEmpty() ? p.printerName() : p.outputFileName();
        ui::messageOk(QStringLiteral("Tisk se nezdařil: %1").arg(where), {}, u'E');
        return;
    }
    accept();
}

void TOUTTXT::sbFntClick() {
    if (const auto font = ui::dialogProvider().chooseFont(this, meOutList_->font())) {
        meOutList_->hide();
        meOutList_->setFont(*font);
        meOutList_->show();
    }
}

void TOUTTXT::SpeedButton1Click(bool down) {
    meOutList_->setReadOnly(!down);
    laOpravy_->setVisible(down);
    if (SpeedButton1_->isChecked() != down) {
        SpeedButton1_->setChecked(down);
    }
}

void TOUTTXT::SpeedButton2Click() {
    loadWorkFile();
}

void TOUTTXT::SpeedButton3Click() {
    const QString proposed = ui::toQ((workFile_.parent_path() / kOutputFileName).string());
    std::optional<QString> chosen = ui::dialogProvider().saveFileName(
        this, QStringLiteral("Určete soubor"), proposed,
        QStringLiteral("Textové soubory (*.TXT *.txt);;Všechny soubory (*)"),
        ui::OverwriteQuestion::Leave);
    // Cancelling leaves the window and its corrections as they are.
    if (!chosen) {
        return;
    }
    if (QFileInfo(*chosen).suffix().isEmpty()) {
        *chosen += QStringLiteral(".TXT");
    }
    const fs::path file = ui::fromQ(*chosen);
    OutputFileMode mode = OutputFileMode::Overwrite;
    std::error_code ec;
    if (fs::exists(file, ec)) {
        TFEX question(*chosen, this);
        switch (ui::execModal(question)) {
        case TFEX::Prepsat:
            break;
        case TFEX::Doplnit:
            mode = OutputFileMode::Append;
            break;
        default:
            return;
        }
    }
    std::vector<std::string> lines;
    for (const QString& line : outputLines()) {
        lines.push_back(ui::fromQ(line));
    }
    if (const FileResult r = saveOutputFile(file, lines, mode); !r) {
        ui::messageOk(ui::toQ(r.error()), {}, u'E');
        return;
    }
    accept();
}

} // namespace qtr
