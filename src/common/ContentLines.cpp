#include "ContentLines.h"

namespace common {

namespace {

const int ottettiPerRiga = 75;

int ottettiUtf8(char32_t codice)
{
    if (codice < 0x80) return 1;
    if (codice < 0x800) return 2;
    if (codice < 0x10000) return 3;
    return 4;
}

} // namespace

QString RigaContenuto(const QString &riga)
{
    if (riga.size() * 3 <= ottettiPerRiga) return riga + QLatin1String("\r\n"); // no UTF-16 unit takes more than 3 octets
    QString piegata;
    piegata.reserve(riga.size() + riga.size() / 24 + 2);
    int ottetti = 0;
    qsizetype pezzo = 0; // where the current physical line begins
    for (qsizetype i = 0; i < riga.size();) {
        // A surrogate pair is one character of four octets; a lone surrogate counts as the most the
        // encoder may write for it.
        const bool coppia = riga[i].isHighSurrogate() && i + 1 < riga.size() && riga[i + 1].isLowSurrogate();
        const int lunghezza = coppia ? 4 : riga[i].isSurrogate() ? 3 : ottettiUtf8(riga[i].unicode());
        if (ottetti + lunghezza > ottettiPerRiga) {
            piegata += QStringView(riga).mid(pezzo, i - pezzo);
            piegata += QLatin1String("\r\n ");
            pezzo = i;
            ottetti = 1;
        }
        ottetti += lunghezza;
        i += coppia ? 2 : 1;
    }
    piegata += QStringView(riga).mid(pezzo);
    piegata += QLatin1String("\r\n");
    return piegata;
}

QString TestoEscape(QStringView testo, bool puntoEVirgola)
{
    QString fuori;
    fuori.reserve(testo.size() + 8);
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo[i];
        if (c == u'\\') fuori += QLatin1String("\\\\");
        else if (c == u',') fuori += QLatin1String("\\,");
        else if (c == u';' && puntoEVirgola) fuori += QLatin1String("\\;");
        else if (c == u'\n') fuori += QLatin1String("\\n");
        else if (c == u'\r') {
            fuori += QLatin1String("\\n");
            if (i + 1 < testo.size() && testo[i + 1] == u'\n') ++i;
        } else fuori += c;
    }
    return fuori;
}

QString TestoSenzaEscape(QStringView testo)
{
    if (!testo.contains(u'\\')) return testo.toString();
    QString fuori;
    fuori.reserve(testo.size());
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo[i];
        if (c != u'\\' || i + 1 == testo.size()) {
            fuori += c;
            continue;
        }
        const QChar dopo = testo[++i];
        if (dopo == u'n' || dopo == u'N') fuori += u'\n';
        else if (dopo == u'\\' || dopo == u',' || dopo == u';') fuori += dopo;
        else {
            fuori += c;
            fuori += dopo;
        }
    }
    return fuori;
}

} // namespace common
