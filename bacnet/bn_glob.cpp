// Frame buffers and the layer's state shared with the scanner program.
#include "bacnet/bn.h"

unsigned char QX04_RECV_Buf[QX04_BUF_SIZE];
unsigned char QX04_SEND_Buf[QX04_BUF_SIZE];
unsigned char ucQX04_InvokeId = 0;
std::uint32_t ulQX04_SDEV = 0xFFFFFFFF;
int iQX04_IP_Port = 47808;
std::uint32_t ulQX04_IP_Adr = 0xFFFFFFFF;
int iQX04_IP_APP = -1;
std::uint32_t uQX04_Anz_Dev = 8192;
QX04_BN_ROUTE *BN_ROUTE_QX04_Struct = nullptr;
QX04_BN_DOPPELT BN_DOPPELT_QX04_Struct[QX04_DOPPELT_MAX];
int iQX04_Anz_Doppelt = 0;
int iQX04_Doppelt_Voll = 0;
std::uint32_t ulQX04_DevMin = 0;
std::uint32_t ulQX04_DevMax = 4194302;
int iQX04_BvlcErg = -1;
std::uint32_t ulQX04_IamMs = 0;
IP_PORT stQX04_BvlcVon = {0xFFFFFFFF, 0};
QX04_NETZMELDUNG stQX04_Netz[QX04_NETZ_MAX];
std::uint32_t ulQX04_NetzAnz = 0;
const QX04_LINK *pQX04_Link = nullptr;
