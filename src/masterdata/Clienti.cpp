#include "Clienti.h"
#include "ClientiDett.h"
#include "VCardClientiForm.h"
#include "forms/DetailForm.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "masterdata/services/Clienti.h"

#include "common/SqlText.h"
#include "data/DB.h"
#include "db/Query.h"
#include "mail/Email.h"
#include "widgets/ColorBox.h"
#include "widgets/DBGrid.h"
#include "widgets/ToolButton.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The customer's own colour, else its category's, else white.
QColor coloreCliente(db::Query *q, int riga)
{
    for (const char *campo : {"NumeroColore", "ColoreCategoria"}) {
        const int col = q->fieldIndex(QLatin1String(campo));
        if (col < 0) continue;
        const QColor c = ui::coloreVisualizzato(q->valueAt(riga, col).toLongLong());
        if (c.isValid()) return c;
    }
    return QColor(Qt::white);
}

// Every cell of a row filled with the row's colour and its text in black, the current and the
// selected rows too (a dotted frame keeps the selection visible).
class DelegatoColori : public QStyledItemDelegate {
public:
    DelegatoColori(db::Query *q, QObject *parent) : QStyledItemDelegate(parent), m_q(q) {}
    void paint(QPainter *p, const QStyleOptionViewItem &opzione, const QModelIndex &indice) const override
    {
        p->save();
        p->fillRect(opzione.rect, coloreCliente(m_q, indice.row()));
        p->setPen(Qt::black);
        const QRect area = opzione.rect.adjusted(2, 2, -2, 0);
        p->drawText(area, Qt::AlignLeft | Qt::AlignTop,
                    opzione.fontMetrics.elidedText(indice.data(Qt::DisplayRole).toString(), Qt::ElideRight, area.width()));
        if (opzione.state & QStyle::State_Selected) {
            p->setPen(QPen(Qt::black, 1, Qt::DotLine));
            p->drawRect(opzione.rect.adjusted(0, 0, -1, -1));
        }
        p->restore();
    }

private:
    db::Query *m_q;
};

} // namespace

TfrmClienti::TfrmClienti(QWidget *parent)
    : masterdata::ListaAnagrafica(
          configurazione(QStringLiteral("frmClienti"), QStringLiteral("Clienti"), 2600, form_DB->Table7, form_DB->Source7,
                         {{QStringLiteral("NominativoVisualizzato"), QStringLiteral("Cliente"), 300},
                          {QStringLiteral("Codice"), QStringLiteral("Codice"), 90},
                          {QStringLiteral("Telefono"), QStringLiteral("Telefono"), 110},
                          {QStringLiteral("Fax"), QStringLiteral("Fax"), 110},
                          {QStringLiteral("Cellulare"), QStringLiteral("Cellulare"), 110},
                          {QStringLiteral("Citta"), QStringLiteral("Citta"), 160},
                          {QStringLiteral("Provincia"), QStringLiteral("Prov."), 50}},
                         QStringLiteral("Sei sicuro di voler eliminare il cliente?"), QStringLiteral("Clienti"),
                         QStringLiteral("frmClienti_Griglia")),
          [] {
              Anagrafica a;
              a.caselle = {{"Edit1", QStringLiteral("Ricerca Per Cliente"), QStringLiteral("NominativoVisualizzato"), 0},
                           {"Edit2", QStringLiteral("Cellulare"), QStringLiteral("Cellulare"), 2},
                           {"Edit3", QStringLiteral("Prov."), QStringLiteral("Provincia"), 3},
                           {"Edit4", QStringLiteral("Città"), QStringLiteral("Citta"), 1},
                           {"Edit5", QStringLiteral("Per Note"), QStringLiteral("Note"), 4}};
              a.nomeCategorie = QStringLiteral("ComboBox1");
              a.categorie = form_DB->TableCategoriaClienti;
              a.idCategoria = [](const QString &d) { return clienti::idCategoria(form_DB->Connessione, d); };
              a.colonnaEmail = QStringLiteral("EMail");
              a.copiaEmail = {QStringLiteral("Copia email"), QStringLiteral("Copia gli indirizzi email dei clienti selezionati")};
              a.inviaEmail = {QStringLiteral("Invia Email"), QStringLiteral("Invia una email ai clienti selezionati")};
              a.daRicaricare = {form_DB->Table8, form_DB->Table5, form_DB->Table7, form_DB->TableModPaga};
              a.importaVCard = importaVCardClienti;
              a.esportaVCard = esportaVCardClienti;
              return a;
          }(),
          parent)
{
    if (SelezionaTutti1) SelezionaTutti1->setText(QStringLiteral("Seleziona tutti"));
    Edit1 = casellaRicerca("Edit1");
    Edit2 = casellaRicerca("Edit2");
    Edit3 = casellaRicerca("Edit3");
    Edit4 = casellaRicerca("Edit4");
    Edit5 = casellaRicerca("Edit5");
    ComboBox1 = Categorie;

    DBGrid1->setRowColorCallback([](int riga) { return coloreCliente(form_DB->Table7, riga); });
    DBGrid1->setItemDelegate(new DelegatoColori(form_DB->Table7, DBGrid1));
}

void TfrmClienti::impostaNuovo()
{
    db::Query *q = dataset();
    q->fieldByName(QStringLiteral("NumeroColore")).setAsInteger(ui::kBianco);
    q->fieldByName(QStringLiteral("Annullato")).setAsBoolean(false);
    q->fieldByName(QStringLiteral("ScissionePagamenti")).setAsBoolean(false);
    q->fieldByName(QStringLiteral("IdPaese")).setAsString(QStringLiteral("IT"));
    q->fieldByName(QStringLiteral("Sede_Nazione")).setAsString(QStringLiteral("IT"));
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati = forms::registra(frmClienti, "frmClienti",
                                        {.dettaglio = QStringLiteral("frmClientiDett"),
                                         .griglie = {{QStringLiteral("frmClienti_Griglia")}}});
} // namespace
