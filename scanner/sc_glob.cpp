// Globals of the scanner program: the options of the command line and the two output files.
#include "scanner/sc_par.h"

char cSC_AnfuegeDpId[256];
char cSC_BeginnDpId[256];
char cSC_EndePrefix[256];
FILE *fpSC_REF;
FILE *fpSC_DEV;
char cSC_REF_Buf[256];
int iSC_Wiederhol = 3;
int iSC_Parallel = 1;
int iSC_Umsetzen = 0;
SC_PAR_Struct stSC_Par;
IP_PORT stSC_Bbmd = {0xFFFFFFFF, 0};
int iSC_BbmdTtl = 60;
int iSC_BbmdStand = 0;
std::uint32_t ulSC_BbmdNeu = 0;
std::uint32_t ulSC_BbmdFrist = 0;
bool bSC_Bereich = false;
int iSC_OptFehler = 0;
