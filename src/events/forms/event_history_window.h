#pragma once

// moc cannot parse the C++20 standard headers these pull in.
#ifndef Q_MOC_RUN
#include "base/clock.h"
#include "events/event_decoder.h"
#include "events/event_table.h"
#endif

#include <QDialog>
#include <filesystem>

class QPushButton;

namespace qtr {

struct ConfigurationDatabase;
class EventPage;

// TEVELST "Přehled událostí v systému": the event file page by page, narrowed by
// key, period, unit or attendance, sorted, and listed into the output window.
// Every filter starts from the whole file: the file is read again first when the
// table holds a filtered view.
class TEVELST : public QDialog {
    Q_OBJECT

public:
    // The event file and the configuration are those of `dir` and `db`; the key
    // picker sorts the key holder table by name, as it does everywhere.
    TEVELST(std::filesystem::path dir, ConfigurationDatabase& db, const Clock& clock,
            bool serviceMode, QWidget* parent = nullptr);
    ~TEVELST() override;

    void btOriginalClick();
    void btDochazkaClick();
    void btKlicClick();
    void btDatumClick();
    void btJednotkaClick();
    void btVypsatClick();

    const EventTable& table() const { return table_; }
    EventPage* page() const { return page_; }

private:
    // The whole file again when the table holds a filtered view.
    void startFromWholeFile();
    // After a filter: the caption, cursor 1, the page.
    void filtered(const QString& what);

    std::filesystem::path dir_;
    ConfigurationDatabase& db_;
    EventTable table_;
    EventDecoder decoder_;
    bool original_ = false;
    DateTime periodStart_;
    DateTime periodEnd_;
    EventPage* page_;
    QWidget* pnPrikazy_;
};

} // namespace qtr
