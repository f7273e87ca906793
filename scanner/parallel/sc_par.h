// The parallel scan (-P2 and more): several devices at once, each in a place with the scan state the
// sequential scan keeps for its one device, and the file as the sequential scan writes it. The places'
// requests are the exchange's, their pacing by path is scanner/pace's; this driver shares out places and
// datagrams and keeps the lines of devices scanned ahead until their numbers are known.
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

// A place: one device in progress.
struct SC_PLATZ_Struct {
    bool bBelegt;
    std::uint32_t uDev; // device table index
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
    std::size_t uGehalten, uSpitze;       // bytes held now and at most
    std::vector<std::string> vAufgegeben; // verdict texts of given-up devices, in table order
    std::uint32_t ulNetzGelesen;          // router messages read (ulQX04_NetzAnz then)
};
extern SC_PAR_Struct stSC_Par;

// The parallel scan: 0, or -21 after a failed write.
int SC_P_LOOP();
// Its start: every place free, nothing held, the pacing and the exchange afresh.
void SC_P_ANFANG();
// One pass: the datagrams, the router messages, devices finished and started, each place's step. True when
// anything was received or sent.
bool SC_P_DURCHLAUF();
// Starts devices of the table in free places, in the order the pacing chooses.
void SC_P_START();
// The place's device is done (bAufgegeben: given up after its repetitions, or no request could be built):
// frees the place and writes what is held for the devices that follow, as far as their turn has come.
void SC_P_FERTIG(int iPlatz, bool bAufgegeben);
// The place's step of the pass, as far as its pacing lets it: true when a request went out.
bool SC_P_SCHRITT(int iPlatz);
// What the exchange told of the place's request, for the pacing of its path.
void SC_P_EREIGNIS(int iPlatz, const SC_TA_EREIGNIS_Struct &stEreignis);
// Router messages about networks since the last pass, and paths whose hold has run out.
void SC_P_MELDUNGEN();
// The verdicts at the end of the parallel scan, and the scan's result.
int SC_P_ENDE();
// Holds line iNr (counted from the device's first line) of a device scanned ahead: the iLen bytes in
// cSC_REF_Buf, whose number is written when the device's turn comes.
void SC_ZEILE_HALTEN(SC_HALT_Struct *stHalt, unsigned iNr, int iLen);
