#pragma once
#include <QObject>
#include <QPointer>

namespace db {

class Query;

// Links a query to its bound controls: they listen here, not to the query, so a source can
// be switched off or pointed at another query without touching the controls.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(Query *dataset = nullptr, QObject *parent = nullptr);

    Query *dataset() const { return m_dataset; }
    void setDataset(Query *q);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool e);
    // Controls put the query in edit state themselves when the user types.
    bool autoEdit() const { return m_autoEdit; }
    void setAutoEdit(bool a) { m_autoEdit = a; }

Q_SIGNALS:
    void dataChanged();          // everything may have changed: reload
    void recordChanged(int col); // a value of the current row (-1: all of it)
    void stateChanged();
    void datasetChanged();
    void updateRecord(); // write what the controls still hold into the row

private:
    QPointer<Query> m_dataset;
    bool m_enabled = true;
    bool m_autoEdit = true;
};

} // namespace db
