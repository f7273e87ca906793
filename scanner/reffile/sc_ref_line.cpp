// Writes the data line of a finished object to the reference file under the next line number.
#include "scanner/reffile/sc_ref.h"

int SC_REF_LINE(SC_OBJ_Struct *stObj, unsigned *uZeile) {
    int n = SC_REF_TEXT(stObj, *uZeile);
    (*uZeile)++;
    return SC_REF_WRITE(n);
}
