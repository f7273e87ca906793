// Keeps the console settings of standard input as found at start, for SY_EXIT to put back.
#include <unistd.h>
#include "runtime/sy/sy.h"

struct termios tsSY_STDIN_ots;
bool bSY_STDIN_ots;

int SY_INIT() {
    bSY_STDIN_ots = tcgetattr(STDIN_FILENO, &tsSY_STDIN_ots) == 0;
    return 0;
}
