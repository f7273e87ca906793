// State of the converter shared by its three phases.
#include "converter/tk.h"

int iTK_L_Modus;
int iTK_TrbId = -1;
FILE *fpTK_CSV;
FILE *fpTK_REF;
char cTK_CSV_Buf[512];
char cTK_REF_Buf[512];
char cTK_Obj_Kenn[5];
char cTK_GAK_Kenn[11];
const char cTK_Version[] = "2.00";
int iTK_Umsetzen;

// Data lines waiting to be written to tabconv.ref (see TK_REF_WRITE).
char cTK_REF_Blk[65536];
std::size_t uTK_REF_Fill;
