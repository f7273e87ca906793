// Library state: loop time, period starts, disk figures and the configuration an application may set after
// the start-up. All start at their load-time zero values; UT_INIT gives them their start values.
#include "runtime/ut/ut.h"

std::uint32_t ulUT_LOOPZeit, ulUT_LASTZeit;
char cUT_LOOPZeit[15], cUT_LASTZeit[15];
char cUT_LOOP10Jahr, cUT_LOOP1Jahr, cUT_LOOP10Monat, cUT_LOOP1Monat, cUT_LOOP10Tag, cUT_LOOP1Tag;
char cUT_LOOP10Std, cUT_LOOP1Std, cUT_LOOP10Min, cUT_LOOP1Min, cUT_LOOP10Sek, cUT_LOOP1Sek;
char cUT_LAST10Jahr, cUT_LAST1Jahr, cUT_LAST10Monat, cUT_LAST1Monat, cUT_LAST10Tag, cUT_LAST1Tag;
char cUT_LAST10Std, cUT_LAST1Std, cUT_LAST10Min, cUT_LAST1Min, cUT_LAST10Sek, cUT_LAST1Sek;
unsigned char ucUT_LOOPWTag, ucUT_LASTWTag, ucUT_LOOPHSek, ucUT_LASTHSek;
std::uint32_t ulUT_LOOPuSek, ulUT_LASTuSek;
std::uint32_t ulUT_ZB_Stunde, ulUT_ZB_Tag, ulUT_ZB_Woche, ulUT_ZB_Monat, ulUT_ZB_Jahr;
std::uint32_t ulUT_DiskSize, ulUT_DiskFree;
std::uint32_t uUT_ProdId, ulUT_fUNDEF;
char cUT_CI_UNDEF[15];
unsigned char UT_KK_CFG[42];
std::uint32_t ulUT_Z_Nxt, ulUT_Z_Set;

unsigned char ucUT_EL_Typ;
char cUT_EL_Bez[13];
std::uint32_t uUT_EL_AnzWSL, ulUT_EL_SizeWSL;

unsigned char ucUT_DR_STAT, ucUT_DR_Typ;
char cUT_DR_Bez[129];
std::uint32_t uUT_DR_AnzWSL, uUT_DR_AnzPRT, ulUT_DR_SizeWSL;
