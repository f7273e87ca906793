// Scan loop of the scanner: not built yet. Until it is, the program does nothing between set-up and end
// phase.
#include "scanner/sc.h"

int SC_LOOP() {
    return 0;
}
