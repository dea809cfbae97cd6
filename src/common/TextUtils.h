#pragma once
#include <QChar>
#include <QString>

namespace common {

// True for a well-formed Italian VAT number: eleven digits 0-9 with a matching check digit.
bool ControllaPartitaIva(const QString &partitaIva);

// Every occurrence of `cerca` (case-sensitive) replaced, scanning on after each replacement;
// "" when the text or `cerca` is empty.
QString SostituisciTesto(const QString &testo, const QString &cerca, const QString &sostituto);

// Field texts: fields separated by one character, a trailing separator optional ("a;b" and
// "a;b;" both hold two fields), two adjacent separators enclose an empty field.
// Field `numero` counted from 1, or "" when there is none.
QString EstraiCampo(const QString &testo, int numero, QChar separatore);
// The number of fields; 0 for an empty text.
int ContaCampi(const QString &testo, QChar separatore);

// What follows the last point ("" without a point).
QString EstensioneFile(const QString &nomeFile);

// The text between the first `inizio` and the next `fine` (markers found in any case), and
// `sorgente` cut to what follows `fine`. With `limite` above 0, `inizio` must begin within the
// first `limite` characters. "" and `sorgente` unchanged when the markers are not there.
QString TestoTraMarcatori(const QString &inizio, const QString &fine, QString &sorgente, int limite);

// The vCard and iCalendar files: text files in UTF-8 without byte-order mark. The reader also
// takes lines written one byte per character (a line that is not valid UTF-8 is read as
// Latin-1; the others of the same file stay UTF-8) and reads a
// CR LF line break as LF. With `senzaACapo` every line feed and carriage return is removed.
// Reading a missing file gives ""; a file that cannot be read or written throws
// std::runtime_error. ScriviFileTesto replaces an existing file and returns true.
QString LeggiFileTesto(const QString &percorso, bool senzaACapo);
bool ScriviFileTesto(const QString &percorso, const QString &testo, bool senzaACapo);

// The folder path ending with its separator: the first "\" or "/" of the path decides which;
// an empty path or one with neither is returned unchanged.
QString AggiungiSeparatore(const QString &cartella);

// Keep the vCard and iCalendar value separators out of values.
QString SostituisciPuntoEVirgola(const QString &testo); // ";" -> ","
QString TogliSeparatoriVCard(const QString &testo);     // ";" and "," removed

// Texts of the electronic invoice.
// An amount with a point and at least two decimals (15 significant digits: 0.1 + 0.2 gives
// "0.30"), cut to `lunghezzaMassima` without a trailing point; 0 gives "0.00". The text is
// always written with a point, whatever the workstation's `separatoreDecimale`.
QString ImportoTesto(double importo, int lunghezzaMassima, QChar separatoreDecimale);
// The integer's digits cut to `lunghezzaMassima`; 0 gives "0".
QString InteroTesto(int valore, int lunghezzaMassima);
// The first `lunghezza` characters.
QString TroncaTesto(const QString &testo, int lunghezza);
// What the FatturaPA schema accepts (Latin-1): printable ASCII, the Latin-1 letters and symbols
// (160-255), CR and LF; control characters and anything outside Latin-1 are dropped, and so is
// a "4" or "b" that follows a character of code 1.
QString PulisciTesto(const QString &testo);
// A postal code of fewer than five characters left-padded with zeros.
QString CapCinqueCifre(const QString &cap);

} // namespace common
