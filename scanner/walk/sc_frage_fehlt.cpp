// Whether a row of the request table is not asked of an object: with -M a property the object's type does not
// have by its definition is not asked (its answer would be the Error unknown-property, octets for nothing on
// a slow trunk). The scan without -M asks every row, as it always did.
#include "bacnet/bn.h"
#include "scanner/walk/sc_scan.h"

bool SC_FRAGE_FEHLT(const SC_FRAGE_Struct *f, std::uint32_t ulObjId) {
    return iSC_Mehrfach != 0 && f != nullptr && f->ulTypen != SC_TYPEN_ALLE &&
           (f->ulTypen & SC_TYP(QX04_BN_OBJTYPE(ulObjId))) == 0;
}
