#include "Numerazione.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "db/Transaction.h"

namespace acquisti {

qint64 prossimoProgressivo(db::Connection &c, bool notaCredito, const QDate &oggi)
{
    QString sql = QStringLiteral("select max(ProgressivoCarico) from fattura where ProgressivoCarico is not null and "
                                 "Storico = false and Carico = true and "
                                 "(DataRegistrazione is null or DataRegistrazione >= :inizio)");
    if (c.scalar(QStringLiteral("select max(NumerazioneUnicaNoteCredito) from opzioni")).toLongLong() == 0)
        sql += notaCredito ? QStringLiteral(" and FattNota = true") : QStringLiteral(" and FattNota = false");
    return c.scalar(sql, {{QStringLiteral(":inizio"), QDate(oggi.year(), 1, 1)}}).toLongLong() + 1;
}

FatturaCreata nuovaFattura(db::Connection &c, const NuovaFattura &d)
{
    return db::inTransaction(c, [&] {
        // The same lock as the sales numbering: one document numbered at a time on the server.
        c.lockForNumbering(QStringLiteral("fattura"));
        FatturaCreata creata;
        creata.progressivo = prossimoProgressivo(c, false, d.oggi);
        db::Query q(&c);
        q.setSql(QStringLiteral("select * from fattura where ID = 0"));
        q.open();
        q.insert();
        auto campo = [&q](const char *nome) { return q.fieldByName(QLatin1String(nome)); };
        campo("Num").setValue(1);
        campo("ProgressivoCarico").setValue(creata.progressivo);
        campo("Storico").setValue(false);
        campo("Carico").setValue(true);
        campo("FattNota").setValue(false);
        campo("Data").setValue(d.oggi);
        campo("DataRegistrazione").setValue(d.oggi);
        db::Query opzioni(&c);
        opzioni.setSql(QStringLiteral("select top 1 Carico_ModPagamento_Id, Bank_ID from opzioni"));
        opzioni.open();
        campo("ModPagamento_Id").setValue(opzioni.fieldByName(QStringLiteral("Carico_ModPagamento_Id")).value());
        campo("Banca_ID").setValue(opzioni.fieldByName(QStringLiteral("Bank_ID")).value());
        if (d.valoriPredefiniti) d.valoriPredefiniti(q);
        if (!q.post()) throw db::DbError(q.lastError());
        creata.id = campo("ID").value().toLongLong();
        creata.progressivo = campo("ProgressivoCarico").value().toLongLong();
        return creata;
    });
}

namespace {

int conta(db::Connection &c, const QString &sql, const db::Params &p) { return c.scalar(sql, p).toInt(); }

} // namespace

int stessoNumeroDelFornitore(db::Connection &c, qint64 id, const QString &numero, const QDate &data, qint64 fornitore)
{
    if (numero.isEmpty() || !data.isValid() || fornitore <= 0) return 0;
    return conta(c,
                 QStringLiteral("select count(*) from fattura where FattNota = false and Carico = true and NumeroCarico = :numero "
                                "and Data = :data and Fornitore_ID = :fornitore and ID <> :id"),
                 {{QStringLiteral(":numero"), numero},
                  {QStringLiteral(":data"), data},
                  {QStringLiteral(":fornitore"), fornitore},
                  {QStringLiteral(":id"), id}});
}

int stessoProgressivo(db::Connection &c, qint64 id, qint64 progressivo, const QDate &dataRegistrazione)
{
    const int anno = dataRegistrazione.isValid() ? dataRegistrazione.year() : 1899;
    // The whole last day of the year counts, whatever time a registration date carries.
    return conta(c,
                 QStringLiteral("select count(*) from fattura where Carico = true and ProgressivoCarico = :progressivo and "
                                "DataRegistrazione >= :dal and DataRegistrazione < :al and ID <> :id"),
                 {{QStringLiteral(":progressivo"), progressivo},
                  {QStringLiteral(":dal"), QDate(anno, 1, 1)},
                  {QStringLiteral(":al"), QDate(anno + 1, 1, 1)},
                  {QStringLiteral(":id"), id}});
}

int stessoNumeroEData(db::Connection &c, qint64 id, const QString &numero, const QDate &data)
{
    if (numero.isEmpty() || !data.isValid()) return 0;
    return conta(c,
                 QStringLiteral("select count(*) from fattura where Carico = true and NumeroCarico = :numero and Data = :data "
                                "and ID <> :id"),
                 {{QStringLiteral(":numero"), numero}, {QStringLiteral(":data"), data}, {QStringLiteral(":id"), id}});
}

Avviso avvisoNumeroDelFornitore(const QString &numero, int quanti)
{
    return {QStringLiteral("Attenzione la fattura %1 è già presente in altri %2 Record.").arg(numero).arg(quanti),
            QStringLiteral("Attenzione si è caricato una fattura fornitore già presente in archivio")};
}

Avviso avvisoProgressivo(qint64 progressivo, int quanti)
{
    return {QStringLiteral("Attenzione il Numero Progressivo (Numero:%1) è già presente in altri %2 Record.").arg(progressivo).arg(quanti),
            QStringLiteral("Attenzione si è inserito un numero progressivo già presente in archivio")};
}

Avviso avvisoNumeroEData(const QString &numero, int quanti)
{
    return {QStringLiteral("Attenzione la data ed il Numero di Fattura:%1 è già presente in altri %2 Record.").arg(numero).arg(quanti),
            QStringLiteral("Attenzione si è inserito un numero progressivo già presente in archivio")};
}

} // namespace acquisti
