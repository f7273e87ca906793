// Globals of the scanner program: the options of the command line and the two output files.
#include "scanner/reffile/sc_ref.h"
#include "scanner/sc.h"

char cSC_AnfuegeDpId[256];
char cSC_BeginnDpId[256];
char cSC_EndePrefix[256];
FILE *fpSC_REF;
FILE *fpSC_DEV;
char cSC_REF_Buf[256];
int iSC_Wiederhol = 3;
int iSC_Parallel = 1;
int iSC_Umsetzen = 0;
int iSC_Mehrfach = 0;
IP_PORT stSC_Bbmd = {0xFFFFFFFF, 0};
int iSC_BbmdTtl = 60;
bool bSC_Bereich = false;
int iSC_OptFehler = 0;
