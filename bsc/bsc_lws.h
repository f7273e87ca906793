// Inside the data link: the libwebsockets context and connection, the TLS observations of the current
// attempt, and the two queues between the connection and the node. Only bsc/ includes this header.
#pragma once
#include <libwebsockets.h>
#include "bsc/bsc.h"

extern lws_context *pBSC_Kontext;
extern lws *pBSC_Wsi; // the connection of the current attempt or the open one; null when none
extern lws *pBSC_Zu;  // a connection being closed: whatever it still reports is past

// What the TLS handshake of the current attempt showed: how far it came and what went wrong on either side.
struct BSC_TLS_Struct {
    bool bBegonnen = false, bFertig = false;
    int iAlarmGelesen = -1; // the TLS alert the hub sent, -1 none
    int iX509 = 0;          // the check of the hub's certificate: its first error, 0 none
};
extern BSC_TLS_Struct stBSC_Tls;

// A message waiting to go out, with the room libwebsockets wants before it.
struct BSC_AUSGANG_Struct {
    unsigned char ucDaten[LWS_PRE + BSC_BVLC_MAX];
    int iLen;
};
// An NPDU received, with its sender.
struct BSC_EINGANG_Struct {
    unsigned char ucVon[BSC_VMAC_LEN];
    unsigned char ucNpdu[BSC_NPDU_MAX];
    int iLen;
};
constexpr int BSC_AUSGANG_MAX = 256, BSC_EINGANG_MAX = 512;
// Reading pauses while the node has this many NPDUs unread: TCP then holds the hub back, nothing is lost.
constexpr int BSC_EINGANG_VOLL = BSC_EINGANG_MAX - 64;
extern BSC_AUSGANG_Struct astBSC_Ausgang[BSC_AUSGANG_MAX];
extern int iBSC_AusgangKopf, iBSC_AusgangAnz;
extern BSC_EINGANG_Struct astBSC_Eingang[BSC_EINGANG_MAX];
extern int iBSC_EingangKopf, iBSC_EingangAnz;
extern bool bBSC_Gebremst; // reading paused

// The protocol callback of the connection.
int BSC_RUECKRUF(lws *wsi, lws_callback_reasons iGrund, void *pUser, void *pIn, size_t uLen);
// The client's TLS context, once: TLS 1.3 at least, the key log of SSLKEYLOGFILE, the alerts watched.
void BSC_TLS_EINRICHTEN(void *pSslCtx);
// Closes the current connection (if any) from the node's side.
void BSC_ZU();
// Queues the reply to a request from the hub or a node: same message id, back to its sender.
void BSC_ANTWORT(const BSC_KOPF *stKopf, unsigned char ucFunk, const unsigned char *ucNutz, int iLen);
