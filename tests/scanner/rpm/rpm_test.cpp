// ReadPropertyMultiple's batch sizes after aborted or unanswered batches and answered ones, and what a batch
// asks of an object: the device's own object only when the request table holds the rows for the EDE files.
#include <gtest/gtest.h>
#include "bacnet/bn.h"
#include "scanner/walk/sc_scan.h"

TEST(Rpm, BatchSizeAfterFailuresAndAnswers) {
    iSC_Mehrfach = 1;
    SC_SCAN_Struct s;
    SC_SCAN_NEU(&s);
    s.stAnf.bGeantwortet = true;
    s.stAnf.iDienst = SC_DIENST_OBJEKTE;
    SC_RPM_MENGE_Struct &m = s.stRpm.stObjekte;
    // iAnz > 0: a batch of that size failed; 0: a batch was answered. Then the limit and its ceiling.
    const struct {
        int iAnz, iMax, iDecke;
    } aSchritt[] = {{160, 80, 160}, {0, 160, 160}, {160, 80, 80}, {0, 80, 80}, {40, 20, 80}, {0, 40, 80}};
    m = {QX04_RPM_MAX, QX04_RPM_MAX, 0};
    for (const auto &x : aSchritt) {
        s.stAnf.iAnz = x.iAnz;
        x.iAnz > 0 ? SC_RPM_WENIGER(&s, "Abbruch") : SC_RPM_MEHR(&m);
        EXPECT_EQ(m.iMax, x.iMax) << x.iAnz;
        EXPECT_EQ(m.iDecke, x.iDecke) << x.iAnz;
    }
    // Batches of one that fail: the object by ReadProperty, after the second the whole device.
    for (int i = 1; i <= 2; i++) {
        s.stAnf.iAnz = 1;
        SC_RPM_WENIGER(&s, "ohne Antwort");
        EXPECT_TRUE(s.stRpm.bObjRP);
        EXPECT_EQ(s.stRpm.bNurRP, i == 2);
    }
}

TEST(Rpm, WhatABatchAsksOfAnObject) {
    const SC_FRAGE_Struct *ap[SC_FRAGEN_MAX];
    const std::uint32_t ulDev = QX04_BN_OBJID(QX04_OBJ_DEVICE, 7), ulMV = QX04_BN_OBJID(19, 1);
    for (const bool bGanz : {false, true}) {
        SC_FRAGEN_GANZ(bGanz);
        EXPECT_EQ(SC_FRAGEN(ulDev, 7, ap), bGanz ? 1 : 0);
        EXPECT_EQ(SC_FRAGEN(QX04_BN_OBJID(QX04_OBJ_DEVICE, 8), 7, ap), 0); // another device's object
        ASSERT_EQ(SC_FRAGEN(ulMV, 7, ap), 5);                              // the state-text array once, whole
        EXPECT_EQ(ap[4]->usProp, QX04_PROP_STATE_TEXT);
        EXPECT_EQ(SC_FRAGEN_ZUSTAENDE(), bGanz ? SC_ZUST_ALLE : SC_ANZ_STATE);
    }
    SC_FRAGEN_GANZ(false);
}
