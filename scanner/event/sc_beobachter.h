// The table of observers, private to the events' folder.
#pragma once
#include "scanner/event/sc_ereignis.h"

extern const SC_BEOBACHTER_Struct *apSC_Beobachter[SC_BEOBACHTER_MAX];
extern int iSC_Beobachter;
