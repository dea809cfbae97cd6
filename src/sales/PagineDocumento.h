#pragma once
// Pieces the sales document editors lay out alike on their side pages: a grid with its
// columns, an icon-only small button, the transport group of "Accompagnatoria".
#include "forms/EditorDocumento.h"

#include <QList>
#include <QString>
#include <QStyle>
#include <tuple>

class QGroupBox;
class QToolButton;
class QWidget;

namespace db {
class DataSource;
}

namespace ui {
class DBCheckBox;
class DBEdit;
class DBGrid;
class DBLookupComboBox;
} // namespace ui

namespace vendite {

ui::DBGrid *nuovaGriglia(QWidget *parent, const QString &nome, db::DataSource *source,
                         const QList<std::tuple<QString, QString, int>> &colonne);
QToolButton *pulsantePiccolo(QWidget *parent, const QString &nome, const QString &suggerimento, const char *icona,
                             QStyle::StandardPixmap riserva);

// The instalments of the document (FatturaScadenze, every kind), in grid DBGrid3 by due date.
forms::EditorDocumento::Collegate scadenzeDocumento();

// "Dati Trasporto" (GroupBox4) on the document's header source: carriage term, appearance and
// carrier with their "+" and edit buttons, kind of transport, "Includi in xml" beside the
// carrier, parcels and the transport's date and time.
struct DatiTrasporto {
    QGroupBox *GroupBox4 = nullptr;
    ui::DBLookupComboBox *porto = nullptr, *aspetto = nullptr, *tipoTrasporto = nullptr, *vettore = nullptr;
    QToolButton *aggiungiPorto = nullptr, *modificaPorto = nullptr;
    QToolButton *aggiungiAspetto = nullptr, *modificaAspetto = nullptr;
    QToolButton *aggiungiVettore = nullptr, *modificaVettore = nullptr;
    ui::DBCheckBox *includiXml = nullptr;
    ui::DBEdit *colli = nullptr;
    ui::DBEdit *dataTrasporto = nullptr;
};
// `nomeAggiungiPorto`: the carriage term's "+" button's name, which differs between editors.
DatiTrasporto creaDatiTrasporto(QWidget *parent, db::DataSource *source, const QString &nomeAggiungiPorto);

} // namespace vendite
