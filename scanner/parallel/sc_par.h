// The parallel scan (-P2 and more): several devices at once, each in a place with the scan state the
// sequential scan keeps for its one device, and the file as the sequential scan writes it.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>
#include "scanner/sc.h"
#include "scanner/walk/sc_scan.h"

constexpr std::size_t SC_HALT_MAX = 4 * 1024 * 1024; // bytes of held lines before later devices wait

// The lines of one started device while an earlier device is still in progress.
struct SC_HALT_Struct {
    std::vector<std::pair<unsigned, std::string>> vZeilen; // number counted from the device's first line,
                                                           // and the line after its five-digit number
    unsigned uAnz = 0;       // line numbers the device used, once it is finished
    bool bFertig = false;    // finished or given up
    std::string sAufgegeben; // address text of its time-out verdict when it was given up
    int iPlatz = -1;         // place scanning it, -1 = none
};

// A device given up once while its path answered others is retried alone on its path (SC_P_NACHZUG).
constexpr int SC_NZ_KEINER = 0, SC_NZ_WARTET = 1, SC_NZ_ALLEIN = 2;

// A place: one device in progress, and what its latest request told the pacing of its path.
struct SC_PLATZ_Struct {
    bool bBelegt;
    std::uint32_t uDev;         // device table index
    int iPfad;                  // the device's path (scanner/pace)
    bool bOffen;                // a request was outstanding after the place's last step
    unsigned char ucInvoke;     // its invoke id
    std::uint32_t ulGesendetMs; // its latest try (monotonic ms)
    int iVersuch;               // its repetitions then
    bool bAllein;               // nothing else was in flight on the path when it first went
    std::uint32_t ulPfadStand;  // answers on the path when it first went
    std::uint32_t ulRundeNr;    // the path's round then
    bool bVoll;                 // it used the path's budget in full
    int iNachzug;               // SC_NZ_...
    SC_SCAN_Struct stScan;
};

struct SC_PAR_Struct {
    int iErg;                                            // 0, or -21 after a failed write
    std::array<SC_PLATZ_Struct, SC_PARALLEL_MAX> aPlatz; // the first iSC_Parallel are used
    // Started devices from uKopf on, in table order. A deque, so that the places' pHalten pointers into it
    // stay valid while devices are appended at the back and removed at the front.
    std::deque<SC_HALT_Struct> dqHalt;
    std::uint32_t uKopf;                  // earliest device not yet finished: writes at once
    unsigned uZeile;                      // next line number of the file
    std::uint32_t ulRecvTmo;              // 5 seconds after the last request of any device
    std::size_t uGehalten, uSpitze;       // bytes held now and at most
    std::vector<std::string> vAufgegeben; // verdict texts of given-up devices, in table order
    unsigned char ucGezogen;              // invoke id drawn last
    std::uint32_t ulNetzGelesen;          // router messages read (ulQX04_NetzAnz then)
    int iGehalten;                        // paths held by their router now
    int iLetzterPfad;                     // the path that got the latest place
};
extern SC_PAR_Struct stSC_Par;

// The parallel scan: 0, or -21 after a failed write.
int SC_P_LOOP();
// Starts devices of the table in free places: each from the path with the fewest places among those with
// room, the paths in turn; within a path in table order.
void SC_P_START();
// The place's device is done (bAufgegeben: given up after its repetitions, or no request could be built):
// frees the place and writes what is held for the devices that follow, as far as their turn has come.
void SC_P_FERTIG(int iPlatz, bool bAufgegeben);
// The exchange's step for one place, with an invoke id no other place has outstanding: as SC_AUSTAUSCH.
int SC_P_AUSTAUSCH(int iPlatz);
// Requests in flight on path iPfad (outstanding and within their first timer), place iOhne not counted.
int SC_P_FLUG(int iPfad, int iOhne);
// Notes the request place iPlatz has just sent, for the pacing of its path.
void SC_P_GESENDET(int iPlatz);
// After the receive step: the requests answered since, as answer times of their paths.
void SC_P_ANTWORTEN();
// Router messages about networks since the last pass, and paths whose hold has run out.
void SC_P_MELDUNGEN();
// Sends a place's outstanding request again as a first try, with fresh repetitions and deadline.
void SC_P_NOCHMAL(int iPlatz);
// Whether place iPlatz takes its exchange step in this pass.
constexpr int SC_TK_SCHRITT = 0, SC_TK_WARTEN = 1, SC_TK_AUFGEBEN = 2;
int SC_P_TAKT(int iPlatz);
// The place's device has ended its wait without an answer: true when it is kept to be retried alone.
bool SC_P_NACHZUG(int iPlatz);
// The verdicts at the end of the parallel scan, and the scan's result.
int SC_P_ENDE();
// Holds line iNr (counted from the device's first line) of a device scanned ahead: the iLen bytes in
// cSC_REF_Buf, whose number is written when the device's turn comes.
void SC_ZEILE_HALTEN(SC_HALT_Struct *stHalt, unsigned iNr, int iLen);
