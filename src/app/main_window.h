#pragma once

#include "app/app_context.h"
#include "events/protocol_log.h"

#include <QMainWindow>
#include <functional>
#include <string_view>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;

namespace qtr {

// TQTRM: the main window and its menu. Every menu item has its own slot.
class TQTRM : public QMainWindow {
    Q_OBJECT

public:
    explicit TQTRM(AppContext& ctx, QWidget* parent = nullptr);
    ~TQTRM() override;

    bool loggedIn() const { return loggedIn_; }
    bool serviceMode() const { return serviceMode_; }
    bool ended() const { return ended_; }

    // The start-up steps of the first show (also run by showEvent).
    void FormShow();

    // Menu "&Uživatelé".
    void miPrihlasitClick();
    void miUrcitClick();
    void miTestKomunikaceClick();
    // Menu "&Definice systému".
    void miOsobyClick();
    void miSkupinyClick();
    void miJednotkyClick();
    void miOpravneniClick();
    void miCasyClick();
    void miSvatkyClick();
    void miPlanovaciKalendarClick();
    // Menu "&Nastavení systému".
    void miStavJednotekClick();
    void miSynchronizaceClick();
    void miUplneNastaveniClick();
    void miDokumentaceClick();
    // Menu "&Využívání systému".
    void miSberDatClick();
    void miHistorieUdalostiClick();
    void miVyhodnotitClick();
    void miKartyClick();
    void miCiselnikClick();
    void miSpravaUdalostiClick();
    // Menu "&Program".
    void miKonecClick();
    void miOProgramuClick();
    void miHistorieProgramuClick();
    void miKomunikaceClick();
    // "Nápověda", F1.
    void miNapovedaClick();

    // Clicking the status label toggles the service mode.
    void Label1Click();

    // The event count check before the functions that work with many events.
    void EventCountCheck();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* item(QMenu* menu, const QString& caption, const char* name, void (TQTRM::*slot)());
    void buildMenu();
    void buildClientArea();
    void loadDecorationFiles();
    void applyMenuStates();
    void protocolEntry(std::string_view text);
    void reportFileResult(const FileResult& result);
    // Reads a key at the reader; true for an administrator key.
    bool administratorKeyPresented();
    void showErrors(const std::vector<std::string>& errors);
    // The exit steps, once: configuration saved, port closed, "UKONČENÍ PROGRAMU".
    void shutDown();

    AppContext& ctx_;
    ProtocolLog protocol_;
    bool shown_ = false;
    bool loginOffered_ = false;
    bool loggedIn_ = false;
    bool serviceMode_ = false;
    bool ended_ = false;

    QMenu* mnUzivatele_ = nullptr;
    QMenu* mnDefinice_ = nullptr;
    QMenu* mnNastaveni_ = nullptr;
    QMenu* mnVyuzivani_ = nullptr;
    QMenu* mnProgram_ = nullptr;
    QAction* miNapoveda_ = nullptr;
    // Items enabled when "&Přihlásit" is chosen.
    QList<QAction*> enabledByLogin_;
    QAction* miKarty_ = nullptr;
    // Items whose windows the program does not have yet.

    QLabel* Label1_ = nullptr;
    QLabel* Label2_ = nullptr;
    QLabel* Image1_ = nullptr;
    QLabel* Image2_ = nullptr;
    QLabel* Image3_ = nullptr;
    QPlainTextEdit* Memo1_ = nullptr;
};

} // namespace qtr
