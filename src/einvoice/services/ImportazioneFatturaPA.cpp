// A supplier's FatturaPA file read into memory: envelope, parsing, the document model.
#include "ImportazioneFatturaPA.h"

#include <QFile>
#include <QFileInfo>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <openssl/bio.h>
#include <openssl/cms.h>
#include <openssl/err.h>
#include <openssl/x509.h>

#include <memory>

namespace importazione_fatturapa {

using common::Decimale;

namespace {

struct Rifiuto {
    QString messaggio;
};

// ---- envelope

QString erroreOpenSsl()
{
    const unsigned long e = ERR_get_error();
    ERR_clear_error();
    if (!e) return {};
    char testo[256];
    ERR_error_string_n(e, testo, sizeof testo);
    return QString::fromLatin1(testo);
}

// A DER/BER envelope begins with a SEQUENCE tag; Base64 of one begins with "MI".
bool sembraAsn1(const QByteArray &b) { return b.size() > 2 && static_cast<unsigned char>(b[0]) == 0x30; }

QByteArray senzaSpazi(const QByteArray &b)
{
    QByteArray r;
    r.reserve(b.size());
    for (char ch : b)
        if (ch != ' ' && ch != '\r' && ch != '\n' && ch != '\t') r += ch;
    return r;
}

// ---- XML

// The local name: a prefix ("p:", "ns2:") or a default namespace does not change what an
// element is.
QString nome(xmlNodePtr n) { return QString::fromUtf8(reinterpret_cast<const char *>(n->name)); }

xmlNodePtr figlio(xmlNodePtr padre, const char *nomeFiglio)
{
    if (!padre) return nullptr;
    for (xmlNodePtr n = padre->children; n; n = n->next)
        if (n->type == XML_ELEMENT_NODE && xmlStrcmp(n->name, reinterpret_cast<const xmlChar *>(nomeFiglio)) == 0) return n;
    return nullptr;
}

// Every child of that name, in any letter case: the repeated elements.
QList<xmlNodePtr> figli(xmlNodePtr padre, const char *nomeFigli)
{
    QList<xmlNodePtr> r;
    if (!padre) return r;
    for (xmlNodePtr n = padre->children; n; n = n->next)
        if (n->type == XML_ELEMENT_NODE && xmlStrcasecmp(n->name, reinterpret_cast<const xmlChar *>(nomeFigli)) == 0) r << n;
    return r;
}

QString testoNodo(xmlNodePtr n)
{
    if (!n) return {};
    xmlChar *c = xmlNodeGetContent(n);
    const QString t = QString::fromUtf8(reinterpret_cast<const char *>(c)).trimmed();
    xmlFree(c);
    return t;
}

QString testo(xmlNodePtr padre, const char *nomeFiglio) { return testoNodo(figlio(padre, nomeFiglio)); }

std::optional<Decimale> numero(xmlNodePtr padre, const char *nomeFiglio)
{
    const QString t = testo(padre, nomeFiglio);
    if (t.isEmpty()) return std::nullopt;
    // The file's numbers have a point and no comma: "1,5" is no number of the standard.
    auto d = t.contains(u',') ? std::nullopt : Decimale::daTesto(t);
    if (!d) throw Rifiuto{QStringLiteral("Il valore \"%1\" dell'elemento %2 non è un numero.").arg(t, QLatin1String(nomeFiglio))};
    return d;
}

Decimale numeroOZero(xmlNodePtr padre, const char *nomeFiglio) { return numero(padre, nomeFiglio).value_or(Decimale()); }

std::optional<int> intero(xmlNodePtr padre, const char *nomeFiglio)
{
    const QString t = testo(padre, nomeFiglio);
    if (t.isEmpty()) return std::nullopt;
    bool ok = false;
    const int v = t.toInt(&ok);
    if (!ok) throw Rifiuto{QStringLiteral("Il valore \"%1\" dell'elemento %2 non è un numero intero.").arg(t, QLatin1String(nomeFiglio))};
    return v;
}

// A date by its first ten characters: "2025-03-01", also "2025-03-01+01:00" or with a time.
QDate data(xmlNodePtr padre, const char *nomeFiglio)
{
    const QString t = testo(padre, nomeFiglio);
    if (t.isEmpty()) return {};
    const QDate d = QDate::fromString(t.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid()) throw Rifiuto{QStringLiteral("Il valore \"%1\" dell'elemento %2 non è una data.").arg(t, QLatin1String(nomeFiglio))};
    return d;
}

Soggetto leggiCedente(xmlNodePtr cp)
{
    Soggetto s;
    xmlNodePtr anagrafici = figlio(cp, "DatiAnagrafici");
    xmlNodePtr idFiscale = figlio(anagrafici, "IdFiscaleIVA");
    s.idFiscalePresente = idFiscale != nullptr;
    s.idPaese = idFiscale ? testo(idFiscale, "IdPaese") : QStringLiteral("IT");
    s.idCodice = testo(idFiscale, "IdCodice");
    s.codiceFiscale = testo(anagrafici, "CodiceFiscale");
    xmlNodePtr anagrafica = figlio(anagrafici, "Anagrafica");
    s.denominazione = testo(anagrafica, "Denominazione");
    s.nome = testo(anagrafica, "Nome");
    s.cognome = testo(anagrafica, "Cognome");
    s.titolo = testo(anagrafica, "Titolo");
    s.codEori = testo(anagrafica, "CodEORI");
    xmlNodePtr sede = figlio(cp, "Sede");
    s.indirizzo = testo(sede, "Indirizzo");
    s.numeroCivico = testo(sede, "NumeroCivico");
    s.cap = testo(sede, "CAP");
    s.comune = testo(sede, "Comune");
    s.provincia = testo(sede, "Provincia");
    s.nazione = testo(sede, "Nazione");
    xmlNodePtr contatti = figlio(cp, "Contatti");
    s.telefono = testo(contatti, "Telefono");
    s.fax = testo(contatti, "Fax");
    s.email = testo(contatti, "Email");
    return s;
}

void leggiIntestazione(xmlNodePtr h, Intestazione &i)
{
    xmlNodePtr trasmissione = figlio(h, "DatiTrasmissione");
    i.datiTrasmissione = trasmissione != nullptr;
    i.formatoTrasmissione = testo(trasmissione, "FormatoTrasmissione");
    i.codiceDestinatario = testo(trasmissione, "CodiceDestinatario");
    i.pecDestinatario = testo(trasmissione, "PECDestinatario");
    if (xmlNodePtr cp = figlio(h, "CedentePrestatore")) {
        i.cedentePresente = true;
        i.cedente = leggiCedente(cp);
    }
    xmlNodePtr anagrafici = figlio(figlio(h, "CessionarioCommittente"), "DatiAnagrafici");
    i.cessionarioPresente = anagrafici != nullptr;
    i.cessionarioCodiceFiscale = testo(anagrafici, "CodiceFiscale");
    i.cessionarioIdCodice = testo(figlio(anagrafici, "IdFiscaleIVA"), "IdCodice");
    xmlNodePtr anagrafica = figlio(anagrafici, "Anagrafica");
    i.cessionarioDenominazione = testo(anagrafica, "Denominazione");
    if (i.cessionarioDenominazione.isEmpty())
        i.cessionarioDenominazione = QString(testo(anagrafica, "Nome") + u' ' + testo(anagrafica, "Cognome")).trimmed();
}

Linea leggiLinea(xmlNodePtr l)
{
    Linea r;
    r.numeroLinea = intero(l, "NumeroLinea");
    for (xmlNodePtr c : figli(l, "CodiceArticolo")) {
        CodiceArticolo a{testo(c, "CodiceTipo"), testo(c, "CodiceValore")};
        if (figlio(c, "CodiceValore")) {
            if (a.tipo.left(3).toUpper() == QLatin1String("EAN")) r.codiceBarre = a.valore;
            r.codiceValore = a.valore;
        }
        r.codici << a;
    }
    r.descrizione = testo(l, "Descrizione");
    r.quantita = numero(l, "Quantita");
    r.unitaMisura = testo(l, "UnitaMisura");
    r.prezzoUnitario = numero(l, "PrezzoUnitario");
    for (xmlNodePtr s : figli(l, "ScontoMaggiorazione"))
        r.scontiMaggiorazioni << ScontoMaggiorazione{testo(s, "Tipo"), numero(s, "Percentuale"), numero(s, "Importo")};
    r.prezzoTotale = numeroOZero(l, "PrezzoTotale");
    r.aliquotaIva = numeroOZero(l, "AliquotaIVA");
    r.ritenuta = testo(l, "Ritenuta").toUpper() == QLatin1String("SI");
    r.natura = testo(l, "Natura");
    r.riferimentoAmministrazione = testo(l, "RiferimentoAmministrazione");
    for (xmlNodePtr a : figli(l, "AltriDatiGestionali")) {
        if (figlio(a, "TipoDato")) r.altriDatiGestionali += "[TipoDato:" + testo(a, "TipoDato") + u'|';
        if (figlio(a, "RiferimentoTesto")) r.altriDatiGestionali += "Testo:|" + testo(a, "RiferimentoTesto") + u']';
        if (figlio(a, "RiferimentoNumero")) r.altriDatiGestionali += "Numero:|" + testo(a, "RiferimentoNumero") + u']';
        if (figlio(a, "RiferimentoData")) r.altriDatiGestionali += "Data:|" + testo(a, "RiferimentoData") + u']';
        r.altriDatiGestionali += u']';
    }

    // The booked row: quantity 1 when absent; surcharges raise the price, discounts take the
    // four percentage columns in order (one given only as an amount still takes its place).
    r.quantitaRiga = r.quantita.value_or(Decimale(1));
    Decimale prezzo = r.prezzoUnitario.value_or(Decimale());
    bool conTipo = false;
    for (const auto &s : r.scontiMaggiorazioni)
        if (s.tipo.toUpper() == QLatin1String("SC") || s.tipo.toUpper() == QLatin1String("MG")) conTipo = true;
    if (conTipo) {
        int posizione = 0;
        for (const auto &s : r.scontiMaggiorazioni) {
            const Decimale perc = s.percentuale.value_or(Decimale());
            const Decimale imp = s.importo.value_or(Decimale());
            if (s.tipo.toUpper() == QLatin1String("MG")) {
                prezzo += imp > Decimale() ? imp : prezzo.percento(perc);
                continue;
            }
            if (perc > Decimale() && posizione < 4) r.sconti[posizione] = perc;
            ++posizione;
        }
    }
    r.prezzoRiga = prezzo;
    return r;
}

Corpo leggiCorpo(xmlNodePtr b)
{
    Corpo c;
    xmlNodePtr generali = figlio(b, "DatiGenerali");
    xmlNodePtr documento = figlio(generali, "DatiGeneraliDocumento");
    c.datiGenerali = documento != nullptr;
    if (documento) {
        c.tipoDocumento = testo(documento, "TipoDocumento");
        c.genere = genereDa(c.tipoDocumento);
        c.divisa = testo(documento, "Divisa");
        c.data = data(documento, "Data");
        c.numero = testo(documento, "Numero");
        for (xmlNodePtr r : figli(documento, "DatiRitenuta")) c.totaleRitenute += numeroOZero(r, "ImportoRitenuta");
        c.importoTotale = numero(documento, "ImportoTotaleDocumento");
    }
    for (xmlNodePtr f : figli(generali, "DatiFattureCollegate"))
        c.fattureCollegate << FatturaCollegata{testo(f, "IdDocumento"), intero(f, "RiferimentoNumeroLinea"), data(f, "Data")};
    xmlNodePtr beni = figlio(b, "DatiBeniServizi");
    c.datiBeniServizi = beni != nullptr;
    for (xmlNodePtr l : figli(beni, "DettaglioLinee")) c.linee << leggiLinea(l);
    for (xmlNodePtr r : figli(beni, "DatiRiepilogo")) {
        Riepilogo s;
        s.aliquotaIva = numeroOZero(r, "AliquotaIVA");
        s.natura = testo(r, "Natura");
        s.speseAccessorie = numeroOZero(r, "SpeseAccessorie");
        s.arrotondamento = numeroOZero(r, "Arrotondamento");
        s.imponibile = numeroOZero(r, "ImponibileImporto");
        s.imposta = numeroOZero(r, "Imposta");
        s.esigibilita = testo(r, "EsigibilitaIVA");
        s.riferimentoNormativo = testo(r, "RiferimentoNormativo");
        c.riepiloghi << s;
    }
    for (xmlNodePtr p : figli(b, "DatiPagamento")) {
        DatiPagamento dp;
        dp.condizioni = testo(p, "CondizioniPagamento");
        for (xmlNodePtr d : figli(p, "DettaglioPagamento")) {
            DettaglioPagamento x;
            x.beneficiario = testo(d, "Beneficiario");
            x.modalita = testo(d, "ModalitaPagamento");
            x.dataRiferimento = data(d, "DataRiferimentoTerminiPagamento");
            x.giorni = intero(d, "GiorniTerminiPagamento");
            x.scadenza = data(d, "DataScadenzaPagamento");
            x.importo = numero(d, "ImportoPagamento");
            x.istituto = testo(d, "IstitutoFinanziario");
            x.iban = testo(d, "IBAN");
            x.codicePagamento = testo(d, "CodicePagamento");
            dp.dettagli << x;
        }
        c.pagamenti << dp;
    }
    return c;
}

struct Errori {
    QString primo;
    int riga = 0;
};

void raccogli(void *dati, xmlErrorPtr e)
{
    auto *errori = static_cast<Errori *>(dati);
    if (!e || !errori->primo.isEmpty()) return;
    errori->primo = QString::fromUtf8(e->message).trimmed();
    errori->riga = e->line;
}

// Nothing declared inside the file is ever expanded or fetched: a document type declaration
// (the vehicle of "billion laughs" and external entities) is refused before parsing. The scan
// reads the bytes as ASCII, which the encodings of these files all are at "<!".
bool dichiaraDtd(const QByteArray &xml)
{
    int da = 0;
    while ((da = xml.indexOf("<!", da)) >= 0) {
        const QByteArray dopo = xml.mid(da + 2, 7).toUpper();
        if (dopo.startsWith("DOCTYPE") || dopo.startsWith("ENTITY")) return true;
        da += 2;
    }
    return false;
}

Documento analizza(const QByteArray &xml)
{
    if (dichiaraDtd(xml))
        throw Rifiuto{QStringLiteral("Il file contiene una dichiarazione DTD o di entità (<!DOCTYPE, <!ENTITY): per sicurezza non viene letto.")};
    Errori errori;
    xmlSetStructuredErrorFunc(&errori, raccogli);
    // No entity substitution, no DTD loading, no network; NONET also stops any fetch.
    xmlDocPtr doc = xmlReadMemory(xml.constData(), int(xml.size()), nullptr, nullptr,
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> guardia(doc, xmlFreeDoc);
    if (!doc)
        throw Rifiuto{QStringLiteral("Il file non è un documento XML leggibile: %1 (riga %2).").arg(errori.primo).arg(errori.riga)};
    if (doc->intSubset || doc->extSubset)
        throw Rifiuto{QStringLiteral("Il file contiene una dichiarazione DTD o di entità (<!DOCTYPE, <!ENTITY): per sicurezza non viene letto.")};
    xmlNodePtr radice = xmlDocGetRootElement(doc);
    if (!radice || xmlStrcasecmp(radice->name, reinterpret_cast<const xmlChar *>("FatturaElettronica")) != 0)
        throw Rifiuto{QStringLiteral("Il file non è una fattura elettronica: l'elemento principale è \"%1\" invece di FatturaElettronica.")
                          .arg(radice ? nome(radice) : QString())};
    Documento d;
    if (xmlChar *v = xmlGetProp(radice, reinterpret_cast<const xmlChar *>("versione"))) {
        d.versione = QString::fromUtf8(reinterpret_cast<const char *>(v)).trimmed();
        xmlFree(v);
    }
    // Children by position, names in any letter case: the header and every body in file order.
    for (xmlNodePtr n = radice->children; n; n = n->next) {
        if (n->type != XML_ELEMENT_NODE) continue;
        if (xmlStrcasecmp(n->name, reinterpret_cast<const xmlChar *>("FatturaElettronicaHeader")) == 0) {
            d.intestazionePresente = true;
            leggiIntestazione(n, d.intestazione);
        } else if (xmlStrcasecmp(n->name, reinterpret_cast<const xmlChar *>("FatturaElettronicaBody")) == 0) {
            d.corpi << leggiCorpo(n);
        }
    }
    return d;
}

// True when the content, after a byte-order mark and blanks, begins as XML does.
bool sembraXml(const QByteArray &b)
{
    int i = b.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < b.size() && (b[i] == ' ' || b[i] == '\t' || b[i] == '\r' || b[i] == '\n')) ++i;
    return i < b.size() && b[i] == '<';
}

} // namespace

Genere genereDa(const QString &tipoDocumento)
{
    // TD29 (1.2.3) is the report of an omitted or irregular invoice that replaced TD20 for it:
    // booked as TD20 is.
    static const QStringList fatture = {"TD01", "TD17", "TD18", "TD19", "TD20", "TD21", "TD24", "TD25", "TD27", "TD29"};
    const QString t = tipoDocumento.trimmed();
    if (fatture.contains(t)) return Genere::FatturaAcquisto;
    if (t == QLatin1String("TD04")) return Genere::NotaCreditoAcquisto;
    return Genere::NonImportato;
}

QByteArray apriBusta(const QByteArray &busta, QString *errore)
{
    auto rifiuta = [&](const QString &m) {
        if (errore) *errore = m;
        return QByteArray();
    };
    QByteArray der = busta;
    if (!sembraAsn1(der)) {
        // Base64 on one line or wrapped, with or without CR.
        const auto decodifica = QByteArray::fromBase64Encoding(senzaSpazi(busta), QByteArray::AbortOnBase64DecodingErrors);
        if (!decodifica || !sembraAsn1(*decodifica))
            return rifiuta(QStringLiteral("Il file non è né un documento XML né una busta firmata (p7m) leggibile."));
        der = *decodifica;
    }
    ERR_clear_error();
    std::unique_ptr<BIO, int (*)(BIO *)> in(BIO_new_mem_buf(der.constData(), int(der.size())), BIO_free);
    std::unique_ptr<CMS_ContentInfo, void (*)(CMS_ContentInfo *)> cms(d2i_CMS_bio(in.get(), nullptr), CMS_ContentInfo_free);
    if (!cms)
        return rifiuta(QStringLiteral("La busta firmata (p7m) non è leggibile: %1").arg(erroreOpenSsl()));
    if (OBJ_obj2nid(CMS_get0_type(cms.get())) != NID_pkcs7_signed)
        return rifiuta(QStringLiteral("La busta (p7m) non contiene un documento firmato."));
    std::unique_ptr<X509_STORE, void (*)(X509_STORE *)> nessunaFiducia(X509_STORE_new(), X509_STORE_free);
    std::unique_ptr<BIO, int (*)(BIO *)> out(BIO_new(BIO_s_mem()), BIO_free);
    // The content's digest and the signature over it are checked with the signer's own
    // certificate; its chain is not (no trust list offline). CMS_BINARY keeps the bytes as
    // signed (no CR LF translation).
    if (CMS_verify(cms.get(), nullptr, nessunaFiducia.get(), nullptr, out.get(), CMS_NO_SIGNER_CERT_VERIFY | CMS_BINARY) != 1)
        return rifiuta(QStringLiteral("La firma della busta (p7m) non corrisponde al contenuto: il file è stato alterato o è danneggiato (%1).")
                           .arg(erroreOpenSsl()));
    char *dati = nullptr;
    const long n = BIO_get_mem_data(out.get(), &dati);
    return QByteArray(dati, int(n));
}

Documento leggi(const QByteArray &contenuto, QString *errore)
{
    if (errore) errore->clear();
    try {
        if (contenuto.trimmed().isEmpty()) throw Rifiuto{QStringLiteral("Il file è vuoto.")};
        if (sembraXml(contenuto)) return analizza(contenuto);
        QString e;
        const QByteArray xml = apriBusta(contenuto, &e);
        if (!e.isEmpty()) throw Rifiuto{e};
        if (!sembraXml(xml)) throw Rifiuto{QStringLiteral("La busta firmata (p7m) non contiene un documento XML.")};
        return analizza(xml);
    } catch (const Rifiuto &r) {
        if (errore) *errore = r.messaggio;
        return {};
    }
}

Documento leggiFile(const QString &percorso, QString *errore)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) {
        if (errore) *errore = QStringLiteral("Impossibile aprire il file %1: %2").arg(QFileInfo(percorso).fileName(), f.errorString());
        return {};
    }
    return leggi(f.readAll(), errore);
}

} // namespace importazione_fatturapa
