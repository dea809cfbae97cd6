// The checks of a built e-invoice: text range, official schema, the exchange system's rules.
#include "FatturaPA.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QFile>
#include <optional>
#include <QStringList>

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlschemas.h>
#include <libxml/catalog.h>

#include <cmath>

namespace fatturapa {

namespace {

const char *const kSchema = "Schema_del_file_xml_FatturaPA_v1.2.3.xsd";

// The natures the exchange system accepts since 2021: the generic N2, N3 and N6 are refused.
const QStringList kNature = {QStringLiteral("N1"),   QStringLiteral("N2.1"), QStringLiteral("N2.2"), QStringLiteral("N3.1"),
                             QStringLiteral("N3.2"), QStringLiteral("N3.3"), QStringLiteral("N3.4"), QStringLiteral("N3.5"),
                             QStringLiteral("N3.6"), QStringLiteral("N4"),   QStringLiteral("N5"),   QStringLiteral("N6.1"),
                             QStringLiteral("N6.2"), QStringLiteral("N6.3"), QStringLiteral("N6.4"), QStringLiteral("N6.5"),
                             QStringLiteral("N6.6"), QStringLiteral("N6.7"), QStringLiteral("N6.8"), QStringLiteral("N6.9"),
                             QStringLiteral("N7")};

struct Errore {
    QString testo;
    xmlNodePtr nodo = nullptr;
    int riga = 0;
    bool presente = false;
};

void raccogli(void *dati, xmlErrorPtr e)
{
    auto *errore = static_cast<Errore *>(dati);
    if (errore->presente || !e) return; // the first one says what to mend
    errore->presente = true;
    errore->testo = QString::fromUtf8(e->message).trimmed();
    errore->nodo = static_cast<xmlNodePtr>(e->node);
    errore->riga = e->line;
}

struct Schema {
    xmlSchemaPtr schema = nullptr;
    QString errore;
};

// Parsed once per run from the files beside the program, offline: the signature schema it
// imports comes from the local copy through the shipped catalog, never from the network.
Schema caricaSchema()
{
    const QString cartella = cartellaSchema();
    const QString xsd = cartella + u'/' + QLatin1String(kSchema);
    if (!QFileInfo(xsd).isFile())
        return {nullptr, QStringLiteral("Attenzione manca lo schema della fattura elettronica %1: reinstallare il programma").arg(xsd)};
    xmlInitParser();
    xmlLoadCatalog(QFile::encodeName(cartella + QStringLiteral("/catalog.xml")).constData());
    const xmlExternalEntityLoader precedente = xmlGetExternalEntityLoader();
    xmlSetExternalEntityLoader(xmlNoNetExternalEntityLoader);
    Errore errore;
    xmlSchemaParserCtxtPtr pc = xmlSchemaNewParserCtxt(QFile::encodeName(xsd).constData());
    xmlSchemaSetParserStructuredErrors(pc, raccogli, &errore);
    xmlSchemaPtr s = xmlSchemaParse(pc);
    xmlSchemaFreeParserCtxt(pc);
    xmlSetExternalEntityLoader(precedente);
    if (!s) return {nullptr, QStringLiteral("Attenzione lo schema della fattura elettronica %1 non è leggibile: %2").arg(xsd, errore.testo)};
    return {s, QString()};
}

const Schema &schema()
{
    static const Schema s = caricaSchema();
    return s;
}

QString nome(xmlNodePtr n) { return QString::fromUtf8(reinterpret_cast<const char *>(n->name)); }

// The element's path below the root, with the position of repeated elements.
QString percorso(xmlNodePtr n)
{
    if (!n) return QString();
    if (n->type != XML_ELEMENT_NODE) n = n->parent;
    xmlChar *p = xmlGetNodePath(n);
    QString s = QString::fromUtf8(reinterpret_cast<const char *>(p));
    xmlFree(p);
    const qsizetype dopoRadice = s.indexOf(u'/', 1);
    return dopoRadice > 0 ? s.mid(dopoRadice + 1) : s.mid(1);
}

xmlNodePtr figlio(xmlNodePtr n, const char *nomeFiglio)
{
    for (xmlNodePtr f = n ? n->children : nullptr; f; f = f->next)
        if (f->type == XML_ELEMENT_NODE && xmlStrEqual(f->name, BAD_CAST nomeFiglio)) return f;
    return nullptr;
}

QList<xmlNodePtr> figli(xmlNodePtr n, const char *nomeFiglio)
{
    QList<xmlNodePtr> l;
    for (xmlNodePtr f = n ? n->children : nullptr; f; f = f->next)
        if (f->type == XML_ELEMENT_NODE && xmlStrEqual(f->name, BAD_CAST nomeFiglio)) l << f;
    return l;
}

QString testo(xmlNodePtr n)
{
    if (!n) return QString();
    xmlChar *c = xmlNodeGetContent(n);
    const QString s = QString::fromUtf8(reinterpret_cast<const char *>(c));
    xmlFree(c);
    return s;
}

double numero(xmlNodePtr n) { return testo(n).toDouble(); }

bool oltre(double a, double b, double tolleranza) { return std::fabs(a - b) > tolleranza + 1e-9; }

struct Rifiuto {
    QString perche;
    QString elemento;
};

// A character outside what the schema's Latin-1 texts allow, in the first text that has one.
std::optional<Rifiuto> testoFuoriLatin1(xmlNodePtr n)
{
    for (xmlNodePtr f = n->children; f; f = f->next) {
        if (f->type == XML_TEXT_NODE) {
            const QString s = testo(f);
            for (const QChar ch : s) {
                const char16_t u = ch.unicode();
                if (u > 0xFF || (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r'))
                    return Rifiuto{QStringLiteral("il testo contiene il carattere \"%1\" (codice %2) che la fattura elettronica non "
                                                  "ammette (solo lettere e simboli latini)")
                                       .arg(u < 0x20 ? QString() : QString(ch))
                                       .arg(int(u)),
                                   percorso(n)};
            }
        } else if (f->type == XML_ELEMENT_NODE) {
            if (auto r = testoFuoriLatin1(f)) return r;
        }
    }
    return std::nullopt;
}

std::optional<Rifiuto> controllaNatura(xmlNodePtr padre, double aliquota)
{
    xmlNodePtr natura = figlio(padre, "Natura");
    if (aliquota == 0 && !natura)
        return Rifiuto{QStringLiteral("l'aliquota IVA è 0 ma manca la natura dell'operazione (Natura): impostarla nel codice IVA"),
                       percorso(padre) + QStringLiteral("/Natura")};
    if (aliquota != 0 && natura)
        return Rifiuto{QStringLiteral("la natura %1 è ammessa solo con aliquota IVA 0").arg(testo(natura)), percorso(natura)};
    if (natura && !kNature.contains(testo(natura)))
        return Rifiuto{QStringLiteral("la natura %1 non è più accettata dal Sistema di Interscambio: usare un codice di dettaglio "
                                      "(N2.1, N2.2, N3.1 ... N6.9)")
                           .arg(testo(natura)),
                       percorso(natura)};
    return std::nullopt;
}

// The exchange system's arithmetic and identity rules on one body.
std::optional<Rifiuto> controllaCorpo(xmlNodePtr corpo)
{
    xmlNodePtr bs = figlio(corpo, "DatiBeniServizi");
    QHash<QString, double> righe, blocchi;
    QHash<QString, xmlNodePtr> primoBlocco;
    auto chiave = [](double aliquota, xmlNodePtr padre) -> QString {
        return QString::number(aliquota, 'f', 2) + u'|' + testo(figlio(padre, "Natura"));
    };
    for (xmlNodePtr l : figli(bs, "DettaglioLinee")) {
        xmlNodePtr q = figlio(l, "Quantita");
        double unitario = numero(figlio(l, "PrezzoUnitario"));
        for (xmlNodePtr sm : figli(l, "ScontoMaggiorazione")) {
            const double segno = testo(figlio(sm, "Tipo")) == QLatin1String("MG") ? 1 : -1;
            if (xmlNodePtr perc = figlio(sm, "Percentuale")) unitario += segno * unitario * numero(perc) / 100;
            else unitario += segno * numero(figlio(sm, "Importo"));
        }
        const double atteso = unitario * (q ? numero(q) : 1);
        xmlNodePtr totale = figlio(l, "PrezzoTotale");
        if (oltre(numero(totale), atteso, 0.01))
            return Rifiuto{QStringLiteral("il totale della riga %1 (%2) non è il prezzo per la quantità al netto dello sconto (%3)")
                               .arg(testo(figlio(l, "NumeroLinea")), testo(totale), QString::number(atteso, 'f', 2)),
                           percorso(totale)};
        const double aliquota = numero(figlio(l, "AliquotaIVA"));
        if (auto r = controllaNatura(l, aliquota)) return r;
        righe[chiave(aliquota, l)] += numero(totale);
    }
    for (xmlNodePtr b : figli(bs, "DatiRiepilogo")) {
        const double aliquota = numero(figlio(b, "AliquotaIVA"));
        if (auto r = controllaNatura(b, aliquota)) return r;
        const double imponibile = numero(figlio(b, "ImponibileImporto"));
        xmlNodePtr imposta = figlio(b, "Imposta");
        if (oltre(numero(imposta), imponibile * aliquota / 100, 0.01))
            return Rifiuto{QStringLiteral("l'imposta %1 non è l'imponibile %2 per l'aliquota %3%")
                               .arg(testo(imposta), testo(figlio(b, "ImponibileImporto")), testo(figlio(b, "AliquotaIVA"))),
                           percorso(imposta)};
        const QString k = chiave(aliquota, b);
        blocchi[k] += imponibile;
        if (!primoBlocco.contains(k)) primoBlocco.insert(k, b);
    }
    for (auto it = righe.cbegin(); it != righe.cend(); ++it) {
        const QStringList parti = it.key().split(u'|');
        const QString descrizione = parti.value(1).isEmpty() ? QStringLiteral("l'aliquota %1%").arg(parti.value(0))
                                                             : QStringLiteral("la natura %1").arg(parti.value(1));
        if (!blocchi.contains(it.key()))
            return Rifiuto{QStringLiteral("le righe con %1 non hanno un riepilogo IVA").arg(descrizione),
                           percorso(bs) + QStringLiteral("/DatiRiepilogo")};
        // The exchange system allows a euro of roundings between the lines and their summary.
        if (oltre(blocchi.value(it.key()), it.value(), 1.0))
            return Rifiuto{QStringLiteral("l'imponibile del riepilogo per %1 (%2) non è la somma delle sue righe (%3)")
                               .arg(descrizione, QString::number(blocchi.value(it.key()), 'f', 2), QString::number(it.value(), 'f', 2)),
                           percorso(figlio(primoBlocco.value(it.key()), "ImponibileImporto"))};
    }
    for (auto it = blocchi.cbegin(); it != blocchi.cend(); ++it)
        if (!righe.contains(it.key()) && oltre(it.value(), 0, 1.0))
            return Rifiuto{QStringLiteral("il riepilogo IVA non corrisponde ad alcuna riga del documento"),
                           percorso(figlio(primoBlocco.value(it.key()), "ImponibileImporto"))};
    return std::nullopt;
}

std::optional<Rifiuto> controllaRegole(xmlNodePtr radice)
{
    xmlNodePtr h = figlio(radice, "FatturaElettronicaHeader");
    xmlNodePtr da = figlio(figlio(h, "CessionarioCommittente"), "DatiAnagrafici");
    if (da && !figlio(da, "IdFiscaleIVA") && !figlio(da, "CodiceFiscale"))
        return Rifiuto{QStringLiteral("il cliente non ha né la partita IVA né il codice fiscale: impostarli nella scheda anagrafica"),
                       percorso(da) + QStringLiteral("/CodiceFiscale")};
    for (xmlNodePtr corpo : figli(radice, "FatturaElettronicaBody"))
        if (auto r = controllaCorpo(corpo)) return r;
    return std::nullopt;
}

Esito rifiutato(const QString &documento, const Rifiuto &r)
{
    QString m = QStringLiteral("Attenzione %1 non può essere esportata come fattura elettronica: %2").arg(documento, r.perche);
    if (!r.elemento.isEmpty()) m += QStringLiteral(".\nElemento: ") + r.elemento;
    return {false, m, r.elemento};
}

} // namespace

QString cartellaSchema() { return QCoreApplication::applicationDirPath() + QStringLiteral("/fatturapa"); }

Esito verifica(const QByteArray &xml, const QString &documento)
{
    const Schema &s = schema();
    if (!s.schema) return {false, s.errore, QString()};
    xmlParserCtxtPtr pc = xmlNewParserCtxt();
    xmlDocPtr doc = xmlCtxtReadMemory(pc, xml.constData(), int(xml.size()), "fattura.xml", nullptr, XML_PARSE_NONET);
    if (!doc) {
        xmlErrorPtr e = xmlCtxtGetLastError(pc);
        const QString dettaglio = e && e->message ? QString::fromUtf8(e->message).trimmed() : QString();
        xmlFreeParserCtxt(pc);
        return rifiutato(documento, {QStringLiteral("il file prodotto non è un XML valido (%1)").arg(dettaglio), QString()});
    }
    xmlFreeParserCtxt(pc);
    std::optional<Rifiuto> r = testoFuoriLatin1(xmlDocGetRootElement(doc));
    if (!r) {
        Errore errore;
        xmlSchemaValidCtxtPtr vc = xmlSchemaNewValidCtxt(s.schema);
        xmlSchemaSetValidStructuredErrors(vc, raccogli, &errore);
        const int esito = xmlSchemaValidateDoc(vc, doc);
        xmlSchemaFreeValidCtxt(vc);
        if (esito != 0)
            r = Rifiuto{QStringLiteral("il valore dell'elemento %1 (riga %2 del file) manca, è vuoto, troppo lungo o nel formato "
                                       "sbagliato per il tracciato FatturaPA. Dettaglio tecnico: %3")
                            .arg(errore.nodo ? nome(errore.nodo) : QStringLiteral("?"))
                            .arg(errore.riga)
                            .arg(errore.testo),
                        percorso(errore.nodo)};
    }
    if (!r) r = controllaRegole(xmlDocGetRootElement(doc));
    xmlFreeDoc(doc);
    if (r) return rifiutato(documento, *r);
    return {true, QString(), QString()};
}

} // namespace fatturapa
