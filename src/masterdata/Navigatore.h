#pragma once
// What the forms that edit a small table one row at a time, instead of through a list, share:
// a navigator over the rows, and the "+" and "-" buttons beside it.
#include <QString>
#include <QWidget>

class QPushButton;
class QToolButton;

namespace db {
class Query;
}

namespace masterdata {

// First, prior, next and last row of a dataset. A row being edited is posted by the move,
// as the dataset does.
class Navigatore : public QWidget {
    Q_OBJECT
public:
    Navigatore(db::Query *dataset, const QString &nome, QWidget *parent);

    QToolButton *primo;
    QToolButton *precedente;
    QToolButton *successivo;
    QToolButton *ultimo;
};

// A "+" or "-" button. It is no tab stop, so Enter and Down in the fields never land on it.
QPushButton *pulsanteRiga(QWidget *parent, const QString &nome, const QString &testo, const QString &suggerimento = {});

// "+": the filter emptied and a blank row begun; the row is stored only by the form's save.
void iniziaRiga(db::Query &dataset);

// "-": the current row deleted after the Yes/No question ("Messaggio di avviso"); the row
// before it becomes current. Nothing on an empty table. True when a row was deleted.
bool eliminaRiga(QWidget *parent, db::Query &dataset, const QString &domanda);

} // namespace masterdata
