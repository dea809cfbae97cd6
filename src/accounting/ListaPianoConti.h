#pragma once
// A list of the chart of accounts over a search query (the row joined to its class), whose
// detail edits the row itself through a second query opened on that one row.
#include "forms/ListForm.h"

#include <functional>

namespace db {
class Connection;
}

class ListaPianoConti : public forms::ListForm {
    Q_OBJECT
public:
    struct Riga {
        db::Query *dataset;          // the query the detail edits
        QString tabella;             // its table
        QString collegamento;        // the column naming the level above (0 for none)
        std::function<void(db::Connection &, qint64)> elimina; // the delete with what it contains
        QList<db::Query *> daRileggere; // other lists that show the deleted rows
    };
    ListaPianoConti(Config config, Riga riga, QWidget *parent = nullptr);

public Q_SLOTS:
    void spdInserisciClick() override;
    void spdAvantiClick() override;
    void spdEliminaClick() override;

private:
    void apriRiga(qint64 id);
    void rileggiSu(qint64 id);
    Riga m_riga;
};
