#include "Clienti.h"
#include "Anagrafiche.h"

#include "db/Command.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/Transaction.h"

namespace clienti {

Nominativi calcolaNominativi(const QString &ragioneSociale, const QString &cognome, const QString &nome,
                             const QString &codiceFiscale)
{
    if (ragioneSociale.size() >= 2) return {ragioneSociale, ragioneSociale};
    const QString persona = cognome + u' ' + nome;
    return {persona, codiceFiscale.isEmpty() ? persona : persona + QStringLiteral(" - ") + codiceFiscale};
}

namespace {

Regola regola(int numero, const char *messaggio, int pagina, const char *fuoco)
{
    return {numero, QString::fromUtf8(messaggio), pagina, QString::fromLatin1(fuoco)};
}

} // namespace

std::optional<Regola> valida(const DatiMostrati &d, bool soloGenerale)
{
    if (d.ragioneSociale.isEmpty() && d.cognome.isEmpty())
        return regola(1, "Attenzione manca la ragione sociale o il cognome del Cliente ", 0, "DBEdit1");
    if (d.ragioneSociale.isEmpty() && d.nome.isEmpty()) return regola(2, "Attenzione manca il Nome", 0, "DBEdit3");
    if (d.nazionalita.isEmpty()) return regola(3, "Attenzione manca nazionalità!", 0, "DBLookupComboBox2");
    if (soloGenerale) return std::nullopt;
    if (d.sedeNazione.isEmpty()) return regola(4, "Attenzione manca nazione della sede!", 1, "DBLookupComboBox4");
    if (d.comune.isEmpty()) return regola(5, "Attenzione manca il comune della sede!", 1, "DBLookupComboBox5");
    if (d.cap.isEmpty()) return regola(6, "Attenzione manca il cap della sede!", 1, "DBEdit27");
    if (d.via.isEmpty()) return regola(7, "Attenzione manca l'indirizzo della sede!", 1, "DBEdit25");
    if (d.pubblicaAmministrazione && d.codiceUnivocoUfficio.isEmpty())
        return regola(8, "Attenzione manca il codice destinatario - codice univoco", 1, "DBEdit23");
    // A foreign company is reached through its certified address, never through an SdI code.
    if (!d.pubblicaAmministrazione && !d.partitaIva.isEmpty() && d.nazionalita != QLatin1String("Italia")
        && d.codiceSdi.toUpper() != QLatin1String("XXXXXXX"))
        return regola(9, "Attenzione per le aziende straniere il codice destinatario deve essere XXXXXXX!", 1, "DBEdit22");
    if (d.stabile) {
        if (d.stabileIndirizzo.isEmpty())
            return regola(10, "Attenzione manca l'Indirizzo dello Stabile dell'organizzazione", 1, "DBEdit29");
        if (d.stabileCap.isEmpty()) return regola(11, "Attenzione manca il Cap dello Stabile dell'organizzazione", 1, "DBEdit31");
        if (d.stabileCap.size() < 5)
            return regola(12, "Attenzione il Cap dello Stabile dell'organizzazione deve essere di almeno 5 Caratteri !", 1,
                          "DBEdit31");
        if (d.stabileComune.isEmpty())
            return regola(13, "Attenzione manca il Comune dello Stabile dell'organizzazione", 1, "DBLookupComboBox6");
        if (d.stabileNazione.isEmpty())
            return regola(14, "Attenzione manca la Nazione dello Stabile dell'organizzazione", 1, "DBLookupComboBox8");
    }
    if (d.rappresentante) {
        if (d.rappresentantePartitaIva.isEmpty()) return regola(15, "Attenzione manca la Partita Iva", 1, "DBEdit35");
        if (d.rappresentanteNazione.isEmpty()) return regola(16, "Attenzione manca la Nazione", 1, "DBLookupComboBox9");
        if (d.rappresentanteDenominazione.isEmpty() && d.rappresentanteCognome.isEmpty() && d.rappresentanteNome.isEmpty())
            return regola(17, "Attenzione manca la Ragione sociale oppure Nome e Cognome", 1, "");
    }
    return std::nullopt;
}

int duplicatiPartitaIva(db::Connection &c, const QString &partitaIva, qint64 idEscluso)
{
    return anagrafiche::contaDuplicati(c, QStringLiteral("Clienti"), QStringLiteral("Iva"), partitaIva, idEscluso);
}

int duplicatiCodiceFiscale(db::Connection &c, const QString &codiceFiscale, qint64 idEscluso)
{
    return anagrafiche::contaDuplicati(c, QStringLiteral("Clienti"), QStringLiteral("CodFiscale"), codiceFiscale, idEscluso);
}

QString formatoTrasmissione(bool pubblicaAmministrazione)
{
    return pubblicaAmministrazione ? QStringLiteral("FPA12") : QStringLiteral("FPR12");
}

int allineaFormatoTrasmissione(db::Connection &c, qint64 id, bool pubblica)
{
    return db::inTransaction(c, [&] {
        db::Query q(&c);
        q.setSql(QStringLiteral("select PubblicaAmministrazione from Clienti where Id = :id"));
        q.bind(QStringLiteral(":id"), id);
        q.open();
        if (q.isEmpty() || q.field(0).asBoolean() == pubblica) return 0;
        const int n = c.execute(QStringLiteral("UPDATE fattura SET DatiTrasmissione_FormatoTrasmissione = :formato "
                                               "WHERE Cliente_ID = :id AND EsportatoXml = false"),
                                {{":formato", formatoTrasmissione(pubblica)}, {":id", id}});
        return n;
    });
}

Propagazione propagaNominativo(db::Connection &c, qint64 id)
{
    return db::inTransaction(c, [&] {
        const auto copia = [&c, id](const char *tabella) {
            return c.execute(QStringLiteral("UPDATE %1 INNER JOIN Clienti ON %1.Cliente_ID = Clienti.Id SET %1.Cliente = "
                                            "[Clienti].[NominativoDocumenti] where Clienti.Id = :id")
                                 .arg(QLatin1String(tabella)),
                             {{":id", id}});
        };
        Propagazione p;
        p.documenti = copia("fattura");
        p.calendario = copia("Calendario");
        p.preventivi = copia("PreventiTestata");
        p.tariffe = copia("prezziar");
        return p;
    });
}

EsitoSalvataggio salva(db::Connection &c, qint64 id, bool pubblica, bool nominativoModificato,
                       const std::function<bool()> &posta)
{
    return db::inTransaction(c, [&] {
        EsitoSalvataggio e;
        e.documentiRiformattati = allineaFormatoTrasmissione(c, id, pubblica);
        if (!posta()) throw db::Annulla<EsitoSalvataggio>{{}}; // rolled back: the documents keep their format
        if (nominativoModificato) e.propagazione = propagaNominativo(c, id);
        e.salvato = true;
        return e;
    });
}

int eliminaCategoria(db::Connection &c, qint64 idCategoria)
{
    return db::inTransaction(c, [&] {
        const int n = c.execute(QStringLiteral("UPDATE Clienti SET ColoreCategoria = null WHERE Categoria_ID = :id"),
                                {{":id", idCategoria}});
        c.execute(QStringLiteral("DELETE FROM ClientiCategoria WHERE ID = :id"), {{":id", idCategoria}});
        return n;
    });
}

std::optional<qint64> idCategoria(db::Connection &c, const QString &descrizione)
{
    return anagrafiche::idCategoria(c, QStringLiteral("ClientiCategoria"), descrizione);
}

QStringList capDelComune(db::Connection &c, const QString &comune) { return anagrafiche::capDelComune(c, comune); }

} // namespace clienti
