// Whether the terminal takes UTF-8, from the user's locale. The locale is put back at once: nothing else in
// the program may read or write differently because of it.
#include <clocale>
#include <cstring>
#include <langinfo.h>
#include "refdiff/rd.h"

void RD_ZEICHENSATZ() {
    iRD_Utf8 = std::setlocale(LC_CTYPE, "") != nullptr && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
    std::setlocale(LC_CTYPE, "C");
}
