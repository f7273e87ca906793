// Frames for the BACnet layer tests: built with exactly the bytes they carry, so that AddressSanitizer
// reports any read beyond them.
#pragma once
#include <initializer_list>
#include <vector>

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
