#include "app/demo_bus.h"

#include "app/demo_installation.h"
#include "comm/comm_parameters.h"
#include "db/configuration_database.h"
#include "sim/scenario.h"
#include "ui/message_routines.h"
#include "ui/qt_text.h"
#include "ui/ui_services.h"

#include <QCoreApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qtr {

void DemoKeyChooser::askForKey() {
    QDialog d;
    d.setObjectName(QStringLiteral("DemoKeyChooser"));
    d.setWindowTitle(QStringLiteral("ČTENÍ KLÍČE"));
    auto* text = new QLabel(QStringLiteral("Vložte identifikační klíč!\n\nUkázkový režim: vyberte "
                                           "klíč, který se přiloží ke čtečce."),
                            &d);
    auto* list = new QListWidget(&d);
    list->setObjectName(QStringLiteral("lbKlice"));
    for (const auto& [key, what] : keys) {
        list->addItem(ui::toQ(key.text() + "  " + what));
    }
    list->setCurrentRow(0);
    auto* btPrilozit = new QPushButton(QStringLiteral("přiložit"), &d);
    btPrilozit->setObjectName(QStringLiteral("btPrilozit"));
    btPrilozit->setDefault(true);
    auto* btBez = new QPushButton(QStringLiteral("bez klíče"), &d);
    btBez->setObjectName(QStringLiteral("btBez"));
    QObject::connect(btPrilozit, &QPushButton::clicked, &d, &QDialog::accept);
    QObject::connect(btBez, &QPushButton::clicked, &d, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &d, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btPrilozit);
    buttons->addWidget(btBez);
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(text);
    layout->addWidget(list);
    layout->addLayout(buttons);
    d.resize(420, 360);
    if (ui::execModal(d) != QDialog::Accepted || list->currentRow() < 0) {
        return;
    }
    if (sim::SimUnit* reader = bus_.unit(settings_.readerAddress); reader && reader->isReader()) {
        reader->presentKey(0, keys[static_cast<std::size_t>(list->currentRow())].first,
                           clock_.now());
    }
}

void DemoKeyChooser::showReadFailure(const std::string& errorText) {
    ui::messageOk(ui::toQ(errorText), QStringLiteral("čtení klíče"));
}

DemoControl::DemoControl(std::filesystem::path dir, const Clock& clock)
    : dir_(std::move(dir)), clock_(clock), bus_(clock),
      transaction_(bus_, sim::SimulatedLine{.realTime = true, .baud = 9600}),
      chooser_(bus_, clock, settings_) {
    settings_.readerAddress = kDemoReaderAddress;
    // A parameter file that cannot be read leaves the defaults; the demo runs anyway.
    (void)loadCommParameters(dir_, settings_.parameters);
    // The window stays responsive while a simulated unit thinks.
    transaction_.onPendingMessages = [] { QCoreApplication::processEvents(); };
}

void DemoControl::populate(const ConfigurationDatabase& db, const KeyNumber& masterKey) {
    sim::UnitSetup reader;
    reader.address = kDemoReaderAddress;
    reader.model = sim::kModelReader;
    reader.name = "čtečka u PC";
    bus_.addUnit(reader);
    for (int i = 1; i <= db.units.count(); ++i) {
        const ControlUnitRecord& u = db.units.at(i);
        bus_.addUnit(sim::unitSetupForType(u.address, u.unitType, u.unitName.text()));
    }
    // Into service the way the full configuration does it, without its rights:
    // the units then refuse every key but record each presentation.
    const auto saved = transaction_.onPendingMessages;
    transaction_.onPendingMessages = nullptr;
    sim::SimulatedTransaction quick(bus_);
    for (int i = 1; i <= db.units.count(); ++i) {
        const ControlUnitRecord& u = db.units.at(i);
        (void)(quick.KonfigurovatJednotku(u) && quick.NulovatJednotku(u) &&
               quick.UzamknoutJednotku(u) && quick.NastavitCasJednotky(u, clock_.now()) &&
               quick.NastavTamperMask(u) && quick.NastavReleMask(u));
    }
    transaction_.onPendingMessages = saved;

    chooser_.keys.clear();
    chooser_.keys.emplace_back(masterKey, "klíč správce (ukázka)");
    for (int i = 1; i <= db.keyHolders.count(); ++i) {
        const KeyHolderRecord& h = db.keyHolders.at(i);
        chooser_.keys.emplace_back(h.keyNumber, h.holderName.text());
    }
    // A few passages, so that the status windows show events waiting for collection.
    const int holders = db.keyHolders.count();
    int n = 0;
    for (auto& [address, unit] : bus_.units()) {
        if (unit.isReader() || holders == 0) {
            continue;
        }
        for (int k = 0; k < 3; ++k) {
            unit.presentKey(0, db.keyHolders.at(1 + (n + k) % holders).keyNumber, clock_.now());
        }
        n += 2;
    }
}

std::string DemoControl::saveSettings() {
    const FileResult r = saveCommParameters(dir_, settings_.parameters);
    return r ? std::string() : r.error();
}

std::string DemoControl::commDescription() const {
    return qtr::commDescription(settings_.parameters);
}

std::vector<std::string> DemoControl::availablePorts() {
    return {"COM1", "COM2", "COM3", "COM4"};
}

} // namespace qtr
