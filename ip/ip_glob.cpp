// The endpoint table and the module's last system error number.
#include "ip/ip.h"

// Free from program load on, so that closing everything is harmless even before IP_INIT ran.
IP_APP APP_IP[IP_APP_MAX] = {{-1, 0, 0, {0xFFFFFFFF, 0xFFFF}},
                             {-1, 0, 0, {0xFFFFFFFF, 0xFFFF}},
                             {-1, 0, 0, {0xFFFFFFFF, 0xFFFF}},
                             {-1, 0, 0, {0xFFFFFFFF, 0xFFFF}}};
int iIP_Error = 0;
