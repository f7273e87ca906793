// The data point in progress has become its reference-file line: it joins its device's EDE rows under the
// line's data-point id and address text.
#include <cstring>
#include "bacnet/bn.h"
#include "scanner/ede/sc_ede.h"
#include "scanner/walk/sc_scan.h"

void SC_EDE_ZEILE(const SC_SCAN_Struct *stScan) {
    if (!stSC_Ede.bAn) return;
    const SC_OBJ_Struct &o = stScan->stGang.stObj;
    SC_EDE_GERAET_Struct &d = SC_EDE_GERAET(stScan->stGang.uDevIdx);
    SC_EDE_PUNKT_Struct p = std::move(d.stPunkt);
    d.stPunkt = SC_EDE_PUNKT_Struct{};
    // The id is in the reference file's bytes: UTF-8 where the device's name was, else the loader's code
    // page.
    p.sId =
        SC_EDE_UTF8(reinterpret_cast<const unsigned char *>(o.cDpId), std::strlen(o.cDpId), QX04_SATZ_UTF8);
    p.sAdr = o.cBnAdr;
    p.ulObjId = o.ulObjId;
    d.vPunkte.push_back(std::move(p));
}
