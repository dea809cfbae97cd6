#include "NoteCredito.h"
#include "Documenti.h"

#include "Scadenze.h"
#include "common/SqlText.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QDate>
#include <QStringList>

namespace vendite {

namespace {

const QString kFormatoData = QStringLiteral("dd/MM/yyyy");

// A box counts when it holds something other than "*".
bool conta(const QString &testo) { return !testo.trimmed().isEmpty() && testo.trimmed() != QLatin1String("*"); }

bool haCifre(const QString &testo)
{
    for (const QChar c : testo)
        if (c.isDigit()) return true;
    return false;
}

QString tipoRigaCopiata(const QString &tipo)
{
    // Only the upper-case letters: a "d" stays as it is.
    if (tipo == QLatin1String("D") || tipo == QLatin1String("C")) return QStringLiteral("N");
    return tipo;
}

QString contoPerTipo(const QString &tipo)
{
    const QString t = tipo.toUpper();
    if (t == QLatin1String("S")) return QStringLiteral("conto_ID_Predefinito_su_NoteCreditoVendita_SpeseIncasso");
    if (t == QLatin1String("T")) return QStringLiteral("conto_ID_Predefinito_su_NoteCreditoVendita_SpeseTrasporto");
    return QStringLiteral("conto_ID_Predefinito_su_NoteCreditoVendita_Generale");
}

} // namespace

FiltroFatture filtroNoteCredito(const CriteriNoteCredito &k)
{
    FiltroFatture f;
    const auto data = [&f](const QString &testo, const char *casella, QDate &d) {
        const QString t = testo.trimmed();
        if (!haCifre(t)) return false;
        d = QDate::fromString(t, kFormatoData);
        if (!d.isValid()) {
            f.errore = QStringLiteral("Attenzione data non valida: %1").arg(t);
            f.casella = QLatin1String(casella);
        }
        return true;
    };
    qint64 numero = 0;
    const bool conNumero = conta(k.numero);
    if (conNumero) {
        bool ok = false;
        numero = k.numero.trimmed().toLongLong(&ok);
        if (!ok) {
            f.errore = QStringLiteral("Attenzione numero non valido: %1").arg(k.numero.trimmed());
            f.casella = QStringLiteral("Edit2");
            return f;
        }
    }
    QDate da, a;
    const bool conDa = data(k.daData, "maskDaData", da);
    if (!f.valido()) return f;
    const bool conA = data(k.aData, "maskAData", a);
    if (!f.valido()) return f;

    QStringList condizioni;
    if (conNumero) condizioni << QStringLiteral("Num = %1").arg(numero);
    // Dates in the filter language are day first.
    if (conDa) condizioni << QStringLiteral("Data >= #%1#").arg(da.toString(kFormatoData));
    // Rows of the end day may carry a time: the bound is the next day's start.
    if (conA) condizioni << QStringLiteral("Data < #%1#").arg(a.addDays(1).toString(kFormatoData));
    if (k.cliente > 0) condizioni << QStringLiteral("Cliente_ID = %1").arg(k.cliente);
    if (conta(k.serie)) condizioni << QStringLiteral("SerieFatturazione = '") + common::RaddoppiaApici(k.serie) + u'\'';
    f.filtro = condizioni.join(QStringLiteral(" and "));
    return f;
}

EsitoEliminazioneNota eliminaNotaCredito(db::Connection &c, qint64 id)
{
    return db::inTransaction(c, [&] {
        const EsitoEliminazioneDocumento d = eliminaDocumento(c, tipoDocumento(Righe::NotaCredito), id);
        EsitoEliminazioneNota e;
        e.eliminata = d.eliminata;
        e.primaNota = d.primaNota;
        e.scadenze = d.scadenze;
        e.righe = d.righe;
        e.allegati = d.allegati;
        return e;
    });
}

QString notaRigaImportata(qint64 numero, const QString &serie, const QDateTime &data)
{
    QString testo;
    if (data.isValid()) {
        testo = data.date().toString(kFormatoData);
        if (data.time() != QTime(0, 0)) testo += u' ' + data.time().toString(QStringLiteral("HH:mm:ss"));
    }
    return QStringLiteral(" Fattura numero: %1 Serie: %2 Data: %3").arg(numero).arg(serie, testo);
}

EsitoImportazione importaRigheFattura(db::Connection &c, qint64 idNota, const std::function<bool()> &postaTestata)
{
    return db::inTransaction(c, [&] {
    EsitoImportazione esito;
    if (postaTestata && !postaTestata()) {
        esito.testataRifiutata = true;
        return esito;
    }
    db::Query nota(&c);
    nota.setSql(QStringLiteral("select ID, Data, NCFattIDRif, NCFattNumRif, NCFatSerieRif, NCFattDataRif from fattura where ID = :id"));
    nota.bind(QStringLiteral(":id"), idNota);
    nota.open();
    if (nota.isEmpty()) throw db::DbError(QStringLiteral("La nota di credito %1 non esiste più.").arg(idNota));
    const db::Field riferimento = nota.fieldByName(QStringLiteral("NCFattIDRif"));
    // A new credit note names no invoice with 0 (the column's default) as well as with nothing.
    if (riferimento.isNull() || riferimento.asLargeInt() == 0) {
        esito.senzaRiferimento = true;
        return esito;
    }
    const qint64 fattura = riferimento.asLargeInt();
    // The invoice is read in the transaction that copies it: one deleted meanwhile (here or by
    // another workstation at the same moment) leaves the credit note as it is.
    if (c.scalar(QStringLiteral("select count(*) from fattura where ID = :fattura"), {{QStringLiteral(":fattura"), fattura}}).toLongLong() == 0) {
        esito.fatturaMancante = true;
        return esito;
    }
    const QString note = notaRigaImportata(nota.fieldByName(QStringLiteral("NCFattNumRif")).asLargeInt(),
                                           nota.fieldByName(QStringLiteral("NCFatSerieRif")).asString(),
                                           nota.fieldByName(QStringLiteral("NCFattDataRif")).asDateTime());
    const QVariant data = nota.fieldByName(QStringLiteral("Data")).value();

    // One copy of the invoice's rows: the earlier copy goes first.
    esito.eliminate = c.execute(QStringLiteral("delete from NotaCreditoRighe where NotaCredito_ID = :nota and Fattura_ID = :fattura"),
                                {{QStringLiteral(":nota"), idNota}, {QStringLiteral(":fattura"), fattura}});

    db::Query opzioni(&c);
    opzioni.setSql(QStringLiteral("select top 1 * from opzioni"));
    opzioni.open();
    const auto opzione = [&opzioni](const QString &colonna) {
        return opzioni.isEmpty() ? QVariant() : opzioni.fieldByName(colonna).value();
    };
    const bool incrementa = opzione(QStringLiteral("IncrementaNumeroRigaArticoli")).toInt() != 0;
    int contate = c.scalar(QStringLiteral("select count(*) from NotaCreditoRighe where NotaCredito_ID = :id"),
                           {{QStringLiteral(":id"), idNota}})
                      .toInt();

    db::Query origine(&c);
    origine.setSql(QStringLiteral("select * from fattdett where NumFatt = :fattura order by Idx"));
    origine.bind(QStringLiteral(":fattura"), fattura);
    origine.open();
    db::Query riga(&c);
    riga.setSql(QStringLiteral("select * from NotaCreditoRighe where Idx = 0"));
    riga.open();
    static const char *const uguali[] = {"DataInizioPeriodo", "DataFinePeriodo", "RiferimentoAmministrazione", "Um",
                                         "Targa1", "ValoreUnitario", "Sconto", "TotaleImponibile", "ValoreTotale",
                                         "AliquotaIva", "Descrizione", "Articolo_ID", "Codice", "DDT_ID", "RIFDDT", "Iva_Id"};
    for (origine.first(); !origine.eof(); origine.next()) {
        riga.append();
        auto a = [&riga](const char *nome) { return riga.fieldByName(QLatin1String(nome)); };
        for (const char *colonna : uguali) a(colonna).setValue(origine.fieldByName(QLatin1String(colonna)).value());
        a("NumeroRiga").setAsInteger(incrementa ? contate + 1 : 1);
        a("NotaCredito_ID").setValue(idNota);
        a("Fattura_ID").setValue(fattura);
        a("Data").setValue(data);
        const QString tipo = origine.fieldByName(QStringLiteral("TipoRiga")).asString();
        if (!origine.fieldByName(QStringLiteral("TipoRiga")).isNull()) a("TipoRiga").setAsString(tipoRigaCopiata(tipo));
        a("ContabilitaConti_ID").setValue(opzione(contoPerTipo(tipo)));
        a("Note").setAsString(note);
        if (!riga.post()) throw db::DbError(riga.lastError());
        esito.copiate << riga.fieldByName(QStringLiteral("Idx")).asLargeInt();
        ++contate;
    }
    // The totals of copied rows are those of the same rows typed by hand.
    esito.totali = aggiornaTotali(c, Righe::NotaCredito, idNota);
    scadenze::generaScadenze(c, idNota, scadenze::Genere::NotaCreditoVendita, true);
    return esito;
    });
}

} // namespace vendite
