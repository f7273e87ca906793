// The slot of a text property whose longest value is learnt by itself: names are short where descriptions
// are long, and one long description must not make every name of a batch count as long.
#include "scanner/rpm/sc_rpm.h"

int SC_RPM_WERT_NR(std::uint32_t ulProp) {
    static constexpr std::array<std::uint32_t, SC_RPM_WERTE> aulProp = {
        QX04_PROP_OBJECT_NAME, QX04_PROP_DESCRIPTION, QX04_PROP_INACTIVE_TEXT, QX04_PROP_ACTIVE_TEXT,
        QX04_PROP_STATE_TEXT};
    for (std::size_t i = 0; i < aulProp.size(); i++)
        if (aulProp[i] == ulProp) return static_cast<int>(i);
    return -1;
}
