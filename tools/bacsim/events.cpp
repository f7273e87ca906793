// Unsolicited frames injected in the middle of a scan: a confirmed COV notification to the node that asked,
// a Who-Is and a network-layer message to the host's broadcast address, and a flood of broadcasts (rounds of
// the I-Ams of every device on the host and a Who-Is, back to back).
#include "tools/bacsim/bacsim.h"

namespace {
std::uint8_t ucInvoke = 0;
}

void BS_EVENTS_FIRE(BS_DEVICE &stDev, BS_FAULTS &stFaults, const BS_OBJECT *pObj, std::uint32_t ulIp,
                    std::uint16_t usPort) {
    const BS_HOST &h = stBS_Bld.vHosts[stDev.uHost];
    for (BS_EVENT &e : stFaults.vEvents) {
        if (e.bDone || e.ulAfter != stFaults.ulCount) continue;
        e.bDone = true;
        std::string sLog = "host=" + BS_IPTEXT(h.ulIp, h.usPort) + " dev=" + std::to_string(stDev.ulInst);
        if (e.cKind == 'c') {
            const BS_OBJECT &o = pObj != nullptr ? *pObj : stDev.vObjs.back();
            std::vector<std::uint8_t> v{0x00, 0x05, ++ucInvoke, 0x01};
            BS_TAG_UNSIGNED(v, 0, 0, 1);                   // subscriber process
            BS_TAG_OBJID(v, 1, (8u << 22) | stDev.ulInst); // initiating device
            BS_TAG_OBJID(v, 2, (o.ulType << 22) | o.ulInst);
            BS_TAG_UNSIGNED(v, 3, 0, 0); // time remaining
            v.push_back(0x4E);
            BS_TAG_UNSIGNED(v, 0, 0, 85); // present-value
            v.push_back(0x2E);
            BS_VALUE stVal;
            stVal.cKind = 'r';
            for (const BS_PROP &p : o.vProps)
                if (p.ulId == 85) stVal = p.stVal;
            BS_TAG_VALUE(v, stVal, stBS_Bld.ucCharset);
            v.push_back(0x2F);
            BS_TAG_UNSIGNED(v, 0, 0, 111); // status-flags: none set
            v.insert(v.end(), {0x2E, 0x82, 0x04, 0x00, 0x2F, 0x4F});
            BS_SEND(stDev.uHost, ulIp, usPort, BS_FRAME_BUILD(false, &stDev, v, false, true), 0);
            sLog += " event=cov obj=" + std::to_string(o.ulType) + ":" + std::to_string(o.ulInst) +
                    " invoke=" + std::to_string(ucInvoke) + " to=" + BS_IPTEXT(ulIp, usPort);
        } else if (e.cKind == 'w') {
            BS_SEND(stDev.uHost, h.ulBcast, h.usPort, BS_FRAME_BUILD(true, nullptr, {0x10, 0x08}), 0);
            sLog += " event=who-is to=" + BS_IPTEXT(h.ulBcast, h.usPort);
        } else if (e.cKind == 'f') {
            // Without the devices' delays: the whole flood goes before the answer that follows it.
            std::size_t uIams = 0;
            for (std::uint32_t r = 0; r < e.ulRounds; ++r) {
                for (const BS_DEVICE &d : stBS_Bld.vDevs)
                    if (d.uHost == stDev.uHost) {
                        BS_SEND(stDev.uHost, h.ulBcast, h.usPort, BS_IAM_FRAME(d, true), 0);
                        ++uIams;
                    }
                BS_SEND(stDev.uHost, h.ulBcast, h.usPort, BS_FRAME_BUILD(true, nullptr, {0x10, 0x08}), 0);
            }
            sLog += " event=flood rounds=" + std::to_string(e.ulRounds) + " iams=" + std::to_string(uIams) +
                    " who-is=" + std::to_string(e.ulRounds) + " to=" + BS_IPTEXT(h.ulBcast, h.usPort);
        } else {
            // A router announces its networks; a plain host asks for routers.
            std::vector<std::uint8_t> v{static_cast<std::uint8_t>(h.vNets.empty() ? 0x00 : 0x01)};
            for (std::uint16_t n : h.vNets)
                BS_PUT16(v, n);
            BS_SEND(stDev.uHost, h.ulBcast, h.usPort, BS_FRAME_BUILD(true, nullptr, v, true), 0);
            sLog += " event=network:" + std::to_string(v[0]) + " to=" + BS_IPTEXT(h.ulBcast, h.usPort);
        }
        BS_LOG(sLog);
    }
}
