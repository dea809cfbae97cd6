#pragma once
// The customers without windows: the two names a customer is known by, the checks of an
// e-invoicing addressee, the duplicate tax identifiers, and what a save of a customer brings
// into the rows that copy its name or follow its public-administration flag.
#include <QList>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

namespace db {
class Connection;
}

namespace clienti {

// The name written into documents and the name shown in lists and lookups.
struct Nominativi {
    QString documenti;
    QString visualizzato;
};

// From the boxes as shown: a company name of two characters or more is both names; otherwise
// surname and first name, the shown name followed by " - " and the tax code when there is one.
Nominativi calcolaNominativi(const QString &ragioneSociale, const QString &cognome, const QString &nome,
                             const QString &codiceFiscale);

// What the detail shows when it is left: texts as shown (a lookup's shown text), check boxes.
struct DatiMostrati {
    QString ragioneSociale, cognome, nome;
    QString nazionalita;   // shown country name of IdPaese
    QString sedeNazione;   // shown country name of Sede_Nazione
    QString comune, cap, via;
    bool pubblicaAmministrazione = false;
    QString codiceUnivocoUfficio, partitaIva, codiceSdi;
    bool stabile = false;
    QString stabileIndirizzo, stabileCap, stabileComune, stabileNazione;
    bool rappresentante = false;
    QString rappresentantePartitaIva, rappresentanteNazione, rappresentanteDenominazione, rappresentanteCognome,
        rappresentanteNome;
};

// A failed check: its number (1-17), its message, the page to show (0 Generale, 1 e-invoicing)
// and the control to focus (its component name; empty: the focus stays where it is).
struct Regola {
    int numero = 0;
    QString messaggio;
    int pagina = 0;
    QString fuoco;
};

// The first rule the customer fails, in order; nothing when every rule passes. With
// `soloGenerale` only the rules of the Generale page (1 to 3).
std::optional<Regola> valida(const DatiMostrati &d, bool soloGenerale = false);

// How many other customers (Id not `idEscluso`) hold this VAT number / this tax code.
int duplicatiPartitaIva(db::Connection &c, const QString &partitaIva, qint64 idEscluso);
int duplicatiCodiceFiscale(db::Connection &c, const QString &codiceFiscale, qint64 idEscluso);

// The transmission format a customer's documents take: FPA12 for a public administration.
QString formatoTrasmissione(bool pubblicaAmministrazione);

// When the stored public-administration flag of customer `id` differs from `pubblica`, the
// documents of the customer not yet exported take the matching format (an exported document
// keeps the format of the file that was sent). Returns the documents changed; throws DbError.
int allineaFormatoTrasmissione(db::Connection &c, qint64 id, bool pubblica);

// The customer's current NominativoDocumenti copied into every row that carries it: documents,
// calendar entries, quotes and tariffs, history rows included. Rows changed per table.
struct Propagazione {
    int documenti = 0;
    int calendario = 0;
    int preventivi = 0;
    int tariffe = 0;
};
Propagazione propagaNominativo(db::Connection &c, qint64 id);

// A customer's save as one unit of work: the format of its documents, the post of its row
// (`posta`, false when refused) and, when its name changed, the name into the rows that copy
// it. Nothing of it stays when the post is refused or a statement fails (DbError thrown).
struct EsitoSalvataggio {
    bool salvato = false;
    int documentiRiformattati = 0;
    Propagazione propagazione;
};
EsitoSalvataggio salva(db::Connection &c, qint64 id, bool pubblica, bool nominativoModificato,
                       const std::function<bool()> &posta);

// Deletes category `idCategoria`; its customers keep their Categoria_ID but lose the copied
// colour. One transaction. Returns the customers whose colour was cleared.
int eliminaCategoria(db::Connection &c, qint64 idCategoria);

// The category whose description is exactly `descrizione` (case counts), as the customers'
// search names it; nothing when there is none.
std::optional<qint64> idCategoria(db::Connection &c, const QString &descrizione);

// The postcodes of a town's hamlets and streets (town by name), as the postcode button reads them.
QStringList capDelComune(db::Connection &c, const QString &comune);

} // namespace clienti
