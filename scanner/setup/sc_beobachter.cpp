// The observers that options turn on, named at this one place: the scan report and the progress line (-J,
// -V), the EDE files (-X), the site's map (-N, -G) and its discovery (-N), which sends the Who-Is itself.
// Set-up takes their options and registers those given; the scan tells them its events through SC_MELDEN and
// never calls them by name. Last, the interrupt's: on when one of them writes files, told every event after.
#include "scanner/ede/sc_ede.h"
#include "scanner/interrupt/sc_unterbrechung.h"
#include "scanner/netmap/sc_karte.h"
#include "scanner/report/sc_bericht.h"
#include "scanner/setup/sc_setup.h"

const std::array<SC_BEOBACHTER_Struct, SC_OPT_BEOBACHTER> astSC_Beobachter = {{
    {SC_BERICHT_NEU, SC_BERICHT_OPTION, SC_BERICHT_PRUEFEN, SC_BERICHT_MELDEN, false, false, false, true,
     nullptr},
    {nullptr, nullptr, SC_FORTSCHRITT_PRUEFEN, SC_FORTSCHRITT_MELDEN, true, false, false, false, nullptr},
    {SC_EDE_NEU, SC_EDE_OPTION, SC_EDE_PRUEFEN, SC_EDE_MELDEN, false, true, false, true, nullptr},
    {SC_KARTE_NEU, SC_KARTE_OPTION, SC_KARTE_PRUEFEN, SC_KARTE_EREIGNIS, false, false, false, true,
     SC_KARTE_BERICHT},
    {nullptr, nullptr, SC_ENTDECKUNG_PRUEFEN, SC_ENTDECKUNG_EREIGNIS, false, false, true, false, nullptr},
    {nullptr, nullptr, SC_UNTERBRECHUNG_PRUEFEN, SC_UNTERBRECHUNG_MELDEN, false, false, false, false,
     nullptr},
}};
