// Lost requests: the datagram of a confirmed request that never reaches the simulated device.
#include "tools/bacsim/bacsim.h"

namespace {

// SplitMix64 finaliser: the same 64 bits on every platform, well spread for consecutive inputs.
std::uint64_t Mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

bool Listed(const BS_FAULTS &f) {
    for (std::uint32_t ul : f.vLose)
        if (ul == f.ulArrived) return true;
    return false;
}

} // namespace

double BS_DRAW(std::uint64_t ullKey, std::uint32_t ulNr) {
    return static_cast<double>(Mix(Mix(stBS_Bld.ullSeed ^ ullKey) ^ ulNr) >> 11) * 0x1.0p-53;
}

bool BS_LOST(BS_DEVICE &stDev, BS_OBJECT *pObj) {
    ++stDev.stFaults.ulArrived;
    if (pObj != nullptr) ++pObj->stFaults.ulArrived;
    if (Listed(stDev.stFaults) || (pObj != nullptr && Listed(pObj->stFaults))) return true;
    const BS_HOST &h = stBS_Bld.vHosts[stDev.uHost];
    double dLoss = h.dLoss >= 0 ? h.dLoss : stBS_Bld.dLoss;
    if (dLoss <= 0) return false;
    // A draw per device and arrival, not one shared sequence: devices scanned side by side lose the same
    // requests whichever of them is asked first.
    return BS_DRAW(static_cast<std::uint64_t>(stDev.ulInst) << 32, stDev.stFaults.ulArrived) < dLoss;
}
