// Who-Is with and without device range, answered by one I-Am per addressed device.
#include "tools/bacsim/bacsim.h"

std::vector<std::uint8_t> BS_IAM_FRAME(const BS_DEVICE &stDev, bool bBroadcast) {
    std::vector<std::uint8_t> vPdu{0x10, 0x00};
    BS_TAG_OBJID(vPdu, -1, (8u << 22) | stDev.ulInst);
    BS_TAG_UNSIGNED(vPdu, -1, 2, stDev.uMaxApdu);
    BS_TAG_UNSIGNED(vPdu, -1, 9, stDev.stSeg.uFenster > 0 ? 1 : 3); // segmented-transmit, or none
    BS_TAG_UNSIGNED(vPdu, -1, 2, stDev.uVendor);
    return BS_FRAME_BUILD(bBroadcast, &stDev, vPdu);
}

void BS_IAM_SEND(const BS_DEVICE &stDev, bool bBroadcast, std::uint32_t ulIp, std::uint16_t usPort) {
    const BS_HOST &h = stBS_Bld.vHosts[stDev.uHost];
    BS_SEND(stDev.uHost, bBroadcast ? h.ulBcast : ulIp, bBroadcast ? h.usPort : usPort,
            BS_IAM_FRAME(stDev, bBroadcast), stDev.stFaults.uDelayMs);
}

void BS_WHOIS(std::size_t uHost, const BS_FRAME &stFr, const std::uint8_t *pBuf, std::string &sLog) {
    const std::uint8_t *p = pBuf + stFr.uApdu + 2, *pEnd = pBuf + stFr.uEnd;
    std::uint32_t aLim[2] = {0, 4194303};
    int iGiven = 0;
    BS_TAG t;
    for (int i = 0; i < 2 && BS_TAG_READ(p, pEnd, t) && t.bCtx && t.uNum == static_cast<unsigned>(i); ++i) {
        aLim[i] = BS_TAG_UINT(p, t);
        p += t.uHdr + t.uLen;
        ++iGiven;
    }
    sLog += " svc=who-is";
    if (iGiven == 2)
        sLog += " lo=" + std::to_string(aLim[0]) + " hi=" + std::to_string(aLim[1]);
    else
        sLog += " lo=- hi=-";
    if (iGiven == 1 || p != pEnd) {
        sLog += " answer=none why=bad-range";
        return;
    }
    unsigned uCount = 0, uLost = 0;
    const BS_HOST &h = stBS_Bld.vHosts[uHost];
    for (BS_DEVICE &d : stBS_Bld.vDevs) {
        if (d.uHost != uHost || BS_SILENT(d.stFaults) || d.ulInst < aLim[0] || d.ulInst > aLim[1] ||
            !BS_ADDRESSED(d, stFr))
            continue;
        // Behind a router whose buffer takes I-Ams too, they leave one after another, and are lost beyond it.
        if (BS_QUEUE_FULL(uHost, d.usNet)) {
            ++uLost;
            continue;
        }
        const bool bBc = !h.bIamUnicast;
        const unsigned uDelay = h.stQueue.bIams && d.usNet != 0 ? BS_QUEUE_TAKE(uHost, d, d.stFaults.uDelayMs)
                                                                : d.stFaults.uDelayMs;
        BS_SEND(uHost, bBc ? h.ulBcast : stFr.ulOrigIp, bBc ? h.usPort : stFr.usOrigPort,
                BS_IAM_FRAME(d, bBc), uDelay);
        ++uCount;
    }
    sLog += " answer=iam:" + std::to_string(uCount);
    if (uLost > 0) sLog += " queue-full=" + std::to_string(uLost);
}
