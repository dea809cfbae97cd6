#pragma once
// A query whose rows follow the current row of another: the rows, instalments, orders and
// attachments of the document that is current in its header's query. When the header moves
// to another document (or is read again), the rows are read again for its key.
#include <QObject>
#include <QString>
#include <functional>

namespace db {
class Query;
}

namespace forms {

class DatiCollegati : public QObject {
    Q_OBJECT
public:
    // `sql` gives the rows' SQL for the header's key, read from `campoChiave` (0 when the
    // header has no row, which reads no rows).
    DatiCollegati(db::Query *testata, const QString &campoChiave, db::Query *righe, std::function<QString(qint64)> sql,
                  QObject *parent = nullptr);

    // The key the rows were last read for.
    qint64 chiave() const { return m_chiave; }
    // Reads the rows again for the header's current key.
    void rileggi();

Q_SIGNALS:
    void riletti(qint64 chiave);

private:
    qint64 chiaveTestata() const;
    void segui();

    db::Query *m_testata;
    QString m_campoChiave;
    db::Query *m_righe;
    std::function<QString(qint64)> m_sql;
    qint64 m_chiave = -1;
};

} // namespace forms
