#include "VCard.h"
#include "ContentLines.h"
#include "TextUtils.h"

#include <QDate>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>

namespace common {

namespace {

// Marks of a card: a new one must begin within this many characters of what is left.
const int limiteScheda = 5000;

const QLatin1String inizioScheda("BEGIN:VCARD"), fineScheda("END:VCARD");

// The slot as a date yyyymmdd when it holds one (yyyymmdd or yyyy-mm-dd, a time after it
// ignored), else "".
QString dataBase(const QString &testo)
{
    static const QRegularExpression forma(QStringLiteral("^(\\d{4})-?(\\d{2})-?(\\d{2})(?:[T ].*)?$"));
    const QRegularExpressionMatch m = forma.match(testo);
    if (!m.hasMatch()) return QString();
    const QString data = m.captured(1) + m.captured(2) + m.captured(3);
    return QDate::fromString(data, QStringLiteral("yyyyMMdd")).isValid() ? data : QString();
}

// A URI value cannot hold line breaks.
QString uri(const QString &testo) { return QString(testo).remove(u'\r').remove(u'\n'); }

// A photo's address: a path becomes a file: address, an address with a scheme stays.
QString indirizzoFoto(const QString &foto)
{
    static const QRegularExpression schema(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return schema.match(foto).hasMatch() ? uri(foto) : QUrl::fromLocalFile(foto).toString(QUrl::FullyEncoded);
}

// The TYPE values the reader tells apart.
enum Tipo { Casa = 1, Lavoro = 2, Fax = 4, Cellulare = 8 };

bool uguale(QStringView testo, QLatin1String nome) { return testo.compare(nome, Qt::CaseInsensitive) == 0; }

int tipo(QStringView testo)
{
    testo = testo.trimmed();
    if (uguale(testo, QLatin1String("HOME"))) return Casa;
    if (uguale(testo, QLatin1String("WORK"))) return Lavoro;
    if (uguale(testo, QLatin1String("FAX"))) return Fax;
    if (uguale(testo, QLatin1String("CELL"))) return Cellulare;
    return 0;
}

// One unfolded content line taken apart.
struct Proprieta {
    QStringView nome;   // without its group
    int tipi = 0;       // TYPE values and bare parameters of the older forms (TEL;HOME;VOICE)
    bool testo = false; // VALUE=text
    bool datiInclusi = false; // ENCODING=..., data inside the card
    QStringView valore; // as written, escapes included
};

bool leggiProprieta(QStringView riga, Proprieta &p)
{
    // The parameters end at the first colon outside double quotes; semicolons outside them
    // separate the name and the parameters.
    qsizetype dueP = -1, da = 0;
    bool virgolette = false;
    QStringView nome;
    const auto parametro = [&](QStringView testo) {
        if (nome.isNull()) {
            nome = testo.mid(testo.indexOf(u'.') + 1); // "item1.EMAIL"
            return;
        }
        const qsizetype segno = testo.indexOf(u'=');
        if (segno < 0) {
            p.tipi |= tipo(testo);
            return;
        }
        const QStringView chiave = testo.left(segno).trimmed();
        QStringView valore = testo.mid(segno + 1);
        if (valore.size() >= 2 && valore.startsWith(u'"') && valore.endsWith(u'"')) valore = valore.mid(1, valore.size() - 2);
        if (uguale(chiave, QLatin1String("TYPE")))
            for (QStringView t : valore.tokenize(u',')) p.tipi |= tipo(t);
        else if (uguale(chiave, QLatin1String("VALUE"))) p.testo = uguale(valore, QLatin1String("text"));
        else if (uguale(chiave, QLatin1String("ENCODING"))) p.datiInclusi = true;
    };
    for (qsizetype i = 0; i < riga.size() && dueP < 0; ++i) {
        const QChar c = riga[i];
        if (c == u'"') virgolette = !virgolette;
        else if (!virgolette && (c == u';' || c == u':')) {
            parametro(riga.mid(da, i - da));
            da = i + 1;
            if (c == u':') dueP = i;
        }
    }
    if (dueP < 0) return false;
    p.nome = nome;
    p.valore = riga.mid(dueP + 1);
    return true;
}

// The components of a compound value (N, ADR) split at semicolons that are not escaped.
QStringList componenti(QStringView valore)
{
    QStringList fuori;
    qsizetype da = 0;
    for (qsizetype i = 0; i < valore.size(); ++i) {
        if (valore[i] == u'\\') ++i;
        else if (valore[i] == u';') {
            fuori << TestoSenzaEscape(valore.mid(da, i - da));
            da = i + 1;
        }
    }
    fuori << TestoSenzaEscape(valore.mid(da));
    return fuori;
}

void leggiRiga(QStringView riga, Vcard4 &scheda)
{
    // Properties whose whole text goes to one slot.
    static const std::pair<QLatin1String, int> testoIntero[] = {
        {QLatin1String("ORG"), 5},   {QLatin1String("TITLE"), 6}, {QLatin1String("UID"), 39},
        {QLatin1String("LABEL"), 38}, {QLatin1String("X-LABEL"), 38}, {QLatin1String("NOTE"), 41},
        {QLatin1String("ROLE"), 42}, {QLatin1String("KEY"), 45},  {QLatin1String("CATEGORIES"), 47}};
    Proprieta p;
    if (!leggiProprieta(riga, p)) return;
    auto &c = scheda.campi;
    const auto primoVuoto = [&c](int da, int ultimo) { // the last slot is overwritten when all are taken
        for (int i = da; i < ultimo; ++i)
            if (c[i].isEmpty()) return i;
        return ultimo;
    };
    const bool casa = p.tipi & Casa;
    const bool lavoro = p.tipi & Lavoro;
    const auto e = [&p](const char *nome) { return uguale(p.nome, QLatin1String(nome)); };
    if (e("N") || e("NAME")) {
        const QStringList parti = componenti(p.valore);
        for (int i = 0; i < 5; ++i) c[i] = parti.value(i);
        return;
    }
    for (const auto &[nome, slot] : testoIntero)
        if (uguale(p.nome, nome)) {
            c[slot] = TestoSenzaEscape(p.valore);
            return;
        }
    if (e("PHOTO")) {
        if (p.datiInclusi || p.valore.startsWith(u"data:", Qt::CaseInsensitive)) return;
        const QString foto = p.valore.toString();
        c[7] = foto.startsWith(u"file:", Qt::CaseInsensitive) ? QUrl(foto).toLocalFile() : foto;
    } else if (e("GEO")) {
        c[46] = p.valore.startsWith(u"geo:", Qt::CaseInsensitive) ? p.valore.mid(4).toString() : p.valore.toString();
    } else if (e("REV") || e("BDAY")) {
        const QString valore = TestoSenzaEscape(p.valore);
        c[e("REV") ? 43 : 44] = p.testo ? valore : valore.section(u'T', 0, 0); // the date without the time
    } else if (e("TEL")) {
        if (!casa && !lavoro) return;
        const QString numero = TestoSenzaEscape(p.valore);
        if (p.tipi & Fax) c[casa ? 10 : 13] = numero;
        else if (p.tipi & Cellulare) c[casa ? primoVuoto(14, 15) : primoVuoto(16, 17)] = numero;
        else c[casa ? primoVuoto(8, 9) : primoVuoto(11, 12)] = numero;
    } else if (e("EMAIL")) {
        if (casa) c[primoVuoto(18, 21)] = TestoSenzaEscape(p.valore);
        else if (lavoro) c[primoVuoto(22, 25)] = TestoSenzaEscape(p.valore);
    } else if (e("URL")) {
        c[casa ? 26 : 27] = p.valore.toString();
    } else if (e("ADR")) {
        const QStringList parti = componenti(p.valore);
        const std::array<int, 4> slot = casa ? std::array{28, 32, 30, 36} : std::array{29, 33, 31, 37};
        for (int k = 0; k < 4; ++k) c[slot[k]] = parti.value(k + 2);
    }
}

// The card's lines unfolded: a line that begins with a blank or a tab continues the previous one.
Vcard4 leggiScheda(QStringView testo)
{
    Vcard4 scheda;
    QString riga;
    for (QStringView fisica : testo.tokenize(u'\n')) {
        if (fisica.endsWith(u'\r')) fisica.chop(1);
        if (!fisica.isEmpty() && (fisica[0] == u' ' || fisica[0] == u'\t') && !riga.isEmpty()) {
            riga += fisica.mid(1);
            continue;
        }
        if (!riga.isEmpty()) leggiRiga(riga, scheda);
        riga = fisica.toString();
    }
    if (!riga.isEmpty()) leggiRiga(riga, scheda);
    return scheda;
}

// Where the END:VCARD after `da` begins: only a line of its own ends a card (blanks after it
// allowed), so a value that holds the text, or a folded line beginning with it, does not.
qsizetype fineDellaScheda(QStringView tutto, qsizetype da)
{
    for (qsizetype at = tutto.indexOf(fineScheda, da, Qt::CaseInsensitive); at >= 0;
         at = tutto.indexOf(fineScheda, at + 1, Qt::CaseInsensitive)) {
        if (at > 0 && tutto[at - 1] != u'\n') continue;
        qsizetype dopo = at + fineScheda.size();
        while (dopo < tutto.size() && (tutto[dopo] == u' ' || tutto[dopo] == u'\t' || tutto[dopo] == u'\r')) ++dopo;
        if (dopo == tutto.size() || tutto[dopo] == u'\n') return at;
    }
    return -1;
}

} // namespace

QString ScriviVCard(const Vcard4 &scheda)
{
    const auto &c = scheda.campi;
    QString testo;
    const auto riga = [&testo](const QString &linea) { testo += RigaContenuto(linea); };
    const auto t = [&c](int i) { return TestoEscape(c[i], false); };
    const auto componente = [&c](int i) { return TestoEscape(c[i], true); };
    const auto proprieta = [&](const char *nome, int i) {
        if (!c[i].isEmpty()) riga(QLatin1String(nome) + t(i));
    };
    const auto indirizzo = [&](const char *nome, int via, int numero, int localita, int regione, int cap) {
        if (!c[via].isEmpty())
            riga(QLatin1String(nome) + componente(via) + QStringLiteral(" N°") + componente(numero) + u';'
                 + componente(localita) + u';' + componente(regione) + u';' + componente(cap) + u';');
    };

    riga(inizioScheda);
    riga(QStringLiteral("VERSION:4.0"));
    QStringList nomi;
    for (int i : {1, 0})
        if (!c[i].isEmpty()) nomi << c[i];
    riga(QStringLiteral("FN:") + TestoEscape(c[5].isEmpty() ? nomi.join(u' ') : c[5], false));
    if (std::any_of(c.begin(), c.begin() + 5, [](const QString &s) { return !s.isEmpty(); }))
        riga(QStringLiteral("N:") + QStringList{componente(0), componente(1), componente(2), componente(3), componente(4)}.join(u';'));
    proprieta("CATEGORIES:", 47);
    if (!c[26].isEmpty()) riga(QStringLiteral("URL;TYPE=HOME:") + uri(c[26]));
    if (!c[27].isEmpty()) riga(QStringLiteral("URL;TYPE=WORK:") + uri(c[27]));
    if (!c[5].isEmpty()) riga(QStringLiteral("ORG:") + componente(5));
    proprieta("TITLE:", 6);
    if (!c[7].isEmpty()) {
        static const QRegularExpression estensione(QStringLiteral("^[A-Za-z0-9]+$"));
        const QString tipo = EstensioneFile(c[7]);
        riga(QStringLiteral("PHOTO") + (estensione.match(tipo).hasMatch() ? QStringLiteral(";MEDIATYPE=image/") + tipo : QString())
             + u':' + indirizzoFoto(c[7]));
    }
    for (int i : {8, 9}) proprieta("TEL;TYPE=HOME,VOICE:", i);
    for (int i : {11, 12}) proprieta("TEL;TYPE=WORK,VOICE:", i);
    proprieta("TEL;TYPE=HOME,FAX:", 10);
    proprieta("TEL;TYPE=WORK,FAX:", 13);
    for (int i : {14, 15}) proprieta("TEL;TYPE=HOME,CELL,VOICE:", i);
    for (int i : {16, 17}) proprieta("TEL;TYPE=WORK,CELL,VOICE:", i);
    for (int i = 18; i <= 21; ++i) proprieta("EMAIL;TYPE=HOME;PREF=1:", i);
    for (int i = 22; i <= 25; ++i) proprieta("EMAIL;TYPE=WORK;PREF=1:", i);
    indirizzo("ADR;TYPE=HOME:;;", 28, 34, 32, 30, 36);
    indirizzo("ADR;TYPE=WORK:;;", 29, 35, 33, 31, 37);
    const QString uid = c[40] + c[39];
    if (!uid.isEmpty()) riga(QStringLiteral("UID;VALUE=text:") + TestoEscape(uid, false));
    proprieta("NOTE:", 41);
    proprieta("ROLE:", 42);
    if (!c[46].isEmpty()) riga(QStringLiteral("GEO:") + (c[46].startsWith(u"geo:", Qt::CaseInsensitive) ? QString() : QStringLiteral("geo:")) + uri(c[46]));
    proprieta("KEY;VALUE=text:", 45);
    if (const QString rev = dataBase(c[43]); !rev.isEmpty()) riga(QStringLiteral("REV:") + rev + QStringLiteral("T000000Z"));
    if (!c[44].isEmpty()) {
        const QString data = dataBase(c[44]);
        riga(data.isEmpty() ? QStringLiteral("BDAY;VALUE=text:") + t(44) : QStringLiteral("BDAY:") + data);
    }
    proprieta("X-LABEL;VALUE=text:", 38);
    riga(fineScheda);
    return testo;
}

QList<Vcard4> LeggiVCard(const QString &percorso)
{
    QList<Vcard4> schede;
    const QString testo = LeggiFileTesto(percorso, false);
    const QStringView tutto(testo);
    qsizetype resto = 0; // where what is left of the file begins
    for (;;) {
        const qsizetype inizio = tutto.mid(resto, limiteScheda + inizioScheda.size() - 1).indexOf(inizioScheda, 0, Qt::CaseInsensitive);
        if (inizio < 0) break;
        const qsizetype dopoInizio = resto + inizio + inizioScheda.size();
        const qsizetype fine = fineDellaScheda(tutto, dopoInizio);
        if (fine < 0) break;
        schede << leggiScheda(tutto.mid(dopoInizio, fine - dopoInizio));
        resto = fine + fineScheda.size();
    }
    return schede;
}

} // namespace common
