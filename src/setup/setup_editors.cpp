#include "setup/setup_editors.h"

#include "db/configuration_database.h"
#include "db/data_files.h"
#include "setup/control_units_form.h"
#include "setup/groups_form.h"
#include "setup/key_holders_form.h"
#include "ui/ui_services.h"

namespace qtr::setup {

FileResult runKeyHolderRegister(ConfigurationDatabase& db, const std::filesystem::path& dir,
                                KeyReading reading, QWidget* parent) {
    {
        TKEYS form(db, std::move(reading), dir / kKeyHoldersFile, parent);
        ui::execModal(form);
    }
    return db.keyHolders.save(dir / kKeyHoldersFile);
}

FileResult runGroupRegister(ConfigurationDatabase& db, const std::filesystem::path& dir,
                            QWidget* parent) {
    {
        TSKUP form(db.groups, parent);
        ui::execModal(form);
    }
    return db.groups.save(dir / kGroupsFile);
}

FileResult runUnitEditor(ConfigurationDatabase& db, const std::filesystem::path& dir,
                         QWidget* parent) {
    {
        TJEDDEF form(db, parent);
        ui::execModal(form);
    }
    return db.units.save(dir / kUnitsFile);
}

} // namespace qtr::setup
