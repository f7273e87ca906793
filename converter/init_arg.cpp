// One option of the converter's command line: -L hands the reference file over to the loader, -U reads the
// CSV as UTF-8 into the loader's code page, -T... are the library's switch options; anything else is ignored
// without a message.
#include <cctype>
#include "converter/tk.h"
#include "runtime/ut/ut.h"

void TK_INIT_ARG(const char *cArg) {
    if (cArg[0] != '-' && cArg[0] != '/') return;
    int iBuchst = std::toupper(static_cast<unsigned char>(cArg[1]));
    if (iBuchst == 'L')
        iTK_L_Modus = 1;
    else if (iBuchst == 'T')
        UT_T_OPTION(cArg);
    else if (iBuchst == 'U')
        iTK_Umsetzen = 1;
}
