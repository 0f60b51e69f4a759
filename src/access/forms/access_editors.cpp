#include "access/forms/access_editors.h"

#include "access/forms/permission_groups_form.h"
#include "access/forms/schedules_form.h"
#include "db/configuration_database.h"
#include "db/data_files.h"
#include "ui/ui_services.h"

namespace qtr::access {
namespace {

// The first failure of the saves that ran.
FileResult firstFailure(std::initializer_list<FileResult> results) {
    for (const FileResult& r : results) {
        if (!r) {
            return r;
        }
    }
    return FileResult::success();
}

} // namespace

FileResult runScheduleEditor(ConfigurationDatabase& db, const std::filesystem::path& dir,
                             QWidget* parent) {
    int renamed = 0;
    {
        TCASACC form(db.schedules, db.permissionGroups, TCASACC::Use::Editor, parent);
        ui::execModal(form);
        renamed = form.referencesRenamed();
    }
    db.schedules.sortByName();
    const FileResult schedules = db.schedules.save(dir / kSchedulesFile);
    const FileResult groups =
        renamed > 0 ? db.permissionGroups.save(dir / kPermissionGroupsFile) : FileResult::success();
    return firstFailure({schedules, groups});
}

FileResult runPermissionGroupEditor(ConfigurationDatabase& db, const std::filesystem::path& dir,
                                    QWidget* parent) {
    int renamed = 0;
    bool schedulesChanged = false;
    {
        TACCRTS form(db, parent);
        ui::execModal(form);
        renamed = form.referencesRenamed();
        schedulesChanged = form.schedulesChanged();
    }
    const FileResult groups = db.permissionGroups.save(dir / kPermissionGroupsFile);
    const FileResult holders =
        renamed > 0 ? db.keyHolders.save(dir / kKeyHoldersFile) : FileResult::success();
    const FileResult schedules =
        schedulesChanged ? db.schedules.save(dir / kSchedulesFile) : FileResult::success();
    return firstFailure({groups, holders, schedules});
}

} // namespace qtr::access
