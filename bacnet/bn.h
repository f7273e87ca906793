// BACnet/IP protocol layer of the scanner: frame layout, tag decoding, ReadProperty requests, incoming
// message check, own-device answers, route table and frame trace.
#pragma once
#include <cstdint>
#include "ip/ip.h"
