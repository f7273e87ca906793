// The EDE files from a scripted event sequence, no network: the device's name, a multi-state point with more
// states than the reference file keeps, texts whole in UTF-8, a refused state text left empty.
#include <gtest/gtest.h>
#include <string>
#include "bacnet/bn.h"
#include "scanner/ede/sc_ede_intern.h"

namespace {

SC_EREIGNIS_Struct WERT(std::uint32_t ulObj, std::uint16_t usProp, int iIdx, const std::string *s,
                        long lZahl) {
    SC_EREIGNIS_Struct e{};
    e.iArt = SC_EV_WERT, e.uDev = 0, e.ulObjId = ulObj, e.usProp = usProp, e.iIndex = iIdx, e.lZahl = lZahl;
    e.stWert.iAntwort = s != nullptr || lZahl >= 0 ? SC_AW_WERT : SC_AW_FEHLER;
    if (s != nullptr)
        e.stWert.ucText = reinterpret_cast<const unsigned char *>(s->data()),
        e.stWert.ulTextLen = static_cast<std::uint32_t>(s->size()), e.stWert.ucSatz = QX04_SATZ_UTF8;
    return e;
}

} // namespace

TEST(Ede, RowsAndStateTextsFromEvents) {
    const std::uint32_t ulMV = QX04_BN_OBJID(19, 3);
    const std::string sHaus = "Haus; \"Süd\"", sName = "Lüftung Stufe", sLeer;
    std::vector<std::string> vTexte;
    for (int i = 1; i <= 12; i++)
        vTexte.push_back("Stufe " + std::to_string(i));
    SC_EDE_NEU();
    ASSERT_TRUE(SC_EDE_OPTION("-Xhaus"));
    std::vector<SC_EREIGNIS_Struct> vE;
    SC_EREIGNIS_Struct e{};
    e.iArt = SC_EV_DEV_ANFANG, e.ulDev = 7;
    vE.push_back(e);
    vE.push_back(WERT(QX04_BN_OBJID(QX04_OBJ_DEVICE, 7), QX04_PROP_OBJECT_NAME, -1, &sHaus, -1));
    vE.push_back(WERT(ulMV, QX04_PROP_OBJECT_NAME, -1, &sName, -1));
    vE.push_back(WERT(ulMV, QX04_PROP_DESCRIPTION, -1, nullptr, -1)); // refused
    vE.push_back(WERT(ulMV, QX04_PROP_NUMBER_OF_STATES, -1, nullptr, 12));
    for (int i = 1; i <= 12; i++)
        vE.push_back(WERT(ulMV, QX04_PROP_STATE_TEXT, i, i == 3 ? nullptr : &vTexte[i - 1], -1));
    e.iArt = SC_EV_PUNKT, e.ulObjId = ulMV, e.cId = "7.MV3", e.cAdr = "0000007.MV#0000003'00085";
    vE.push_back(e);
    for (const SC_EREIGNIS_Struct &x : vE)
        SC_EDE_MELDEN(&x);
    std::string sEde, sZust;
    SC_EDE_TEXTE(&sEde, &sZust);
    EXPECT_NE(sEde.find("7.DEV;7;\"Haus; \"\"Süd\"\"\";8;7;;;;;;;;;;;\r\n"), std::string::npos) << sEde;
    EXPECT_NE(sEde.find("7.MV3;7;Lüftung Stufe;19;3;;;;;;;;;1;;0000007.MV#0000003'00085\r\n"),
              std::string::npos)
        << sEde;
    EXPECT_NE(sZust.find(";Text 12\r\n1;Stufe 1;Stufe 2;;Stufe 4;"), std::string::npos) << sZust;
    EXPECT_NE(sZust.find(";Stufe 12\r\n"), std::string::npos) << sZust;
}
