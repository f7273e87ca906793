// Capture file of every datagram the simulator receives and sends (raw IPv4 records), for offline decoding.
#include "tools/bacsim/bacsim.h"
#include <cstring>

namespace {

FILE *fpPcap = nullptr;
std::int64_t llStartNs = 0;

void Put16(std::uint8_t *p, unsigned u) {
    p[0] = static_cast<std::uint8_t>(u >> 8);
    p[1] = static_cast<std::uint8_t>(u);
}

void Put32(std::uint8_t *p, std::uint32_t ul) {
    Put16(p, ul >> 16);
    Put16(p + 2, ul & 0xFFFF);
}

// Record headers are written in the byte order of the machine, as the magic number tells the reader.
void PutHost32(std::uint32_t ul) {
    std::fwrite(&ul, sizeof ul, 1, fpPcap);
}

} // namespace

bool BS_PCAP_OPEN(const char *cPath) {
    llStartNs = BS_NOW_NS();
    fpPcap = std::fopen(cPath, "wb");
    if (fpPcap == nullptr) return false;
    PutHost32(0xA1B2C3D4);
    std::uint16_t aVer[2] = {2, 4};
    std::fwrite(aVer, sizeof aVer, 1, fpPcap);
    PutHost32(0); // time zone
    PutHost32(0); // accuracy
    PutHost32(65535);
    PutHost32(101); // raw IPv4
    std::fflush(fpPcap);
    return true;
}

void BS_PCAP_WRITE(std::int64_t llAtNs, std::uint32_t ulSrc, std::uint16_t usSrcPort, std::uint32_t ulDst,
                   std::uint16_t usDstPort, const std::uint8_t *pData, std::size_t uLen) {
    if (fpPcap == nullptr || uLen > 65000) return;
    std::uint8_t aHdr[28] = {0x45, 0, 0, 0, 0, 0, 0x40, 0, 64, 17};
    Put16(aHdr + 2, static_cast<unsigned>(uLen + 28));
    Put32(aHdr + 12, ulSrc);
    Put32(aHdr + 16, ulDst);
    std::uint32_t ulSum = 0;
    for (int i = 0; i < 20; i += 2)
        ulSum += static_cast<std::uint32_t>((aHdr[i] << 8) | aHdr[i + 1]);
    while (ulSum > 0xFFFF)
        ulSum = (ulSum & 0xFFFF) + (ulSum >> 16);
    Put16(aHdr + 10, ~ulSum & 0xFFFF);
    Put16(aHdr + 20, usSrcPort);
    Put16(aHdr + 22, usDstPort);
    Put16(aHdr + 24, static_cast<unsigned>(uLen + 8)); // UDP checksum 0: none, allowed over IPv4
    std::int64_t us = llAtNs > llStartNs ? (llAtNs - llStartNs) / 1000 : 0;
    PutHost32(static_cast<std::uint32_t>(us / 1000000));
    PutHost32(static_cast<std::uint32_t>(us % 1000000));
    PutHost32(static_cast<std::uint32_t>(uLen + 28));
    PutHost32(static_cast<std::uint32_t>(uLen + 28));
    std::fwrite(aHdr, sizeof aHdr, 1, fpPcap);
    std::fwrite(pData, 1, uLen, fpPcap);
    std::fflush(fpPcap);
}

void BS_PCAP_CLOSE() {
    if (fpPcap != nullptr) std::fclose(fpPcap);
    fpPcap = nullptr;
}
