// Frames for the BACnet layer tests: built with exactly the bytes they carry, so that AddressSanitizer
// reports any read beyond them.
#pragma once
#include <arpa/inet.h>
#include <cstdlib>
#include <initializer_list>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>
#include <gtest/gtest.h>
#include "bacnet/bn.h"
#include "support/el_probe.h"

using NT_BYTES = std::vector<unsigned char>;

// BVLC Original-Unicast-NPDU with NPDU version 1 and control ucCtl, then the given APDU bytes; the BVLC
// length is that of the whole frame.
inline NT_BYTES NT_FRAME(std::initializer_list<int> apdu, unsigned char ucCtl = 0x00) {
    NT_BYTES f{0x81, 0x0A, 0x00, 0x00, 0x01, ucCtl};
    for (int b : apdu)
        f.push_back((unsigned char)b);
    f[2] = (unsigned char)(f.size() >> 8);
    f[3] = (unsigned char)f.size();
    return f;
}

// Raw bytes with the BVLC length set to the vector's size.
inline NT_BYTES NT_RAW(std::initializer_list<int> bytes) {
    NT_BYTES f;
    for (int b : bytes)
        f.push_back((unsigned char)b);
    if (f.size() >= 4) {
        f[2] = (unsigned char)(f.size() >> 8);
        f[3] = (unsigned char)f.size();
    }
    return f;
}

// A Complex-ACK with invoke id 7 of the service iDienst, carrying the given tags and then those of tail.
inline NT_BYTES NT_ACK(int iDienst, std::initializer_list<int> tags, std::initializer_list<int> tail = {}) {
    NT_BYTES f = NT_FRAME({0x30, 0x07, iDienst});
    f.insert(f.end(), tags.begin(), tags.end());
    f.insert(f.end(), tail.begin(), tail.end());
    f[2] = (unsigned char)(f.size() >> 8), f[3] = (unsigned char)f.size();
    return f;
}

// The frame f as a BBMD relays it in a Forwarded-NPDU, naming the node ulAdr#usPort as its sender.
inline NT_BYTES NT_FWD(NT_BYTES f, std::uint32_t ulAdr, std::uint16_t usPort = 47808) {
    f.insert(f.begin() + 4,
             {(unsigned char)(ulAdr >> 24), (unsigned char)(ulAdr >> 16), (unsigned char)(ulAdr >> 8),
              (unsigned char)ulAdr, (unsigned char)(usPort >> 8), (unsigned char)usPort});
    f[1] = 0x04;
    f[2] = (unsigned char)(f.size() >> 8), f[3] = (unsigned char)f.size();
    return f;
}

// A route table of 8192 free records in t, made the layer's table.
inline void NT_RT_LEER(std::vector<QX04_BN_ROUTE> &t) {
    t.assign(8192, QX04_BN_ROUTE{});
    for (auto &r : t)
        r.ulSDEV = 0xFFFFFFFF, r.usSNET = 0xFFFF;
    BN_ROUTE_QX04_Struct = t.data();
    uQX04_Anz_Dev = 8192;
    iQX04_Anz_Doppelt = iQX04_Doppelt_Voll = 0;
}

// The scanner's endpoint on port 47808 of host 127.0.0.1 and, at stPeer, a socket standing in for another
// node that reads the answers. Only inside the private network namespace of the test harness.
class NT_BN_NETZ : public ::testing::Test {
  protected:
    std::vector<QX04_BN_ROUTE> tabelle;
    int iPeer = -1;
    IP_PORT stPeer{0x7F000002, 47809};

    void SetUp() override {
        setenv("HOST", "127.0.0.1", 1); // a dotted host name resolves to itself, without any lookup
        NT_EL_START();
        NT_RT_LEER(tabelle);
        IP_INIT();
        iQX04_IP_Port = 47808;
        ulQX04_IP_Adr = 0xFFFFFFFF;
        iQX04_IP_APP = IP_OPEN(1, iQX04_IP_Port, nullptr);
        ASSERT_GE(iQX04_IP_APP, 0);
        iPeer = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(stPeer.usPort);
        sa.sin_addr.s_addr = htonl(stPeer.ulAdr);
        ASSERT_EQ(bind(iPeer, (sockaddr *)&sa, sizeof sa), 0);
        NT_EL_NEU();
    }
    void TearDown() override {
        close(iPeer);
        IP_EXIT();
        iQX04_IP_APP = -1;
    }
    // The datagram that reached the other node, empty when none came within iMs milliseconds.
    NT_BYTES ANTWORT(int iMs = 500) {
        pollfd pf{iPeer, POLLIN, 0};
        if (poll(&pf, 1, iMs) != 1) return {};
        unsigned char b[1500];
        ssize_t n = recv(iPeer, b, sizeof b, 0);
        return NT_BYTES(b, b + (n > 0 ? n : 0));
    }
};
