// Start values of the EDE files: not asked, nothing recorded (a second scan in one process starts afresh).
#include "scanner/ede/sc_ede_intern.h"

void SC_EDE_NEU() {
    stSC_Ede = SC_EDE_Struct{};
}
