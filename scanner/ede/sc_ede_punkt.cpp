// The data point in progress has become its reference-file line: it joins its device's EDE rows under the
// line's data-point id and address text.
#include <cstring>
#include "bacnet/bn.h"
#include "scanner/ede/sc_ede_intern.h"

void SC_EDE_PUNKT(const SC_EREIGNIS_Struct *e) {
    SC_EDE_GERAET_Struct &d = SC_EDE_GERAET(e->uDev);
    SC_EDE_PUNKT_Struct p = std::move(d.stPunkt);
    d.stPunkt = SC_EDE_PUNKT_Struct{};
    // The id is in the reference file's bytes: UTF-8 where the device's name was, else the loader's code
    // page.
    const char *cId = e->cId != nullptr ? e->cId : "";
    p.sId = SC_EDE_UTF8(reinterpret_cast<const unsigned char *>(cId), std::strlen(cId), QX04_SATZ_UTF8);
    p.sAdr = e->cAdr != nullptr ? e->cAdr : "";
    p.ulObjId = e->ulObjId;
    d.vPunkte.push_back(std::move(p));
}
