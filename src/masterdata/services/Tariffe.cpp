#include "Tariffe.h"

#include "common/LineArithmetic.h"
#include "common/Rounding.h"
#include "db/Command.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QDate>

namespace tariffe {

namespace {

// Below this length the copy's description takes "(COPIA)" (the column's display length).
constexpr int kLunghezzaCopia = 92;

} // namespace

QString tariffeScelte(const QList<qint64> &ids)
{
    if (ids.isEmpty()) return QString();
    // The callers read this text as it always was: no blank after the later equals signs.
    QString s = QStringLiteral("where prezziar.id = ") + QString::number(ids.first());
    for (int i = 1; i < ids.size(); ++i) s += QStringLiteral(" or prezziar.id =") + QString::number(ids[i]);
    return s;
}

std::optional<qint64> copia(db::Connection &c, qint64 id, const QDate &oggi)
{
    return db::inTransaction(c, [&]() -> std::optional<qint64> {
        db::Query q(&c);
        q.setSql(QStringLiteral("select * from prezziar where Id = :id"));
        q.bind(QStringLiteral(":id"), id);
        q.open();
        if (q.isEmpty()) return std::nullopt;
        auto intero = [&q](const char *campo) {
            const db::Field f = q.fieldByName(QLatin1String(campo));
            return f.isNull() ? qint64(0) : f.asLargeInt();
        };
        auto reale = [&q](const char *campo) {
            const db::Field f = q.fieldByName(QLatin1String(campo));
            return f.isNull() ? 0.0 : f.asFloat();
        };
        auto testo = [&q](const char *campo) {
            const QString s = q.fieldByName(QLatin1String(campo)).asString();
            return s.isEmpty() ? QVariant() : QVariant(s);
        };
        QString descrizione = q.fieldByName(QStringLiteral("Descrizione")).asString();
        if (descrizione.size() < kLunghezzaCopia) descrizione += QStringLiteral("(COPIA)");
        const qint64 tipoTariffa = std::max<qint64>(intero("TipoTariffa_Id"), 0);
        const qint64 tipoFatturazione = std::max<qint64>(intero("TipoFatturazione_Id"), 0);

        db::Command ins(&c, QStringLiteral(
            "insert into prezziar (TipoTariffa_Id, TipoFatturazione_Id, Tariffa, Cliente, Note, Codice, Descrizione, Reparto, "
            "Um_Id, Cliente_ID, Iva_Id, AliquotaIva, Sconto, Prezzo, PrezzoCompleto, PrezzoFornitore, Annullato, PrezzoImposto, "
            "DataInserimento) values (:tt, :tf, :tariffa, :cliente, :note, :codice, :descrizione, :reparto, :um, :clienteid, "
            ":iva, :aliquota, :sconto, :prezzo, :completo, :fornitore, :annullato, :imposto, :data)"));
        ins.bind(QStringLiteral(":tt"), tipoTariffa)
            .bind(QStringLiteral(":tf"), tipoFatturazione)
            .bind(QStringLiteral(":tariffa"), testo("Tariffa"))
            .bind(QStringLiteral(":cliente"), testo("Cliente"))
            .bind(QStringLiteral(":note"), testo("Note"))
            .bind(QStringLiteral(":codice"), testo("Codice"))
            .bind(QStringLiteral(":descrizione"), descrizione.isEmpty() ? QVariant() : QVariant(descrizione))
            .bind(QStringLiteral(":reparto"), testo("Reparto"))
            .bind(QStringLiteral(":um"), intero("Um_Id"))
            .bind(QStringLiteral(":clienteid"), intero("Cliente_ID"))
            .bind(QStringLiteral(":iva"), intero("Iva_Id"))
            .bind(QStringLiteral(":aliquota"), reale("AliquotaIva"))
            .bind(QStringLiteral(":sconto"), reale("Sconto"))
            .bind(QStringLiteral(":prezzo"), reale("Prezzo"))
            .bind(QStringLiteral(":completo"), reale("PrezzoCompleto"))
            .bind(QStringLiteral(":fornitore"), reale("PrezzoFornitore"))
            .bind(QStringLiteral(":annullato"), q.fieldByName(QStringLiteral("Annullato")).asBoolean())
            .bind(QStringLiteral(":imposto"), q.fieldByName(QStringLiteral("PrezzoImposto")).asBoolean())
            .bind(QStringLiteral(":data"), oggi);
        ins.execute();
        const qint64 nuovo = c.lastInsertId();
        return nuovo;
    });
}

double prezzoIvato(double prezzo, double aliquota)
{
    const common::Decimale p = common::Decimale::daDouble(prezzo);
    if (!(aliquota > 0 && prezzo > 0)) return p.centesimi().toDouble();
    return (p + common::ImpostaSu(p, common::Decimale::daDouble(aliquota))).centesimi().toDouble();
}

NuoviPrezzi nuoviPrezzi(double prezzo, double sconto, std::optional<double> aliquota, const Variazione &v)
{
    using common::Decimale;
    const Decimale vecchio = Decimale::daDouble(prezzo), valore = Decimale::daDouble(v.valore);
    const Decimale variazione = v.percentuale ? vecchio.percento(valore) : valore;
    const Decimale n = v.aumento ? vecchio + variazione : vecchio - variazione;
    NuoviPrezzi r;
    r.prezzo = n.centesimi().toDouble();
    if (!aliquota) return r;
    // The final price comes from the unrounded new price: the discount off, then the VAT on.
    Decimale p = common::Scontato(n, Decimale::daDouble(sconto));
    if (p.segno() > 0) p += common::ImpostaSu(p, Decimale::daDouble(*aliquota));
    r.completo = p.centesimi().toDouble();
    return r;
}

int cambiaPrezzi(db::Connection &c, const QList<qint64> &ids, const Variazione &v)
{
    return db::inTransaction(c, [&] {
        db::Query q(&c);
        q.setSql(QStringLiteral("select Prezzo, Sconto, AliquotaIva from prezziar where Id = :id"));
        db::Command conCompleto(&c, QStringLiteral("update prezziar set Prezzo = :prezzo, PrezzoCompleto = :completo where Id = :id"));
        db::Command soloPrezzo(&c, QStringLiteral("update prezziar set Prezzo = :prezzo where Id = :id"));
        int cambiate = 0;
        for (qint64 id : ids) {
            q.close();
            q.bind(QStringLiteral(":id"), id);
            q.open();
            if (q.isEmpty()) continue; // deleted meanwhile by another workstation
            const db::Field prezzo = q.fieldByName(QStringLiteral("Prezzo"));
            const db::Field sconto = q.fieldByName(QStringLiteral("Sconto"));
            const db::Field aliquota = q.fieldByName(QStringLiteral("AliquotaIva"));
            const NuoviPrezzi n = nuoviPrezzi(prezzo.isNull() ? 0.0 : prezzo.asFloat(), sconto.isNull() ? 0.0 : sconto.asFloat(),
                                              aliquota.isNull() ? std::nullopt : std::optional<double>(aliquota.asFloat()), v);
            if (n.completo) {
                conCompleto.bind(QStringLiteral(":prezzo"), n.prezzo).bind(QStringLiteral(":completo"), *n.completo)
                    .bind(QStringLiteral(":id"), id);
                cambiate += conCompleto.execute() > 0 ? 1 : 0;
            } else {
                soloPrezzo.bind(QStringLiteral(":prezzo"), n.prezzo).bind(QStringLiteral(":id"), id);
                cambiate += soloPrezzo.execute() > 0 ? 1 : 0;
            }
        }
        return cambiate;
    });
}

} // namespace tariffe
