// Factory state of the signalling fields.
#include "datamodel/FactoryRows.h"

// clang-format off
const std::vector<SFactoryRow>& SignallingFactoryRows() {
    static const std::vector<SFactoryRow> rows = {
    };
    return rows;
}
// clang-format on
