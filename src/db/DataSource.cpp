#include "DataSource.h"
#include "Query.h"

namespace db {

DataSource::DataSource(Query *dataset, QObject *parent) : QObject(parent) { setDataset(dataset); }

void DataSource::setDataset(Query *q)
{
    if (m_dataset) disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = q;
    if (q) {
        connect(q, &Query::layoutReset, this, [this] {
            if (m_enabled) Q_EMIT dataChanged();
        });
        connect(q, &Query::currentChanged, this, [this] {
            if (m_enabled) Q_EMIT recordChanged(-1);
        });
        connect(q, &Query::fieldChanged, this, [this](int col) {
            if (m_enabled) Q_EMIT recordChanged(col);
        });
        connect(q, &Query::stateChanged, this, [this] {
            if (m_enabled) Q_EMIT stateChanged();
        });
        connect(q, &Query::updateRecord, this, [this] {
            if (m_enabled) Q_EMIT updateRecord();
        });
    }
    Q_EMIT datasetChanged();
    Q_EMIT dataChanged();
    Q_EMIT recordChanged(-1);
}

void DataSource::setEnabled(bool e)
{
    if (m_enabled == e) return;
    m_enabled = e;
    if (e) {
        Q_EMIT dataChanged();
        Q_EMIT recordChanged(-1);
        Q_EMIT stateChanged();
    }
}

} // namespace db
