// Request log: one line per frame received, "key=value" fields, so tests can grep for exactly what came in.
#include "tools/bacsim/bacsim.h"
#include <chrono>

FILE *fpBS_Log = nullptr;

namespace {
const auto tStart = std::chrono::steady_clock::now();
}

void BS_LOG(const std::string &sLine) {
    if (fpBS_Log == nullptr) return;
    double dT = std::chrono::duration<double>(std::chrono::steady_clock::now() - tStart).count();
    std::fprintf(fpBS_Log, "t=%.3f %s\n", dT, sLine.c_str());
    std::fflush(fpBS_Log);
}

std::string BS_IPTEXT(std::uint32_t ulIp, std::uint16_t usPort) {
    char cBuf[32];
    std::snprintf(cBuf, sizeof cBuf, "%u.%u.%u.%u:%u", ulIp >> 24, (ulIp >> 16) & 0xFF, (ulIp >> 8) & 0xFF,
                  ulIp & 0xFF, usPort);
    return cBuf;
}
