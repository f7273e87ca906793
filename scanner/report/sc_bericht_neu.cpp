// Start values of the report: nothing asked, nothing recorded (a second scan in one process starts afresh).
#include "scanner/report/sc_bericht_intern.h"

void SC_BERICHT_NEU() {
    stSC_Bericht = SC_BERICHT_Struct{};
}
