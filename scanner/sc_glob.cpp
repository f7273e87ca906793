// Globals of the scanner program: the option texts of the command line and the two output files.
#include "scanner/sc.h"

char cSC_AnfuegeDpId[256];
char cSC_BeginnDpId[256];
char cSC_EndePrefix[256];
FILE *fpSC_REF;
FILE *fpSC_DEV;
char cSC_REF_Buf[256];
