// BACnet/IP protocol layer of the scanner: frame layout, tag decoding, ReadProperty requests, incoming
// message check, own-device answers, route table and frame trace.
#pragma once
#include <cstdint>
#include "ip/ip.h"

// ---- Frame buffers and the scanner's own identity ---------------------------------------------------------
constexpr int QX04_BUF_SIZE = 1500;
extern unsigned char QX04_RECV_Buf[QX04_BUF_SIZE];
extern unsigned char QX04_SEND_Buf[QX04_BUF_SIZE];
extern unsigned char ucQX04_InvokeId; // invoke id of the latest confirmed request sent
extern std::uint32_t ulQX04_SDEV;     // the scanner's own device object identifier
extern int iQX04_IP_Port;             // the scanner's UDP port
extern std::uint32_t ulQX04_IP_Adr;   // own address from the command line, 0xFFFFFFFF = none
extern int iQX04_IP_APP;              // index of the scanner's endpoint, -1 = not open

// ---- Frame layout, byte order, object identifiers, invoke ids --------------------------------------------

// ---- Tag decoding --------------------------------------------------------------------------------------

// ---- Route table ---------------------------------------------------------------------------------------

// ---- ReadProperty requests -----------------------------------------------------------------------------

// ---- Incoming message check and receive guard -----------------------------------------------------------

// ---- Network messages and own-device responder ---------------------------------------------------------

// ---- Frame trace ---------------------------------------------------------------------------------------
