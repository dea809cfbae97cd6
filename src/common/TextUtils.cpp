#include "TextUtils.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <stdexcept>

namespace common {

namespace {

bool cifra(QChar c) { return c >= u'0' && c <= u'9'; } // ASCII only: other scripts' digits are not a VAT number

void togliACapo(QString &testo)
{
    testo.remove(u'\n');
    testo.remove(u'\r');
}

// Each CR LF becomes LF, in one pass over the text (QString::replace moves the rest of the text
// at each one, which takes seconds on a file of many cards).
void soloLineFeed(QString &testo)
{
    QChar *c = testo.data();
    const qsizetype n = testo.size();
    qsizetype scritti = 0;
    for (qsizetype i = 0; i < n; ++i)
        if (c[i] != u'\r' || i + 1 == n || c[i + 1] != u'\n') c[scritti++] = c[i];
    testo.truncate(scritti);
}

[[noreturn]] void erroreFile(const QString &azione, const QString &percorso, const QString &motivo)
{
    throw std::runtime_error(QStringLiteral("Impossibile %1 il file %2: %3").arg(azione, percorso, motivo).toStdString());
}

} // namespace

bool ControllaPartitaIva(const QString &partitaIva)
{
    if (partitaIva.size() != 11) return false;
    int somma = 0;
    for (int i = 0; i < 11; ++i) {
        if (!cifra(partitaIva[i])) return false;
        int c = partitaIva[i].unicode() - u'0';
        if (i == 10) return (10 - somma % 10) % 10 == c;
        if (i % 2 == 1) { // the even positions counting from 1
            c *= 2;
            if (c > 9) c -= 9;
        }
        somma += c;
    }
    return false;
}

QString SostituisciTesto(const QString &testo, const QString &cerca, const QString &sostituto)
{
    if (testo.isEmpty() || cerca.isEmpty()) return QString();
    return QString(testo).replace(cerca, sostituto, Qt::CaseSensitive);
}

QString EstraiCampo(const QString &testo, int numero, QChar separatore)
{
    if (testo.isEmpty() || numero < 1) return QString();
    qsizetype inizio = 0;
    for (int i = 1; inizio < testo.size(); ++i) {
        qsizetype fine = testo.indexOf(separatore, inizio);
        if (fine < 0) fine = testo.size(); // the last field needs no separator
        if (i == numero) return testo.mid(inizio, fine - inizio);
        inizio = fine + 1;
    }
    return QString();
}

int ContaCampi(const QString &testo, QChar separatore)
{
    if (testo.isEmpty()) return 0;
    return int(testo.count(separatore)) + (testo.endsWith(separatore) ? 0 : 1);
}

QString EstensioneFile(const QString &nomeFile)
{
    const qsizetype punto = nomeFile.lastIndexOf(u'.');
    return punto < 0 ? QString() : nomeFile.mid(punto + 1);
}

QString TestoTraMarcatori(const QString &inizio, const QString &fine, QString &sorgente, int limite)
{
    const qsizetype p = sorgente.indexOf(inizio, 0, Qt::CaseInsensitive);
    if (p < 0 || (limite > 0 && p >= limite)) return QString();
    const qsizetype dopoInizio = p + inizio.size();
    const qsizetype q = sorgente.indexOf(fine, dopoInizio, Qt::CaseInsensitive);
    if (q < 0) return QString();
    const QString trovato = sorgente.mid(dopoInizio, q - dopoInizio);
    sorgente = sorgente.mid(q + fine.size());
    return trovato;
}

QString LeggiFileTesto(const QString &percorso, bool senzaACapo)
{
    QFile file(percorso);
    if (!file.exists()) return QString();
    if (!file.open(QIODevice::ReadOnly)) erroreFile(QStringLiteral("leggere"), percorso, file.errorString());
    const QByteArray dati = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString testo = utf8(dati);
    if (utf8.hasError()) {
        // Lines written one byte per character among UTF-8 ones (a file put together from two
        // sources): each line is read as UTF-8 when it is, else as Latin-1.
        testo.clear();
        testo.reserve(dati.size());
        for (qsizetype da = 0; da <= dati.size();) {
            qsizetype a = dati.indexOf('\n', da);
            if (a < 0) a = dati.size();
            const QByteArrayView riga = QByteArrayView(dati).sliced(da, a - da);
            // Stateless: a line that ends inside a character is an error, not a character left pending.
            QStringDecoder lineaUtf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
            const QString t = lineaUtf8(riga);
            testo += lineaUtf8.hasError() ? QString::fromLatin1(riga) : t;
            if (a < dati.size()) testo += u'\n';
            da = a + 1;
        }
    }
    soloLineFeed(testo);
    if (senzaACapo) togliACapo(testo);
    return testo;
}

bool ScriviFileTesto(const QString &percorso, const QString &testo, bool senzaACapo)
{
    QString daScrivere = testo;
    if (senzaACapo) togliACapo(daScrivere);
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly) || file.write(daScrivere.toUtf8()) < 0 || !file.commit())
        erroreFile(QStringLiteral("scrivere"), percorso, file.errorString());
    return true;
}

QString AggiungiSeparatore(const QString &cartella)
{
    if (cartella.endsWith(u'\\') || cartella.endsWith(u'/')) return cartella;
    for (QChar c : cartella)
        if (c == u'\\' || c == u'/') return cartella + c;
    return cartella;
}

QString SostituisciPuntoEVirgola(const QString &testo) { return QString(testo).replace(u';', u','); }

QString TogliSeparatoriVCard(const QString &testo) { return QString(testo).remove(u';').remove(u','); }

QString ImportoTesto(double importo, int lunghezzaMassima, QChar separatoreDecimale)
{
    if (importo == 0) return QStringLiteral("0.00");
    QString testo = QString::number(importo, 'g', 15);
    const qsizetype punto = testo.indexOf(u'.');
    if (punto < 0) testo += QLatin1String(".00");
    else if (punto == testo.size() - 2) testo += u'0';
    if (testo.size() > lunghezzaMassima) {
        testo.truncate(qMax(0, lunghezzaMassima));
        if (testo.endsWith(u'.')) testo.chop(1);
    }
    return testo;
}

QString InteroTesto(int valore, int lunghezzaMassima)
{
    if (valore == 0) return QStringLiteral("0");
    return TroncaTesto(QString::number(valore), lunghezzaMassima);
}

QString TroncaTesto(const QString &testo, int lunghezza) { return lunghezza > 0 ? testo.left(lunghezza) : QString(); }

QString PulisciTesto(const QString &testo)
{
    QString pulito;
    pulito.reserve(testo.size());
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const char16_t c = testo[i].unicode();
        if (c == 1 && i + 1 < testo.size() && (testo[i + 1] == u'4' || testo[i + 1] == u'b')) {
            ++i;
            continue;
        }
        if ((c >= 32 && c <= 126) || (c >= 160 && c <= 255) || c == u'\r' || c == u'\n') pulito += QChar(c);
    }
    return pulito;
}

QString CapCinqueCifre(const QString &cap) { return cap.rightJustified(5, u'0'); }

} // namespace common
