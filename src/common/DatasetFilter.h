#pragma once
#include "db/Query.h"

namespace common {

// A dataset filter that lasts one operation and is cleared however the operation ends.
// A row the operation left unsaved is dropped first, so that clearing does not post it.
class FiltroTemporaneo {
public:
    FiltroTemporaneo(db::Query &dataset, const QString &filtro) : m_dataset(dataset) { dataset.setFilter(filtro); }
    ~FiltroTemporaneo()
    {
        m_dataset.cancel();
        m_dataset.setFilter(QString());
    }
    FiltroTemporaneo(const FiltroTemporaneo &) = delete;
    FiltroTemporaneo &operator=(const FiltroTemporaneo &) = delete;

private:
    db::Query &m_dataset;
};

} // namespace common
