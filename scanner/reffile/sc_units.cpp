// Attribute code of an analog data point from its BACnet engineering units.
#include <array>
#include "scanner/reffile/sc_ref.h"

struct SC_UNITS_Eintrag {
    unsigned char ucUnits;
    unsigned char ucAtb;
};

// Several units share a code (30 and 59 give 1; 26 and 100 give 57; 27 and 101 give 56).
static constexpr std::array<SC_UNITS_Eintrag, 61> stUnits{{
    {0, 6},     {2, 124},  {3, 125},   {4, 131},  {5, 120},  {6, 121},  {7, 122},   {8, 51},    {9, 52},
    {10, 53},   {16, 36},  {17, 37},   {18, 40},  {19, 41},  {23, 115}, {25, 58},   {26, 57},   {27, 56},
    {28, 152},  {29, 151}, {30, 1},    {31, 2},   {39, 30},  {41, 31},  {42, 91},   {43, 94},   {44, 97},
    {47, 48},   {48, 49},  {49, 50},   {53, 25},  {55, 27},  {59, 1},   {62, 108},  {63, 109},  {70, 15},
    {71, 14},   {72, 13},  {73, 11},   {74, 69},  {75, 75},  {82, 9},   {85, 83},   {87, 80},   {88, 81},
    {95, 0},    {96, 148}, {98, 150},  {100, 57}, {101, 56}, {103, 62}, {122, 132}, {123, 133}, {124, 119},
    {125, 116}, {126, 38}, {127, 112}, {133, 24}, {134, 26}, {135, 85}, {136, 82},
}};

unsigned SC_UNITS(long lUnits) {
    for (const auto &e : stUnits)
        if (e.ucUnits == lUnits) return e.ucAtb;
    return 255;
}
