// Factory state of the settings fields.
#include "datamodel/FactoryRows.h"

// clang-format off
const std::vector<SFactoryRow>& SettingsFactoryRows() {
    static const std::vector<SFactoryRow> rows = {
    };
    return rows;
}
// clang-format on
