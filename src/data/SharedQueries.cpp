#include "SharedQueries.h"

namespace data {

const std::vector<SharedQueryDef> &sharedQueryDefs()
{
    static const std::vector<SharedQueryDef> defs = {
#define SHARED_QUERY(query, source, sql, dynamicCursor) {#query, #source, sql, dynamicCursor},
#include "SharedQueries.def"
#undef SHARED_QUERY
    };
    return defs;
}

} // namespace data
