#include "VCard.h"
#include "TextUtils.h"

#include <QHash>

namespace common {

namespace {

// Marks of a card: a new one must begin within this many characters of what is left.
const int limiteScheda = 5000;

Vcard4 leggiScheda(const QString &testo)
{
    // Properties read by exact name, whole value or the value's first field; the others by
    // what their name contains.
    static const QHash<QString, int> valoreIntero = {
        {QStringLiteral("ORG"), 5}, {QStringLiteral("TITLE"), 6}, {QStringLiteral("PHOTO"), 7}};
    static const QHash<QString, int> primoCampo = {
        {QStringLiteral("UID"), 39},  {QStringLiteral("LABEL"), 38}, {QStringLiteral("NOTE"), 41},
        {QStringLiteral("ROLE"), 42}, {QStringLiteral("GEO"), 46},   {QStringLiteral("KEY"), 45},
        {QStringLiteral("CATEGORIES"), 47}};
    Vcard4 scheda;
    auto &c = scheda.campi;
    const auto primoVuoto = [&c](int da, int ultimo) { // the last slot is overwritten when all are taken
        for (int i = da; i < ultimo; ++i)
            if (c[i].isEmpty()) return i;
        return ultimo;
    };
    for (const QString &riga : testo.split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype dueP = riga.indexOf(u':');
        if (dueP < 0) continue;
        const QString nome = riga.left(dueP);
        const QString valore = riga.mid(dueP + 1);
        const bool casa = nome.contains(u"HOME");
        const bool lavoro = nome.contains(u"WORK");
        if (nome == u"N" || nome == u"NAME") {
            for (int i = 0; i < 5; ++i) c[i] = EstraiCampo(valore, i + 1, u';');
        } else if (valoreIntero.contains(nome)) {
            c[valoreIntero.value(nome)] = valore;
        } else if (primoCampo.contains(nome)) {
            c[primoCampo.value(nome)] = EstraiCampo(valore, 1, u';');
        } else if (nome == u"REV" || nome == u"BDAY") {
            c[nome == u"REV" ? 43 : 44] = EstraiCampo(valore, 1, u'T'); // the date without the time
        } else if (nome.contains(u"TEL")) {
            const QString numero = EstraiCampo(valore, 1, u';');
            if (!casa && !lavoro) continue;
            if (nome.contains(u"FAX")) c[casa ? 10 : 13] = numero;
            else if (nome.contains(u"CELL")) c[casa ? primoVuoto(14, 15) : primoVuoto(16, 17)] = numero;
            else c[casa ? primoVuoto(8, 9) : primoVuoto(11, 12)] = numero;
        } else if (nome.contains(u"EMAIL")) {
            if (casa) c[primoVuoto(18, 21)] = valore;
            else if (lavoro) c[primoVuoto(22, 25)] = valore;
        } else if (nome.contains(u"URL")) {
            c[casa ? 26 : 27] = valore;
        } else if (nome.contains(u"ADR;")) {
            const std::array<int, 4> slot = casa ? std::array{28, 32, 30, 36} : std::array{29, 33, 31, 37};
            for (int k = 0; k < 4; ++k) c[slot[k]] = EstraiCampo(valore, k + 3, u';');
        }
    }
    return scheda;
}

} // namespace

QString ScriviVCard(const Vcard4 &scheda)
{
    const auto &c = scheda.campi;
    QString testo = QStringLiteral("\nBEGIN:VCARD\nVERSION:4.0\n");
    const auto riga = [&testo](const QString &linea) { testo += linea + u'\n'; };
    const auto v = [&c](int i) { return SostituisciPuntoEVirgola(c[i]); };
    const auto proprieta = [&](const char *nome, int i, const char *coda = "") {
        if (!c[i].isEmpty()) riga(QLatin1String(nome) + v(i) + QLatin1String(coda));
    };
    const auto indirizzo = [&](const char *nome, int via, int numero, int localita, int regione, int cap) {
        if (!c[via].isEmpty())
            riga(QLatin1String(nome) + v(via) + QStringLiteral(" N°") + v(numero) + u';' + v(localita) + u';' + v(regione)
                 + u';' + v(cap));
    };

    if (!c[5].isEmpty()) riga(QStringLiteral("FN:") + v(5));
    else if (!c[0].isEmpty()) riga(QStringLiteral("FN:") + v(1) + u' ' + v(0));
    if (!c[0].isEmpty()) riga(QStringLiteral("N:") + QStringList{v(0), v(1), v(2), v(3), v(4)}.join(u';'));
    proprieta("CATEGORIES:", 47);
    if (!c[26].isEmpty()) riga(QStringLiteral("URL;HOME:") + TogliSeparatoriVCard(c[26]));
    proprieta("URL;WORK:", 27);
    proprieta("ORG:", 5);
    proprieta("TITLE:", 6);
    if (!c[7].isEmpty()) riga(QStringLiteral("PHOTO;MEDIATYPE=image/") + EstensioneFile(c[7]) + u':' + c[7]);
    for (int i : {8, 9}) proprieta("TEL;HOME;VOICE:", i);
    for (int i : {11, 12}) proprieta("TEL;WORK;VOICE:", i);
    proprieta("TEL;HOME;FAX;VOICE:", 10);
    proprieta("TEL;WORK;FAX;VOICE:", 13);
    for (int i : {14, 15}) proprieta("TEL;HOME;CELL;VOICE:", i);
    for (int i : {16, 17}) proprieta("TEL;WORK;CELL;VOICE:", i);
    for (int i = 18; i <= 21; ++i) proprieta("EMAIL;HOME;PREF;INTERNET:", i);
    for (int i = 22; i <= 25; ++i) proprieta("EMAIL;WORK;PREF;INTERNET:", i);
    indirizzo("ADR;HOME:;;", 28, 34, 32, 30, 36);
    indirizzo("ADR;WORK:;;", 29, 35, 33, 31, 37);
    const QString uid = c[40] + c[39];
    if (!uid.isEmpty()) riga(QStringLiteral("UID:") + SostituisciPuntoEVirgola(uid));
    proprieta("NOTE:", 41);
    proprieta("ROLE:", 42);
    proprieta("GEO:geo:", 46);
    proprieta("KEY:", 45);
    proprieta("REV:", 43, "T195243Z");
    proprieta("BDAY:", 44, "T195243Z");
    proprieta("LABEL:", 38);
    riga(QStringLiteral("END:VCARD"));
    return testo;
}

QList<Vcard4> LeggiVCard(const QString &percorso)
{
    QList<Vcard4> schede;
    QString resto = LeggiFileTesto(percorso, false);
    for (;;) {
        const qsizetype prima = resto.size();
        const QString scheda = TestoTraMarcatori(QStringLiteral("BEGIN:VCARD"), QStringLiteral("END:VCARD"), resto, limiteScheda);
        if (resto.size() == prima) break; // the rest shrinks only when a card was found
        schede << leggiScheda(scheda);
    }
    return schede;
}

} // namespace common
