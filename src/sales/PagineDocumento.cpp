#include "PagineDocumento.h"

#include "data/DB.h"
#include "widgets/DBCheckBox.h"
#include "widgets/DBEdit.h"
#include "widgets/DBGrid.h"
#include "widgets/DBLookupComboBox.h"
#include "widgets/ToolButton.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QToolButton>

namespace vendite {

ui::DBGrid *nuovaGriglia(QWidget *parent, const QString &nome, db::DataSource *source,
                         const QList<std::tuple<QString, QString, int>> &colonne)
{
    auto *g = new ui::DBGrid(parent);
    g->setObjectName(nome);
    g->setDataSource(source);
    for (const auto &[campo, titolo, larghezza] : colonne) g->addColumn(campo, titolo, larghezza);
    return g;
}

QToolButton *pulsantePiccolo(QWidget *parent, const QString &nome, const QString &suggerimento, const char *icona,
                             QStyle::StandardPixmap riserva)
{
    QToolButton *b = ui::toolButton(parent, nome, QString(), suggerimento, icona, riserva);
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return b;
}

forms::EditorDocumento::Collegate scadenzeDocumento()
{
    forms::EditorDocumento::Collegate c;
    c.griglia = QStringLiteral("DBGrid3");
    c.dataset = form_DB->TableFatturaScadenze;
    c.source = form_DB->SourceFatturaScadenze;
    c.sql = [](qint64 id) {
        return QStringLiteral("select * from FatturaScadenze where Fattura_ID = %1 order by DataScadenza,Numero").arg(id);
    };
    return c;
}

DatiTrasporto creaDatiTrasporto(QWidget *parent, db::DataSource *source, const QString &nomeAggiungiPorto)
{
    DatiTrasporto t;
    QGroupBox *gruppo = t.GroupBox4 = new QGroupBox(QStringLiteral("Dati Trasporto"), parent);
    gruppo->setObjectName(QStringLiteral("GroupBox4"));
    auto *campi = new QFormLayout(gruppo);
    auto lookup = [&](const QString &nome, const QString &etichetta, const QString &campo, db::DataSource *lista,
                      const QString &chiaveLista, const QString &campoLista, QToolButton **aggiungi, const QString &nomeAggiungi,
                      QToolButton **modifica, const QString &nomeModifica) {
        auto *l = new ui::DBLookupComboBox(gruppo);
        l->setObjectName(nome);
        l->setListSource(lista);
        l->setKeyField(chiaveLista);
        l->setListField(campoLista);
        l->setDataSource(source);
        l->setDataField(campo);
        if (!aggiungi) {
            campi->addRow(etichetta, l);
            return l;
        }
        auto *riga = new QWidget(gruppo);
        auto *h = new QHBoxLayout(riga);
        h->setContentsMargins(0, 0, 0, 0);
        l->setParent(riga);
        *aggiungi = pulsantePiccolo(riga, nomeAggiungi, QStringLiteral("Aggiungi"), "list-add", QStyle::SP_FileDialogNewFolder);
        (*aggiungi)->setText(QStringLiteral("+"));
        (*aggiungi)->setToolButtonStyle(Qt::ToolButtonTextOnly);
        *modifica = pulsantePiccolo(riga, nomeModifica, QStringLiteral("Modifica"), "document-edit",
                                    QStyle::SP_FileDialogDetailedView);
        h->addWidget(l, 1);
        h->addWidget(*aggiungi);
        h->addWidget(*modifica);
        campi->addRow(etichetta, riga);
        return l;
    };
    t.porto = lookup(QStringLiteral("DBLookupComboBox7"), QStringLiteral("Porto"), QStringLiteral("Porto_ID"), form_DB->SourcePorto,
                     QStringLiteral("ID"), QStringLiteral("Descrizione"), &t.aggiungiPorto, nomeAggiungiPorto, &t.modificaPorto,
                     QStringLiteral("SpeedButton19"));
    t.aspetto = lookup(QStringLiteral("DBLookupComboBox9"), QStringLiteral("Aspetto esteriore"), QStringLiteral("Aspetto_ID"),
                       form_DB->SourceAspetto, QStringLiteral("Id"), QStringLiteral("Descrizione"), &t.aggiungiAspetto,
                       QStringLiteral("SpeedButton21"), &t.modificaAspetto, QStringLiteral("SpeedButton22"));
    t.tipoTrasporto = lookup(QStringLiteral("DBLookupComboBox11"), QStringLiteral("Tipo di trasporto"), QStringLiteral("Vettore_ID"),
                             form_DB->SourceVettore, QStringLiteral("ID"), QStringLiteral("Descrizione"), nullptr, QString(),
                             nullptr, QString());
    t.vettore = lookup(QStringLiteral("DBLookupComboBox10"), QStringLiteral("Vettore"), QStringLiteral("Personale_ID"),
                       form_DB->SourcePersonale, QStringLiteral("ID"), QStringLiteral("Personale"), &t.aggiungiVettore,
                       QStringLiteral("SpeedButton23"), &t.modificaVettore, QStringLiteral("SpeedButton24"));
    // "Includi in xml" beside the carrier.
    t.includiXml = new ui::DBCheckBox(QStringLiteral("Includi in xml"), gruppo);
    t.includiXml->setObjectName(QStringLiteral("DBCheckBox5"));
    t.includiXml->setDataSource(source);
    t.includiXml->setDataField(QStringLiteral("DatiAnagraficiVettore"));
    static_cast<QHBoxLayout *>(t.modificaVettore->parentWidget()->layout())->addWidget(t.includiXml);
    t.colli = new ui::DBEdit(gruppo);
    t.colli->setObjectName(QStringLiteral("DBEdit11"));
    t.colli->setDataSource(source);
    t.colli->setDataField(QStringLiteral("Colli"));
    campi->addRow(QStringLiteral("N° Colli"), t.colli);
    t.dataTrasporto = new ui::DBEdit(gruppo);
    t.dataTrasporto->setObjectName(QStringLiteral("DBEdit10"));
    t.dataTrasporto->setDataSource(source);
    t.dataTrasporto->setDataField(QStringLiteral("datatrasporto"));
    campi->addRow(QStringLiteral("Data e ora trasporto"), t.dataTrasporto);
    return t;
}

} // namespace vendite
