// End of a program run: collects children that have already ended and puts back the console settings.
#include <unistd.h>
#include "runtime/sy/sy.h"

int SY_EXIT() {
    int iStat = 0;
    while (SY_PS_CPOLL(-1, &iStat) > 0) {
    }
    // Without a successful SY_INIT there is nothing to put back; an empty record would wreck the terminal.
    if (bSY_STDIN_ots) tcsetattr(STDIN_FILENO, TCSANOW, &tsSY_STDIN_ots);
    return 0;
}
