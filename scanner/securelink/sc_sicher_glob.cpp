// State of -S: whether it was given, and the requests a lost connection may have swallowed.
#include "scanner/securelink/sc_sicher.h"

bool bSC_Sicher = false;
SC_OFFEN_Struct astSC_Offen[SC_OFFEN_MAX];
const QX04_LINK stSC_SicherLink = {SC_SICHER_SENDEN, SC_SICHER_EMPFANGEN, SC_SICHER_WARTEN, SC_SICHER_ADR2A,
                                   SC_SICHER_A2ADR};
