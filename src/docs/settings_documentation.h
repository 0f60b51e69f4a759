#pragma once

#include <functional>
#include <string>
#include <vector>

namespace qtr {

class ControlUnitTable;
class KeyHolderTable;
struct ConfigurationDatabase;

// The three plain-text reports about the installation's settings, as UTF-8 lines
// (a title's trailing line break is an empty line of its own). Nothing is contacted
// and nothing repaired: inconsistent rights are written into the overview as such.

// Told the number of records done so far after each unit or key holder, so that a
// window can move its progress bar.
using ReportProgress = std::function<void(int done)>;

// "POPIS JEDNOTKY" (one unit) or "POPIS JEDNOTEK": every unit in table order with
// its type, use and the texts of its input events; "-----" at the end.
std::vector<std::string> unitDescriptionLines(const ControlUnitTable& units,
                                              const ReportProgress& progress = {});

// "SEZNAM IDENTIFIKAČNÍCH KLÍČŮ": one 68-character line per key holder (position,
// key, name and group in fixed columns) between rules of 68 "-".
std::vector<std::string> keyListLines(const KeyHolderTable& keyHolders,
                                      const ReportProgress& progress = {});

// "PŘEHLED NASTAVENÍ": every key holder with the name of its permission group and,
// with `detail`, the units of the group, their objects and the schedule's windows.
std::vector<std::string> rightsOverviewLines(const ConfigurationDatabase& db, bool detail,
                                             const ReportProgress& progress = {});

} // namespace qtr
