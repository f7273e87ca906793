// Whether the device's answers may come in segments: its I-Am says it sends segmented messages (both ways,
// or transmit), and it has not refused a request that took them. A device known from the route file alone has
// said nothing, and is asked without.
#include "scanner/walk/sc_scan.h"

constexpr unsigned char SC_SEG_BEIDE = 0, SC_SEG_SENDEN = 1; // segmentation-supported: both, transmit

bool SC_RPM_SEGMENTIERT(const SC_SCAN_Struct *stScan) {
    const QX04_BN_ROUTE &r = BN_ROUTE_QX04_Struct[stScan->stGang.uDevIdx];
    return !stScan->stRpm.bSegNein && r.usMaxApdu != 0 &&
           (r.ucSegment == SC_SEG_BEIDE || r.ucSegment == SC_SEG_SENDEN);
}
