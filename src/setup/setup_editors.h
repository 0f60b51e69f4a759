#pragma once

#include "base/file_result.h"
#include "setup/key_reader.h"

#include <filesystem>

class QWidget;

namespace qtr {
struct ConfigurationDatabase;
}

// What the main menu does for "Osoby (nositelé &klíčů)", "Organizační &skupiny"
// and "Řídící &jednotky": opens the editor modally on the in-memory tables and,
// when it closes, saves the edited table's file in `dir`. The result is that of
// the save, for the application's error handler.
namespace qtr::setup {

FileResult runKeyHolderRegister(ConfigurationDatabase& db, const std::filesystem::path& dir,
                                KeyReading reading, QWidget* parent);
FileResult runGroupRegister(ConfigurationDatabase& db, const std::filesystem::path& dir,
                            QWidget* parent);
FileResult runUnitEditor(ConfigurationDatabase& db, const std::filesystem::path& dir,
                         QWidget* parent);

} // namespace qtr::setup
