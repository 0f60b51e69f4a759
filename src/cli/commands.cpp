#include "cli/commands.h"

#include <array>

namespace qtr::cli {

std::span<const CliCommand> allCommands() {
    static const std::array kCommands = {
        CliCommand{"init", "init                 vytvoří chybějící konfigurační soubory a uloží je",
                   runInit},
        CliCommand{"keys",
                   "keys export SOUBOR   zapíše nositele klíčů do exportního souboru (.sdf)",
                   runKeys},
        CliCommand{"keys",
                   "keys import SOUBOR [--replace]  načte nositele klíčů ze souboru "
                   "(--replace: původní smaže)",
                   runKeys},
        CliCommand{"keys",
                   "keys list            vypíše nositele klíčů (pořadí, klíč, jméno, "
                   "skupina, oprávnění)",
                   runKeys},
        CliCommand{"keys",
                   "keys from-events     doplní rejstřík klíči z událostí, které nikdo nemá",
                   runKeys},
        CliCommand{"events",
                   "events list [--sort 0..6] [--key KLÍČ | --unit ADRESA | --from DATUM "
                   "--to DATUM | --attendance] [--csv]  výpis událostí (--csv: pro tabulkový "
                   "procesor)",
                   runEvents},
        CliCommand{"events", "events count         počet uložených událostí", runEvents},
        CliCommand{"events",
                   "events export SOUBOR.SDF  zapíše události do textového souboru (40 znaků "
                   "na řádek)",
                   runEvents},
        CliCommand{"events",
                   "events import SOUBOR.SDF [--replace]  přidá události z textového souboru "
                   "(--replace: místo původních)",
                   runEvents},
        CliCommand{"events",
                   "events trim --before dd.mm.yyyy  smaže události před dnem (uschová je v "
                   "archivu UDALOSTI-rrrr-mm-dd.DAT)",
                   runEvents},
        CliCommand{"events", "events clear         smaže všechny události (uschová je v archivu)",
                   runEvents},
        CliCommand{"events",
                   "events merge SOUBOR.DAT  přidá události jiného souboru událostí, které "
                   "soubor ještě nemá",
                   runEvents},
        CliCommand{"log", "log [--clear]        vypíše nebo vymaže systémový protokol", runLog},
        CliCommand{
            "status",
            "status ADRESA        přečte a vypíše stav jednotky (adresa: dvě šestnáctkové číslice)",
            runUnitStatus},
        CliCommand{"read-key",
                   "read-key ADRESA      přečte identifikační klíč čtecí jednotkou na adrese",
                   runReadKey},
        CliCommand{"stats", "stats                statistika nositelů klíčů, skupin a oprávnění",
                   runStats},
        CliCommand{"check",
                   "check                kontrola oprávnění (přeloží ZMRTSW.DAT a vypíše chyby)",
                   runCheck},
        CliCommand{"configure",
                   "configure            úplné nastavení všech jednotek podle databází",
                   runConfigure},
        CliCommand{"collect",
                   "collect [--tries N] [--clock-tolerance MINUTY] [--settime]  sběr dat od "
                   "všech jednotek (jednotka se vynechá po N neúspěšných pokusech, výchozí 3; "
                   "--settime nastaví hodiny jednotek, které se liší víc než o toleranci, "
                   "výchozí 2 minuty)",
                   runCollect},
        CliCommand{"settime", "settime              nastaví čas všem jednotkám podle PC",
                   runSetTime},
        CliCommand{"clocks",
                   "clocks [--clock-tolerance MINUTY]  čas každé jednotky a jeho odchylka od PC",
                   runClocks},
        CliCommand{"sim",
                   "sim PŘÍKAZ           simulované jednotky (--sim): jednotky, stav, prava, "
                   "udalosti, klic, vstup, porucha, den DNY",
                   runSim},
        CliCommand{"doc",
                   "doc units|keys|rights [--detail]  dokumentace nastavení: popis jednotek, "
                   "seznam klíčů, přehled oprávnění (--detail: s časy)",
                   runDoc},
        CliCommand{"master-key",
                   "master-key KLÍČ [SERVISNÍ...]  zapíše hlavní klíč instalace (QTRKEYS.TXT)",
                   runMasterKey},
        CliCommand{"schedules",
                   "schedules            vypíše časové rozvrhy (název, pod ním jejich složky)",
                   runSchedules},
        CliCommand{"permissions",
                   "permissions          vypíše skupiny oprávnění (název, pod ním jednotky, "
                   "Kam: a Kdy:)",
                   runPermissions},
        CliCommand{"holidays", "holidays [list]      přehled evidovaných svátků (QTR0006.DAT)",
                   runHolidays},
        CliCommand{"holidays",
                   "holidays standard ROK  doplní rok svátky ze SVATKY.INI a Pondělím velikonočním",
                   runHolidays},
        CliCommand{"holidays", "holidays delete-year ROK  smaže všechny svátky roku", runHolidays},
        CliCommand{"calendar", "calendar ROK         roční kalendář podle SVATKY.INI", runCalendar},
        CliCommand{"planning",
                   "planning ROK [--quarters] [--months] [--weeks] [--decades]  plánovací "
                   "kalendář (bez přepínačů čtvrtletí, měsíce a týdny)",
                   runPlanning},
        CliCommand{
            "attendance",
            "attendance build --key KLÍČ --from DATUM --to DATUM [--usual HH:MM-HH:MM] "
            "[--fill | --no-fill] [--new]  docházková karta z uložených událostí do KARTY.DAT",
            runAttendance},
        CliCommand{"attendance",
                   "attendance evaluate --key KLÍČ --from DATUM --to DATUM [--csv]  "
                   "vyhodnocení docházkové karty po dnech a součty",
                   runAttendance},
        CliCommand{"attendance",
                   "attendance report --key KLÍČ | --all --from DATUM --to DATUM  výkaz docházky "
                   "(--all: každého nositele s docházkou v období, s --pdf každého na své stránce)",
                   runAttendance},
        CliCommand{"attendance", "attendance card --key KLÍČ  tisk docházkové karty z KARTY.DAT",
                   runAttendance},
        CliCommand{"codes", "codes                tisk číselníku docházky (DRUHPRAC.DAT)",
                   runCodes},
    };
    return kCommands;
}

} // namespace qtr::cli
