// Data-point type and short name of the BACnet object types that give data points.
#include <array>
#include "scanner/reffile/sc_ref.h"

struct SC_OBJTYP_Eintrag {
    unsigned uObjTyp;
    const char *cKurz;
    unsigned uDP_Type;
};

static constexpr std::array<SC_OBJTYP_Eintrag, 9> stObjTyp{{
    {0, "AI", 3},  // analog-input
    {1, "AO", 4},  // analog-output
    {2, "AV", 4},  // analog-value
    {3, "BI", 1},  // binary-input
    {4, "BO", 2},  // binary-output
    {5, "BV", 2},  // binary-value
    {13, "MI", 1}, // multi-state-input
    {14, "MO", 2}, // multi-state-output
    {19, "MV", 2}, // multi-state-value
}};

unsigned SC_OBJTYP(unsigned uObjTyp, const char **cKurz) {
    for (const auto &e : stObjTyp) {
        if (e.uObjTyp != uObjTyp) continue;
        if (cKurz != nullptr) *cKurz = e.cKurz;
        return e.uDP_Type;
    }
    if (cKurz != nullptr) *cKurz = "";
    return 0;
}
