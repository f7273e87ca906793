// The libwebsockets context and connection, and the queues of the data link.
#include "bsc/bsc_lws.h"

lws_context *pBSC_Kontext = nullptr;
lws *pBSC_Wsi = nullptr;
lws *pBSC_Zu = nullptr;
BSC_TLS_Struct stBSC_Tls;
BSC_AUSGANG_Struct astBSC_Ausgang[BSC_AUSGANG_MAX];
int iBSC_AusgangKopf = 0, iBSC_AusgangAnz = 0;
BSC_EINGANG_Struct astBSC_Eingang[BSC_EINGANG_MAX];
int iBSC_EingangKopf = 0, iBSC_EingangAnz = 0;
bool bBSC_Gebremst = false;
