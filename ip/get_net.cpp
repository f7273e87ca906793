// Directed broadcast address of an address's classful network, where the scanner sends its Who-Is.
#include <arpa/inet.h>
#include "ip/ip.h"
#include "runtime/ut/ut.h"

static const char cRoutine[] = "IP_GET_NET";

static bool TRC_INNEN() {
    return TEST_T_A || TEST_T_A3;
}

std::uint32_t IP_GET_NET(std::uint32_t ulAdr) {
    if (UT_TRC_IN()) UT_TRC("\n\n", "IP_GET_NET", "Nach Aufruf   IP-Adr.: 0x%08lX", (unsigned long)ulAdr);
    std::uint32_t ulNet = 0xFFFFFFFF;
    if (ulAdr != 0xFFFFFFFF) {
        struct in_addr ia;
        ia.s_addr = IP_L2NL(ulAdr);
        ulNet = inet_netof(ia);
        std::uint32_t ulHost = inet_lnaof(ia);
        if (TRC_INNEN())
            UT_TRC("\n\n", "IP_GET_NET", "Nach INET_NETOF/LNAOF   IP-Adr.: 0x%08lX/0x%08lX",
                   (unsigned long)ulNet, (unsigned long)ulHost);
        if (ulNet == 0) {
            ulNet = 0xFFFFFFFF;
        } else {
            // fill the host bytes with ones, one byte per host byte that the class leaves
            while (ulNet < 0x1000000 && ulHost != 0) {
                ulHost >>= 8;
                ulNet = ulNet * 256 + 255;
            }
            if (ulNet < 0x1000000 || ulHost != 0) {
                UT_ERR_LOG(cRoutine, static_cast<int>(ulNet), static_cast<int>(ulHost), "NETOF/LNAOF");
                ulNet = ulAdr | 0xFF;
            }
        }
    }
    if (UT_TRC_OUT())
        UT_TRC("\n\n", "IP_GET_NET", "Vor  RETURN   ier : %d    IP-Net: 0x%08lX", 0, (unsigned long)ulNet);
    return ulNet;
}
