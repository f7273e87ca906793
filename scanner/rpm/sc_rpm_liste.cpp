// A batch of object-list elements from the one started on: as many as the device's answer can hold, up to the
// list's end when its length is known, and never more than an Abort or silence has left.
#include <algorithm>
#include "scanner/walk/sc_scan.h"

constexpr int SC_RPM_ACK_KOPF = 3 + 7;   // APDU header and the device object's tags in the answer
constexpr int SC_RPM_ELEMENT_BYTES = 12; // per element at most: property, index, tags, identifier or error
constexpr int SC_RPM_FRAME_KOPF = 4;     // bytes of our request before its service tags

int SC_RPM_LISTE(SC_SCAN_Struct *stScan, std::uint32_t ulDev) {
    const SC_RPM_Struct &r = stScan->stRpm;
    const int iApdu = SC_RPM_APDU(stScan->stGang.uDevIdx), i = stScan->stGang.iObjIdx;
    // Until the list's length is known, a first batch small enough for any device: a short list is read
    // whole.
    int k = (iApdu - SC_RPM_ACK_KOPF) / SC_RPM_ELEMENT_BYTES;
    if (r.lListeLen < 0) k = std::min(k, SC_RPM_LISTE0);
    k = std::min(k, r.stListe.iMax);
    if (r.lListeLen >= 0 && i <= r.lListeLen + 1 && k > r.lListeLen + 2 - i)
        k = static_cast<int>(r.lListeLen + 2 - i); // the index after the last one ends the list
    k = std::max(std::min(k, SC_LISTE_ENDE + 1 - i), 1);
    static QX04_BN_RPMREF aRef[QX04_RPM_MAX];
    for (int j = 0; j < k; j++)
        aRef[j] = QX04_BN_RPMREF{stScan->stGang.stObj.ulObjId, QX04_PROP_OBJECT_LIST, i + j};
    while (k > 1 && SC_RPM_FRAME_KOPF + QX04_BN_RPMTAGS(aRef, k, nullptr, QX04_BUF_SIZE) > iApdu)
        k--;
    return SC_RPM_SENDEN(stScan, ulDev, aRef, k, SC_DIENST_LISTE, k);
}
