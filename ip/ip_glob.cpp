// The endpoint table, the module's last system error number and the host addresses taken at set-up.
#include "ip/ip.h"

// Free from program load on, so that closing everything is harmless even before IP_INIT ran.
IP_APP APP_IP[IP_APP_MAX] = {{-1, 0, 0, {0xFFFFFFFF, 0xFFFF}},
                             {-1, 0, 0, {0xFFFFFFFF, 0xFFFF}},
                             {-1, 0, 0, {0xFFFFFFFF, 0xFFFF}},
                             {-1, 0, 0, {0xFFFFFFFF, 0xFFFF}}};
int iIP_Error = 0;
IP_SENKE_FN pfIP_Senke = nullptr;
std::uint32_t ulIP_HostAdr[IP_HOST_MAX];
int iIP_HostAnz = -1;
