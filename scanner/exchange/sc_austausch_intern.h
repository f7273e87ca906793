// What the files of the exchange share and nothing outside it reads: the table of the scan states whose
// transactions draw from one invoke-id counter, that counter, and the scan's deadline.
#pragma once
#include <cstdint>
#include "scanner/exchange/sc_austausch.h"

extern SC_SCAN_Struct *const *apSC_Ta; // the scan states of the running loop, SC_AUSTAUSCH_START
extern int iSC_TaAnz;
extern unsigned char ucSC_Gezogen; // invoke id drawn last
extern std::uint32_t ulSC_RecvTmo; // loop time 5 seconds after the latest request sent or handed back

// The invoke id the next request of a state gets: the one after the id drawn last that no transaction has
// outstanding.
unsigned char SC_ID_FREI();
// The wait for a state's request is renewed now: 5 seconds of it from here, and the scan's deadline with it.
void SC_FRIST_NEU(SC_TRANSAKTION_Struct *stAnf);
// The answer in ucFrame (the receive buffer, iLen bytes arrived; or an answer put together from segments) to
// a transaction, with the message check's code iErg and what the match found (a ReadProperty value at offset
// iWert, 0 none; ReadPropertyMultiple results), decoded once into *stAntwort: its kind, an Error's class and
// code, a Reject's or Abort's reason, and the values; nothing past iLen is read.
void SC_ANTWORT_LESEN(int iErg, int iLen, int iWert, const QX04_BN_RPMERG *pErg, int iRpmAnz,
                      SC_ANTWORT_Struct *stAntwort, const unsigned char *ucFrame = QX04_RECV_Buf);
// Tells the observers what happened to a state's transaction (iArt SC_EV_GESENDET, _ANTWORT, _WIEDERHOLT or
// _AUFGEGEBEN; ulDauerMs for an answer its time since the try it answers), with the object and step it was
// for.
void SC_TA_MELDEN(const SC_SCAN_Struct *stScan, int iArt, std::uint32_t ulDauerMs = 0);
