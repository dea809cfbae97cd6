#include "VCard.h"
#include "ContentLines.h"
#include "TextUtils.h"

#include <QDate>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
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

// One unfolded content line taken apart.
struct Proprieta {
    QString nome;       // upper case, without its group
    QSet<QString> tipi; // TYPE values and bare parameters of the older forms, upper case
    bool testo = false; // VALUE=text
    bool datiInclusi = false; // ENCODING=..., data inside the card
    QStringView valore; // as written, escapes included
};

// Positions of `separatore` outside double quotes, up to the first `fine` outside them.
QList<qsizetype> separatori(QStringView testo, QChar separatore, QChar fine, qsizetype &posFine)
{
    QList<qsizetype> trovati;
    bool virgolette = false;
    posFine = -1;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo[i];
        if (c == u'"') virgolette = !virgolette;
        else if (!virgolette && c == fine) {
            posFine = i;
            break;
        } else if (!virgolette && c == separatore) trovati << i;
    }
    return trovati;
}

bool leggiProprieta(QStringView riga, Proprieta &p)
{
    qsizetype dueP = -1;
    const QList<qsizetype> puntiEVirgola = separatori(riga, u';', u':', dueP);
    if (dueP < 0) return false;
    p.valore = riga.mid(dueP + 1);
    QStringView nome = riga.left(puntiEVirgola.isEmpty() ? dueP : puntiEVirgola.first());
    nome = nome.mid(nome.indexOf(u'.') + 1); // "item1.EMAIL"
    p.nome = nome.toString().toUpper();
    for (qsizetype k = 0; k < puntiEVirgola.size(); ++k) {
        const qsizetype da = puntiEVirgola[k] + 1;
        const QStringView parametro = riga.mid(da, (k + 1 < puntiEVirgola.size() ? puntiEVirgola[k + 1] : dueP) - da);
        const qsizetype uguale = parametro.indexOf(u'=');
        if (uguale < 0) {
            p.tipi.insert(parametro.toString().toUpper()); // TEL;HOME;VOICE
            continue;
        }
        const QString chiave = parametro.left(uguale).trimmed().toString().toUpper();
        const QString valore = parametro.mid(uguale + 1).toString().remove(u'"').toUpper();
        if (chiave == u"TYPE")
            for (const QString &tipo : valore.split(u',', Qt::SkipEmptyParts)) p.tipi.insert(tipo.trimmed());
        else if (chiave == u"VALUE") p.testo = valore == u"TEXT";
        else if (chiave == u"ENCODING") p.datiInclusi = true;
    }
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
    static const QHash<QString, int> testoIntero = {
        {QStringLiteral("ORG"), 5},         {QStringLiteral("TITLE"), 6},   {QStringLiteral("UID"), 39},
        {QStringLiteral("LABEL"), 38},      {QStringLiteral("X-LABEL"), 38}, {QStringLiteral("NOTE"), 41},
        {QStringLiteral("ROLE"), 42},       {QStringLiteral("KEY"), 45},    {QStringLiteral("CATEGORIES"), 47}};
    Proprieta p;
    if (!leggiProprieta(riga, p)) return;
    auto &c = scheda.campi;
    const auto primoVuoto = [&c](int da, int ultimo) { // the last slot is overwritten when all are taken
        for (int i = da; i < ultimo; ++i)
            if (c[i].isEmpty()) return i;
        return ultimo;
    };
    const bool casa = p.tipi.contains(QStringLiteral("HOME"));
    const bool lavoro = p.tipi.contains(QStringLiteral("WORK"));
    const QString &nome = p.nome;
    if (nome == u"N" || nome == u"NAME") {
        const QStringList parti = componenti(p.valore);
        for (int i = 0; i < 5; ++i) c[i] = parti.value(i);
    } else if (const auto it = testoIntero.constFind(nome); it != testoIntero.cend()) {
        c[it.value()] = TestoSenzaEscape(p.valore);
    } else if (nome == u"PHOTO") {
        if (p.datiInclusi || p.valore.startsWith(u"data:", Qt::CaseInsensitive)) return;
        const QString foto = p.valore.toString();
        c[7] = foto.startsWith(u"file:", Qt::CaseInsensitive) ? QUrl(foto).toLocalFile() : foto;
    } else if (nome == u"GEO") {
        c[46] = p.valore.startsWith(u"geo:", Qt::CaseInsensitive) ? p.valore.mid(4).toString() : p.valore.toString();
    } else if (nome == u"REV" || nome == u"BDAY") {
        const QString valore = TestoSenzaEscape(p.valore);
        c[nome == u"REV" ? 43 : 44] = p.testo ? valore : valore.section(u'T', 0, 0); // the date without the time
    } else if (nome == u"TEL") {
        if (!casa && !lavoro) return;
        const QString numero = TestoSenzaEscape(p.valore);
        if (p.tipi.contains(QStringLiteral("FAX"))) c[casa ? 10 : 13] = numero;
        else if (p.tipi.contains(QStringLiteral("CELL"))) c[casa ? primoVuoto(14, 15) : primoVuoto(16, 17)] = numero;
        else c[casa ? primoVuoto(8, 9) : primoVuoto(11, 12)] = numero;
    } else if (nome == u"EMAIL") {
        if (casa) c[primoVuoto(18, 21)] = TestoSenzaEscape(p.valore);
        else if (lavoro) c[primoVuoto(22, 25)] = TestoSenzaEscape(p.valore);
    } else if (nome == u"URL") {
        c[casa ? 26 : 27] = p.valore.toString();
    } else if (nome == u"ADR") {
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
        const qsizetype fine = tutto.indexOf(fineScheda, dopoInizio, Qt::CaseInsensitive);
        if (fine < 0) break;
        schede << leggiScheda(tutto.mid(dopoInizio, fine - dopoInizio));
        resto = fine + fineScheda.size();
    }
    return schede;
}

} // namespace common
