#include "PagamentoScadenze.h"

#include "Scadenze.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QVariant>

namespace pagamenti {

namespace {

QString colonnaParte(Parte p) { return p == Parte::Cliente ? QStringLiteral("Cliente_id") : QStringLiteral("Fornitore_id"); }

// Clears the mark of the instalments selected on the workstation.
void smarcaSelezione(db::Connection &c, const QString &postazione)
{
    c.execute(QStringLiteral("update FatturaScadenze set TemporaneaSelezionata = 0 where Id in (select Scadenza_Id from "
                             "TempFatturaScadenzeCumulativo where NomeComputer = :postazione)"),
              {{QStringLiteral(":postazione"), postazione}});
}

} // namespace

QString sqlScadenzeAperte(Parte parte)
{
    return QStringLiteral("SELECT FatturaScadenze.*, fattura.Data as DataFattura, fattura.Num as NumeroFattura, "
                          "fattura.DataRegistrazione as FatturaDataRegistrazione, fattura.ProgressivoCarico as "
                          "FatturaProgressivoCarico FROM FatturaScadenze INNER JOIN fattura ON FatturaScadenze.Fattura_ID = "
                          "fattura.ID Where fattura.%1 = :parte AND FatturaScadenze.Pagato = 0 AND fattura.FattNota = 0 AND "
                          "fattura.Carico = %2 ORDER BY FatturaScadenze.DataScadenza")
        .arg(colonnaParte(parte), parte == Parte::Cliente ? QStringLiteral("0") : QStringLiteral("1"));
}

void preparaSelezione(db::Connection &c, const QString &postazione, Parte parte, qint64 idParte)
{
    return db::inTransaction(c, [&] {
        c.execute(QStringLiteral("delete from TempFatturaScadenzeCumulativo where NomeComputer = :postazione"),
                  {{QStringLiteral(":postazione"), postazione}});
        c.execute(QStringLiteral("update FatturaScadenze set TemporaneaSelezionata = 0 where %1 = :parte").arg(colonnaParte(parte)),
                  {{QStringLiteral(":parte"), idParte}});
    });
}

int aggiungi(db::Connection &c, const QString &postazione, const QList<qint64> &scadenze)
{
    return db::inTransaction(c, [&] {
        int aggiunte = 0;
        for (qint64 id : scadenze) {
            const db::Params chiave{{QStringLiteral(":postazione"), postazione}, {QStringLiteral(":id"), id}};
            const QVariant gia = c.scalar(QStringLiteral("select count(*) from TempFatturaScadenzeCumulativo where "
                                                         "NomeComputer = :postazione and Scadenza_Id = :id"),
                                          chiave);
            if (gia.toLongLong() > 0) continue;
            const QVariant aperta =
                c.scalar(QStringLiteral("select count(*) from FatturaScadenze where Id = :id and Pagato = 0"), {{QStringLiteral(":id"), id}});
            if (aperta.toLongLong() == 0) continue;
            c.execute(QStringLiteral("insert into TempFatturaScadenzeCumulativo (NomeComputer, Scadenza_Id) values (:postazione, :id)"),
                      chiave);
            c.execute(QStringLiteral("update FatturaScadenze set TemporaneaSelezionata = 1 where Id = :id"), {{QStringLiteral(":id"), id}});
            ++aggiunte;
        }
        return aggiunte;
    });
}

bool togli(db::Connection &c, const QString &postazione, qint64 idRiga)
{
    return db::inTransaction(c, [&] {
        const db::Params chiave{{QStringLiteral(":postazione"), postazione}, {QStringLiteral(":id"), idRiga}};
        const QVariant scadenza = c.scalar(
            QStringLiteral("select Scadenza_Id from TempFatturaScadenzeCumulativo where id = :id and NomeComputer = :postazione"), chiave);
        if (scadenza.isNull()) return false;
        c.execute(QStringLiteral("update FatturaScadenze set TemporaneaSelezionata = 0 where Id = :id"),
                  {{QStringLiteral(":id"), scadenza.toLongLong()}});
        c.execute(QStringLiteral("delete from TempFatturaScadenzeCumulativo where id = :id and NomeComputer = :postazione"), chiave);
        return true;
    });
}

int togliTutte(db::Connection &c, const QString &postazione)
{
    return db::inTransaction(c, [&] {
        smarcaSelezione(c, postazione);
        const int tolte = c.execute(QStringLiteral("delete from TempFatturaScadenzeCumulativo where NomeComputer = :postazione"),
                                    {{QStringLiteral(":postazione"), postazione}});
        return tolte;
    });
}

Esito paga(db::Connection &c, const QString &postazione, const Pagamento &p)
{
    if (!p.data.isValid()) {
        Esito e;
        e.dataNonValida = true;
        return e;
    }
    return db::inTransaction(c, [&] {
        Esito e;
        db::Query q(&c);
        q.setSql(QStringLiteral("select FatturaScadenze.Id, FatturaScadenze.Fattura_ID, FatturaScadenze.Tipo, FatturaScadenze.Importo, "
                                "FatturaScadenze.Operazione, FatturaScadenze.Cliente_id, FatturaScadenze.Fornitore_id, "
                                "FatturaScadenze.Pagato "
                                "from TempFatturaScadenzeCumulativo inner join FatturaScadenze on "
                                "TempFatturaScadenzeCumulativo.Scadenza_Id = FatturaScadenze.Id "
                                "where TempFatturaScadenzeCumulativo.NomeComputer = :postazione order by TempFatturaScadenzeCumulativo.id"));
        q.bind(QStringLiteral(":postazione"), postazione);
        q.open();
        if (q.isEmpty()) return e;
        // Read in the transaction that writes: an instalment another workstation paid since it
        // was chosen is not paid twice, and nothing of this payment is written.
        for (q.first(); !q.eof(); q.next())
            if (q.fieldByName(QStringLiteral("Pagato")).asBoolean()) e.giaPagate.append(q.fieldByName(QStringLiteral("Id")).asLargeInt());
        if (!e.giaPagate.isEmpty()) return e;
        const bool primaNota = scadenze::duplicaInPrimaNota(c);
        QString facoltativi;
        if (p.modPagamento > 0) facoltativi += QStringLiteral(", ModPagamento_Id = :modpag");
        if (p.banca > 0) facoltativi += QStringLiteral(", Banca_ID = :banca");
        const QString aggiorna = QStringLiteral("update FatturaScadenze set DataPagamento = :data, Pagato = 1, Dettagli = :dettagli, "
                                                "TemporaneaSelezionata = 0%1 where Id = :id")
                                     .arg(facoltativi);
        for (q.first(); !q.eof(); q.next()) {
            const qint64 id = q.fieldByName(QStringLiteral("Id")).asLargeInt();
            db::Params valori{{QStringLiteral(":data"), p.data},
                              {QStringLiteral(":dettagli"), p.dettagli},
                              {QStringLiteral(":id"), id}};
            if (p.modPagamento > 0) valori.append({QStringLiteral(":modpag"), p.modPagamento});
            if (p.banca > 0) valori.append({QStringLiteral(":banca"), p.banca});
            c.execute(aggiorna, valori);
            e.scadenzePagate.append(id);
            if (!primaNota) continue;
            db::Query rata(&c);
            rata.setSql(QStringLiteral("select ModPagamento_Id, Banca_ID from FatturaScadenze where Id = :id"));
            rata.bind(QStringLiteral(":id"), id);
            rata.open();
            scadenze::RigaPagamento riga;
            riga.idScadenza = id;
            riga.idDocumento = q.fieldByName(QStringLiteral("Fattura_ID")).asLargeInt();
            riga.tipo = q.fieldByName(QStringLiteral("Tipo")).asString();
            riga.data = p.data;
            riga.operazione = q.fieldByName(QStringLiteral("Operazione")).asString();
            riga.importo = q.fieldByName(QStringLiteral("Importo")).asFloat();
            riga.cliente = q.fieldByName(QStringLiteral("Cliente_id")).asLargeInt();
            riga.fornitore = q.fieldByName(QStringLiteral("Fornitore_id")).asLargeInt();
            riga.modPagamento = rata.fieldByName(QStringLiteral("ModPagamento_Id")).asLargeInt();
            riga.banca = rata.fieldByName(QStringLiteral("Banca_ID")).asLargeInt();
            e.righePrimaNota.append(scadenze::scriviRigaPagamento(c, riga));
        }
        c.execute(QStringLiteral("delete from TempFatturaScadenzeCumulativo where NomeComputer = :postazione"),
                  {{QStringLiteral(":postazione"), postazione}});
        e.eseguito = true;
        return e;
    });
}

QString messaggioGiaPagate(int quante)
{
    return quante == 1 ? QStringLiteral("Una delle scadenze scelte è già pagata: l'ha pagata un'altra postazione. "
                                        "Nessun pagamento è stato registrato: aggiornare l'elenco e riprovare.")
                       : QStringLiteral("%1 delle scadenze scelte sono già pagate: le ha pagate un'altra postazione. "
                                        "Nessun pagamento è stato registrato: aggiornare l'elenco e riprovare.")
                             .arg(quante);
}

} // namespace pagamenti
