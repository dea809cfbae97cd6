#pragma once
#include <vector>

namespace data {

struct SharedQueryDef {
    const char *name;    // the dataset, e.g. "Table7"
    const char *source;  // its data source, e.g. "Source7"
    const char *sql;     // Access SQL at creation
    bool dynamicCursor;  // other workstations' changes wanted at once
};

const std::vector<SharedQueryDef> &sharedQueryDefs();

} // namespace data
