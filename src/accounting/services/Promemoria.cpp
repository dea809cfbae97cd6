#include "Promemoria.h"

#include "RicercaPrimaNota.h"
#include "core/Clock.h"
#include "db/DateTimeText.h"
#include "db/Query.h"

namespace promemoria {

namespace {

// How a column's value becomes its cell's text.
enum class Tipo {
    Data,   // the date alone, or date and time when it has a time; empty when null
    Testo,  // the text; empty when null
    Numero, // an amount with the decimal comma
    Id,     // the id in decimal when above 0, else empty
    ModPagamento
};

struct Colonna {
    const char *titolo;
    const char *campo;
    Tipo tipo;
};

QString testoCella(const QVariant &v, Tipo tipo)
{
    if (v.isNull()) return QString();
    switch (tipo) {
    case Tipo::Data: {
        const db::DateTimeValue d = db::readCanonical(v.toString());
        return d.isValid() ? db::displayText(d) : v.toString();
    }
    case Tipo::Numero:
        return primanota::testoNumero(v.toDouble());
    case Tipo::Id: {
        const qint64 id = v.toLongLong();
        return id > 0 ? QString::number(id) : QString();
    }
    case Tipo::ModPagamento:
        return testoModPagamento(v.toString());
    case Tipo::Testo:
        break;
    }
    return v.toString();
}

Elenco leggiElenco(db::Connection &c, const QString &sql, const QDate &oggi, std::initializer_list<Colonna> colonne)
{
    db::Query q(&c);
    q.setSql(sql);
    q.bind(QStringLiteral(":domani"), oggi.addDays(1));
    q.open();
    Elenco e;
    QList<int> posizioni;
    for (const Colonna &col : colonne) {
        e.titoli << QString::fromUtf8(col.titolo);
        posizioni << q.fieldByName(QString::fromLatin1(col.campo)).index(); // throws when missing
    }
    for (int r = 0; r < q.recordCount(); ++r) {
        QStringList celle;
        int i = 0;
        for (const Colonna &col : colonne) celle << testoCella(q.valueAt(r, posizioni[i++]), col.tipo);
        e.righe << celle;
    }
    return e;
}

} // namespace

bool Promemoria::isEmpty() const
{
    return pagamenti.isEmpty() && vetture.isEmpty() && personale.isEmpty() && calendario.isEmpty();
}

QString sqlPagamenti()
{
    return QStringLiteral(
        "SELECT FatturaScadenze.Operazione,FatturaScadenze.Tipo, FatturaScadenze.DataScadenza, FatturaScadenze.Id as "
        "IdeScadenza, FatturaScadenze.Importo, FatturaScadenze.Note,  Fornitor.Fornitore, ModPagamento.Descrizione as "
        "ModoPagamento, Clienti.NominativoVisualizzato as Cliente FROM ((FatturaScadenze LEFT JOIN ModPagamento ON "
        "FatturaScadenze.ModPagamento_Id = ModPagamento.id) LEFT JOIN Clienti ON FatturaScadenze.Cliente_id = Clienti.Id) "
        "LEFT JOIN Fornitor ON FatturaScadenze.Fornitore_id = Fornitor.Id Where DataPagamento is null and DataScadenza < "
        ":domani ORDER BY FatturaScadenze.DataScadenza, FatturaScadenze.Operazione");
}

QString sqlVetture()
{
    return QStringLiteral(
        "SELECT Vetture.Targa, Veicoli.Descrizione as Veicolo,VettureScadenze.Note, VettureScadenze.DataScadenza, "
        "VettureScadenze.Descrizione as Operazione, VettureScadenze.Id as IdeScadenza FROM VettureScadenze INNER JOIN "
        "(Vetture LEFT JOIN Veicoli ON Vetture.Veicolo_ID = Veicoli.Id) ON VettureScadenze.Vettura_ID = Vetture.ID Where "
        "VettureScadenze.Validato = false and VettureScadenze.DataAvviso < :domani ORDER BY DataScadenza, "
        "VettureScadenze.Descrizione");
}

QString sqlPersonale()
{
    return QStringLiteral(
        "SELECT Personale.Personale, PersonaleScadenze.Note, PersonaleScadenze.DataScadenza, PersonaleScadenze.Descrizione "
        "as Operazione, PersonaleScadenze.Id as IdeScadenza FROM PersonaleScadenze INNER JOIN Personale ON "
        "PersonaleScadenze.Personale_ID = Personale.ID Where PersonaleScadenze.Validato = false and "
        "PersonaleScadenze.DataAvviso < :domani ORDER BY DataScadenza, PersonaleScadenze.Descrizione");
}

QString sqlCalendario()
{
    return QStringLiteral(
        "SELECT Calendario.Data, Calendario.Personale, Calendario.Cliente, Calendario.TipologiaCalendario, Calendario.Note, "
        "Calendario.Id FROM Calendario  Where Conclusa=false and DataAvviso < :domani ORDER BY Calendario.DataAvviso");
}

Promemoria leggi(db::Connection &c, const QDate &oggi)
{
    Promemoria p;
    p.pagamenti = leggiElenco(c, sqlPagamenti(), oggi,
                              {{"Data Scadenza", "DataScadenza", Tipo::Data},
                               {"Operazione", "Operazione", Tipo::Testo},
                               {"Cliente", "Cliente", Tipo::Testo},
                               {"Fornitore", "Fornitore", Tipo::Testo},
                               {"Importo", "Importo", Tipo::Numero},
                               {"Mod.Pagamento", "ModoPagamento", Tipo::ModPagamento},
                               {"Note", "Note", Tipo::Testo},
                               {"id_scad", "IdeScadenza", Tipo::Id},
                               {"Tipo", "Tipo", Tipo::Testo}});
    p.vetture = leggiElenco(c, sqlVetture(), oggi,
                            {{"Data Scadenza", "DataScadenza", Tipo::Data},
                             {"Operazione", "Operazione", Tipo::Testo},
                             {"Veicolo", "Veicolo", Tipo::Testo},
                             {"Targa", "Targa", Tipo::Testo},
                             {"Note", "Note", Tipo::Testo},
                             {"id_scad", "IdeScadenza", Tipo::Id}});
    p.personale = leggiElenco(c, sqlPersonale(), oggi,
                              {{"Data Scadenza", "DataScadenza", Tipo::Data},
                               {"Operazione", "Operazione", Tipo::Testo},
                               {"Personale", "Personale", Tipo::Testo},
                               {"Note", "Note", Tipo::Testo},
                               {"id_scad", "IdeScadenza", Tipo::Id}});
    p.calendario = leggiElenco(c, sqlCalendario(), oggi,
                               {{"Data", "Data", Tipo::Data},
                                {"Tipologia", "TipologiaCalendario", Tipo::Testo},
                                {"Cliente", "Cliente", Tipo::Testo},
                                {"Personale", "Personale", Tipo::Testo},
                                {"Note", "Note", Tipo::Testo},
                                {"Id", "Id", Tipo::Id}});
    return p;
}

Promemoria leggi(db::Connection &c) { return leggi(c, core::Clock::instance().today()); }

QString testoModPagamento(const QString &descrizione)
{
    return descrizione > QLatin1String("0") ? descrizione : QString();
}

} // namespace promemoria
