// A BBMD's tables as it gives them on request: its broadcast distribution table (each peer with the mask of
// a peer reached by unicast) and its foreign devices with their time-to-live and the seconds left.
#include "tools/bacsim/bacsim.h"

std::vector<std::uint8_t> BS_BBMD_TABLE(const BS_HOST &stHost, std::uint8_t ucFunc) {
    const bool bBdt = ucFunc == 0x02;
    std::vector<std::uint8_t> v{0x81, static_cast<std::uint8_t>(bBdt ? 0x03 : 0x07), 0, 0};
    const std::int64_t llNow = BS_NOW_NS();
    if (bBdt) {
        for (const auto &[ulIp, usPort] : stHost.stBbmd.vBdt) {
            BS_PUT32(v, ulIp);
            BS_PUT16(v, usPort);
            BS_PUT32(v, 0xFFFFFFFF);
        }
    } else {
        for (const BS_FDT &f : stHost.stBbmd.vFdt) {
            BS_PUT32(v, f.ulIp);
            BS_PUT16(v, f.usPort);
            BS_PUT16(v, f.usTtl);
            const std::int64_t llRest = (f.llEndsNs - llNow) / 1000000000;
            BS_PUT16(v, static_cast<unsigned>(llRest < 0 ? 0 : llRest > 0xFFFF ? 0xFFFF : llRest));
        }
    }
    v[2] = static_cast<std::uint8_t>(v.size() >> 8);
    v[3] = static_cast<std::uint8_t>(v.size());
    return v;
}
