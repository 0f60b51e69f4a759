#pragma once

// moc cannot parse the C++20 standard headers these pull in.
#ifndef Q_MOC_RUN
#include "base/clock.h"
#include "events/event_decoder.h"
#include "events/event_file_rewrite.h"
#include "events/event_table.h"
#endif

#include <QDialog>
#include <filesystem>

namespace qtr {

struct ConfigurationDatabase;
class EventPage;

// TEVEMAN "Správa souboru událostí - " + file name: reads any event file into the
// table, writes the table to any file, shortens the event file QTR0005.DAT
// ("smazat vše", "smazat do data", which always work on that file whatever the
// table holds, and keep what they remove in a dated archive beside it), exchanges
// events with other systems as text (service mode) and adds the unknown keys of
// the events to the key holder register.
class TEVEMAN : public QDialog {
    Q_OBJECT

public:
    TEVEMAN(std::filesystem::path dir, ConfigurationDatabase& db, const Clock& clock,
            bool serviceMode, QWidget* parent = nullptr);
    ~TEVEMAN() override;

    void btCistSouborClick();
    void btUlozitDoClick();
    void btSmazatVseClick();
    void btSmazatDoDataClick();
    void sbExportClick();
    void sbImportClick();
    void btPodleUdalostiClick();

    const EventTable& table() const { return table_; }
    EventPage* page() const { return page_; }

private:
    std::filesystem::path eventFile() const;
    // Reads a file into the table (replacing it) and names it in the caption.
    void loadSource(const std::filesystem::path& file);
    // loadSource, then cursor 1, "vše" and sorted.
    void readIntoTable(const std::filesystem::path& file);
    void showSource();
    // After "smazat vše" or "smazat do data": what went wrong or where the events went
    // (`named` is the archive the question named), then the event file as it is now.
    void afterDeletion(const EventFileRewrite& rewrite, const std::filesystem::path& named);

    std::filesystem::path dir_;
    ConfigurationDatabase& db_;
    const Clock& clock_;
    EventTable table_;
    EventDecoder decoder_;
    std::filesystem::path source_; // the file the table was last read from
    EventPage* page_;
};

} // namespace qtr
