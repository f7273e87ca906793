// Trace switches and the trace stream, set from the command line and consulted by every traced operation.
#include "runtime/ut/ut.h"

unsigned char TEST_T_A, TEST_T_A1, TEST_T_A2, TEST_T_A3, TEST_T_A4;
unsigned char TEST_T_I, TEST_T_I1, TEST_T_I2, TEST_T_I3;
unsigned char TEST_T_O, TEST_T_O1, TEST_T_O2;
unsigned char TEST_T_X, TEST_Z_;
FILE *TEST_T_fpout;
char TEST_T_filnam[128];
