#include "ModificaFatture.h"

#include "EditorFattura.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "sales/services/RigheFattura.h"
#include "widgets/DBEdit.h"
#include "widgets/FieldLink.h"

#include <QKeyEvent>
#include <QPushButton>

namespace {

// A number as the system writes it in general format: no fixed decimals, the decimal comma.
QString numeroGenerale(double v) { return QString::number(v, 'g', 15).replace(u'.', u','); }

ModificaRigaDocumento::TipoRiga tipoRigaFattura()
{
    ModificaRigaDocumento::TipoRiga t;
    t.dettaglio.nome = QStringLiteral("frmModificaFatture");
    t.dettaglio.titolo = QStringLiteral("Modifica righe Fattura");
    t.dettaglio.helpContext = 5300;
    t.dettaglio.dataset = form_DB->Table4;
    t.dettaglio.source = form_DB->Source4;
    t.dettaglio.captionErrore = forms::kAvviso;
    t.chiave = QStringLiteral("Idx");
    t.campoIva = QStringLiteral("Iva_ID");
    t.pulsantiQuantitaUnita = true;
    t.etichettaAutista = QStringLiteral("Autista");
    t.apriAutista = QStringLiteral("Apri l'autista");
    t.aggiungiAutista = QStringLiteral("Aggiungi un autista");
    t.etichettaConto = QStringLiteral("Conto");
    t.editore = [] { return static_cast<forms::EditorDocumento *>(Form7); };
    return t;
}

} // namespace

TfrmModificaFatture::TfrmModificaFatture(QWidget *parent) : ModificaRigaDocumento(tipoRigaFattura(), parent)
{
    DBEdit6->setToolTip(QStringLiteral("F12: ultimo prezzo praticato al cliente"));
    // "Calcola" comes after the last field in the tab order.
    setTabOrder(DBEdit11, Button1);
    connect(Button1, &QPushButton::clicked, this, &TfrmModificaFatture::Button1Click);
    completa();
}

bool TfrmModificaFatture::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == DBEdit6 && e->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(e)->key() == Qt::Key_F12) {
        DBEdit6KeyDown();
        return true;
    }
    return ModificaRigaDocumento::eventFilter(watched, e);
}

void TfrmModificaFatture::Button1Click()
{
    db::Query *q = dataset();
    db::Query *testata = form_DB->Table3;
    if (q->isEmpty() || testata->isEmpty()) return;
    double kmCliente = 0;
    try {
        kmCliente = form_DB->Connessione
                        .scalar(QStringLiteral("SELECT Km from Clienti WHERE Id = :id"),
                                {{QStringLiteral(":id"), testata->fieldByName(QStringLiteral("Cliente_ID")).asLargeInt()}})
                        .toDouble();
    } catch (const db::DbError &e) {
        ui::reportDbError(e, this);
        return;
    }
    const double kmFattura = testata->fieldByName(QStringLiteral("Km")).asFloat();
    if (!q->isEditing()) q->edit();
    if (kmFattura > kmCliente) q->fieldByName(QStringLiteral("Um")).setAsFloat(kmFattura - kmCliente);
    DatiModificati = true;
}

void TfrmModificaFatture::DBEdit6KeyDown()
{
    db::Query *q = dataset();
    db::Query *testata = form_DB->Table3;
    if (q->isEmpty() || testata->isEmpty()) return;
    std::optional<vendite::UltimoPrezzo> ultimo;
    try {
        ultimo = vendite::ultimoPrezzo(form_DB->Connessione, testata->fieldByName(QStringLiteral("Cliente_ID")).asLargeInt(),
                                       testata->fieldByName(QStringLiteral("ID")).asLargeInt(),
                                       q->fieldByName(QStringLiteral("Articolo_ID")).asLargeInt());
    } catch (const db::DbError &e) {
        ui::reportDbError(e, this);
        return;
    }
    QString messaggio;
    if (!ultimo) {
        messaggio = QStringLiteral("Non sono presenti fatture per questo articolo e per questo Cliente!");
    } else {
        const QDateTime &d = ultimo->data;
        QString data = d.date().toString(QStringLiteral("dd/MM/yyyy"));
        if (d.time() != QTime(0, 0)) data += u' ' + d.time().toString(QStringLiteral("HH:mm:ss"));
        messaggio = QStringLiteral("Ultima fattura: ") + data + u'\n' + QStringLiteral(" Valore Unitario: ")
                    + numeroGenerale(ultimo->valoreUnitario) + u'\n' + QStringLiteral(" Sconto: ") + numeroGenerale(ultimo->sconto);
    }
    forms::avvisa(this, messaggio, forms::kAvviso);
}

namespace {
const bool registrato = forms::registra(frmModificaFatture, "frmModificaFatture");
} // namespace
