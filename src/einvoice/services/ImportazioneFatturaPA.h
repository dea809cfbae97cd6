#pragma once
// A supplier's FatturaPA file read into memory, without widgets: the signed envelope (.p7m)
// opened and its signature's integrity checked, the XML parsed without DTD, entities or network,
// and the document's header and bodies as plain values (amounts exact, dates, texts trimmed).
// Nothing here touches the database: the booking reads this model.
#include "common/Decimale.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace importazione_fatturapa {

// A party of the header: the supplier (CedentePrestatore) with its seat and contacts.
struct Soggetto {
    bool idFiscalePresente = false; // IdFiscaleIVA written in the file
    QString idPaese;
    QString idCodice;
    QString codiceFiscale;
    QString denominazione;
    QString nome;
    QString cognome;
    QString titolo;
    QString codEori;
    QString indirizzo;
    QString numeroCivico;
    QString cap;
    QString comune;
    QString provincia;
    QString nazione;
    QString telefono;
    QString fax;
    QString email;
};

struct Intestazione {
    bool datiTrasmissione = false;
    QString formatoTrasmissione;
    QString codiceDestinatario;
    QString pecDestinatario;
    bool cedentePresente = false;
    Soggetto cedente;
    bool cessionarioPresente = false; // CessionarioCommittente with its DatiAnagrafici
    QString cessionarioIdCodice;
    QString cessionarioCodiceFiscale;
    QString cessionarioDenominazione;
};

struct CodiceArticolo {
    QString tipo;
    QString valore;
};

struct ScontoMaggiorazione {
    QString tipo; // "SC", "MG" or what the file says
    std::optional<common::Decimale> percentuale;
    std::optional<common::Decimale> importo;
};

// One DettaglioLinee, as written, with the row the program books from it.
struct Linea {
    std::optional<int> numeroLinea;
    QList<CodiceArticolo> codici;
    QString descrizione;
    std::optional<common::Decimale> quantita;
    QString unitaMisura;
    std::optional<common::Decimale> prezzoUnitario;
    QList<ScontoMaggiorazione> scontiMaggiorazioni;
    common::Decimale prezzoTotale;
    common::Decimale aliquotaIva;
    bool ritenuta = false;
    QString natura;
    QString riferimentoAmministrazione;
    QString altriDatiGestionali; // the blocks composed as "[TipoDato:...|Testo:|...]...]"

    // The row as booked: the last article code with a value and the last EAN one, the quantity
    // (1 when absent), the unit price raised by the surcharges, up to four discount percentages.
    QString codiceValore;
    QString codiceBarre;
    common::Decimale quantitaRiga;
    common::Decimale prezzoRiga;
    common::Decimale sconti[4];
};

struct Riepilogo {
    common::Decimale aliquotaIva;
    QString natura;
    common::Decimale speseAccessorie;
    common::Decimale arrotondamento;
    common::Decimale imponibile;
    common::Decimale imposta;
    QString esigibilita;
    QString riferimentoNormativo;
};

struct FatturaCollegata {
    QString idDocumento;
    std::optional<int> numeroLinea;
    QDate data;
};

struct DettaglioPagamento {
    QString beneficiario;
    QString modalita; // "MP01" ...
    QDate dataRiferimento;
    std::optional<int> giorni;
    QDate scadenza;
    std::optional<common::Decimale> importo;
    QString istituto;
    QString iban;
    QString codicePagamento;
};

struct DatiPagamento {
    QString condizioni; // "TP01" instalments, "TP02" complete, "TP03" advance
    QList<DettaglioPagamento> dettagli;
};

// The kind the program books a body as.
enum class Genere { NonImportato, FatturaAcquisto, NotaCreditoAcquisto };

struct Corpo {
    QString tipoDocumento;
    Genere genere = Genere::NonImportato;
    bool datiGenerali = false; // DatiGenerali with DatiGeneraliDocumento
    QString divisa;
    QDate data;
    QString numero;
    common::Decimale totaleRitenute;
    std::optional<common::Decimale> importoTotale;
    QList<FatturaCollegata> fattureCollegate;
    bool datiBeniServizi = false;
    QList<Linea> linee;
    QList<Riepilogo> riepiloghi;
    QList<DatiPagamento> pagamenti;
};

struct Documento {
    QString versione; // the root's "versione" attribute: FPA12, FPR12
    bool intestazionePresente = false;
    Intestazione intestazione;
    QList<Corpo> corpi;
};

// The kind for a TipoDocumento, as written (letter case counts, blanks trimmed).
Genere genereDa(const QString &tipoDocumento);

// The XML inside a signed envelope: DER or BER (indefinite lengths too), also Base64-encoded on
// one line or wrapped with LF or CR LF. The signature's integrity is verified (the content is
// what was signed); the signer's certificate chain is not. On a fault, empty bytes and the
// Italian message in `errore`.
QByteArray apriBusta(const QByteArray &busta, QString *errore);

// Reads a supplier's file: plain XML (any extension) or a signed envelope, told apart by the
// content. The payload is decoded by its own XML declaration (UTF-8 with or without BOM,
// windows-1252, ISO-8859-1); a DTD or entity declaration is refused, nothing is fetched. Any
// namespace or prefix on the root. On a fault `errore` holds the Italian message and the
// returned document is empty.
Documento leggi(const QByteArray &contenuto, QString *errore);

// The same for a file on disk.
Documento leggiFile(const QString &percorso, QString *errore);

} // namespace importazione_fatturapa
