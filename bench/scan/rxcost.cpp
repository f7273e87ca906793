// Receive-path cost during an I-Am storm: N devices announce themselves at once (as a router does for the
// devices behind it), their I-Ams wait in the scanner's endpoint, and the scan's receive step takes them all.
// Prints the receive buffer granted, how many I-Ams the endpoint held, how many devices were entered in the
// device table, and the time per datagram of the receive step (socket read, receive guard, message check,
// device table). Runs only inside a private network namespace.
// --lookup leaves the host's addresses untaken, so that every frame's own-echo check resolves the host name
// again, for comparison. --rcvbuf B asks for B bytes instead of the scanner's size: with 212992, what an
// unprivileged user gets where net.core.rmem_max is that stock default.
//   rxcost [N] [--lookup] [--rcvbuf B]
#include <arpa/inet.h>
#include <chrono>
#include <cstdlib>
#include <string>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>
#include "bacnet/bn.h"
#include "runtime/ut/ut.h"
#include "scanner/loop/sc_ablauf.h"
#include "scanner/walk/sc_scan.h"
#include "support/netns_guard.h"

int main(int argc, char **argv) {
    NT_REQUIRE_PRIVATE_NETNS();
    const int iAnz = argc > 1 ? std::atoi(argv[1]) : 8191;
    setenv("HOST", "127.0.0.1", 0); // a name given in HOST is resolved as on a site
    TEST_T_fpout = stderr;
    std::vector<QX04_BN_ROUTE> vTabelle(uQX04_Anz_Dev);
    BN_ROUTE_QX04_Struct = vTabelle.data();
    for (auto &r : vTabelle)
        r.ulSDEV = 0xFFFFFFFF, r.usSNET = 0xFFFF, r.iStatus = 0;
    IP_INIT();
    iQX04_IP_APP = IP_OPEN(1, iQX04_IP_Port, nullptr);
    if (iQX04_IP_APP < 0) return 1;
    bool bLookup = false;
    int iBitte = SC_RCVBUF;
    for (int i = 2; i < argc; i++) {
        const std::string s = argv[i];
        if (s == "--lookup") bLookup = true;
        if (s == "--rcvbuf" && i + 1 < argc) iBitte = std::atoi(argv[++i]);
    }
    if (!bLookup) IP_HOST_MERKEN();
    const int iPuffer = IP_RCVBUF(iQX04_IP_APP, iBitte);

    // The router: another loopback address, one I-Am per device behind it.
    int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(47809);
    sa.sin_addr.s_addr = htonl(0x7F000002);
    if (bind(fd, reinterpret_cast<sockaddr *>(&sa), sizeof sa) != 0) return 1;
    sa.sin_addr.s_addr = htonl(0x7F000001);
    sa.sin_port = htons(47808);
    for (int i = 0; i < iAnz; i++) {
        const std::uint32_t ulId = (8u << 22) | static_cast<std::uint32_t>(100000 + i);
        unsigned char f[] = {0x81,
                             0x0A,
                             0x00,
                             0x1B,
                             0x01,
                             0x08,
                             0x00,
                             0x05,
                             0x02,
                             static_cast<unsigned char>(i >> 8),
                             static_cast<unsigned char>(i),
                             0x10,
                             0x00,
                             0xC4,
                             static_cast<unsigned char>(ulId >> 24),
                             static_cast<unsigned char>(ulId >> 16),
                             static_cast<unsigned char>(ulId >> 8),
                             static_cast<unsigned char>(ulId),
                             0x22,
                             0x05,
                             0xC4,
                             0x91,
                             0x03,
                             0x21,
                             0x07,
                             0x00,
                             0x00};
        f[3] = 25;
        sendto(fd, f, 25, 0, reinterpret_cast<sockaddr *>(&sa), sizeof sa);
    }

    UT_LOOPTIME();
    SC_SCAN_Struct st;
    SC_SCAN_NEU(&st);
    int n = 0;
    auto t0 = std::chrono::steady_clock::now();
    SC_SCAN_Struct *const apScan[1] = {&st};
    while (SC_EMPFANG(apScan, 1) >= 0)
        n++;
    double dUs = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count();
    int iGeraete = 0;
    while (iGeraete < static_cast<int>(uQX04_Anz_Dev) &&
           vTabelle[static_cast<std::size_t>(iGeraete)].ulSDEV != 0xFFFFFFFF)
        iGeraete++;
    std::printf(
        "I-Ams sent %d, receive buffer granted %d bytes, datagrams held and taken %d, devices entered %d, "
        "%.2f us per datagram\n",
        iAnz, iPuffer, n, iGeraete, n > 0 ? dUs / n : 0.0);
    return 0;
}
