#include "Numerazione.h"

#include "db/Command.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "db/Transaction.h"

namespace vendite {

namespace {

bool siNo(db::Connection &c, const QString &sql) { return c.scalar(sql).toLongLong() != 0; }

} // namespace

qint64 prossimoNumero(db::Connection &c, bool notaCredito, const QString &serie)
{
    QString sql = QStringLiteral("select max(Num) from fattura where Storico = false and Carico = false and NonNumerare = false");
    db::Params p;
    const bool perSerie = !serie.isEmpty() && siNo(c, QStringLiteral("select max(FatturazioneMultipla) from ditta"));
    if (perSerie) {
        sql += QStringLiteral(" and SerieFatturazione = :serie");
        p.append({QStringLiteral(":serie"), serie});
    }
    if (!siNo(c, QStringLiteral("select max(NumerazioneUnicaNoteCredito) from opzioni")))
        sql += notaCredito ? QStringLiteral(" and FattNota = true") : QStringLiteral(" and FattNota = false");
    // max() rather than the highest row first: a row without a number never counts.
    return c.scalar(sql, p).toLongLong() + 1;
}

qint64 prossimoProgressivo(db::Connection &c)
{
    return c.scalar(QStringLiteral("select max(DatiTrasmissione_NumeroInterno) from fattura")).toLongLong() + 1;
}

DocumentoCreato nuovoDocumento(db::Connection &c, const NuovoDocumento &d)
{
    return db::inTransaction(c, [&] {
        // Another workstation numbering now waits here until this document is stored.
        c.lockForNumbering(QStringLiteral("fattura"));
        DocumentoCreato creato;
        creato.numero = prossimoNumero(c, d.notaCredito, d.serie);
        creato.progressivo = prossimoProgressivo(c);

        db::Query q(&c);
        q.setSql(QStringLiteral("select * from fattura where ID = 0"));
        q.open();
        q.insert();
        auto campo = [&q](const char *nome) { return q.fieldByName(QLatin1String(nome)); };
        campo("Storico").setValue(false);
        if (!d.serie.isEmpty()) campo("SerieFatturazione").setAsString(d.serie);
        campo("Num").setValue(creato.numero);
        campo("FattNota").setValue(d.notaCredito);
        campo("Carico").setValue(false);
        campo("NonNumerare").setValue(false);
        if (!d.notaCredito) campo("EsportatoXml").setValue(false);
        campo("Data").setValue(d.oggi);
        campo("DatiTrasmissione_NumeroInterno").setValue(creato.progressivo);
        campo("DatiTrasmissione_ProgressivoInvio").setValue(creato.progressivo);
        campo("DatiGenerali_Divisa").setAsString(QStringLiteral("EUR"));
        db::Query opzioni(&c);
        opzioni.setSql(QStringLiteral("select top 1 Bank_ID, ModPagamento_Id from opzioni"));
        opzioni.open();
        campo("Banca_ID").setValue(opzioni.fieldByName(QStringLiteral("Bank_ID")).value());
        campo("ModPagamento_Id").setValue(opzioni.fieldByName(QStringLiteral("ModPagamento_Id")).value());
        if (d.sequestro > 0 && !d.notaCredito) {
            db::Query s(&c);
            s.setSql(QStringLiteral("select AutoTarga, Data, DataDissequestro from Sequestri where Id = :id"));
            s.bind(QStringLiteral(":id"), d.sequestro);
            s.open();
            if (s.isEmpty()) throw db::DbError(QStringLiteral("Il sequestro %1 non esiste più.").arg(d.sequestro));
            campo("Targa").setValue(s.fieldByName(QStringLiteral("AutoTarga")).value());
            campo("DataIngressoVeicolo").setValue(s.fieldByName(QStringLiteral("Data")).value());
            campo("DataUscitaVeicolo").setValue(s.fieldByName(QStringLiteral("DataDissequestro")).value());
            campo("Sequestro_ID").setValue(d.sequestro);
        }
        if (d.valoriPredefiniti) d.valoriPredefiniti(q);
        if (!q.post()) throw db::DbError(q.lastError());
        creato.id = campo("ID").value().toLongLong();
        creato.numero = campo("Num").value().toLongLong();
        creato.progressivo = campo("DatiTrasmissione_NumeroInterno").value().toLongLong();
        if (d.sequestro > 0 && !d.notaCredito)
            db::Command::execute(&c, QStringLiteral("update Sequestri set Fatturato = true, Fattura_Id = :fattura where Id = :id"),
                                 {{QStringLiteral(":fattura"), creato.id}, {QStringLiteral(":id"), d.sequestro}});
        return creato;
    });
}

} // namespace vendite
