#pragma once
#include <QString>
#include <QStringView>

namespace common {

// Content lines as vCard 4.0 (RFC 6350) and iCalendar (RFC 5545) files hold them.

// The line folded for the file: CR LF at its end, and, when it is longer than 75 octets of
// UTF-8, CR LF and a blank before each further piece of at most 74 octets. A character is never
// split across two lines.
QString RigaContenuto(const QString &riga);

// A text value with backslash, comma and line breaks escaped (\\ \, \n); with `puntoEVirgola`
// also the semicolon (\;), as components of vCard compound values and every iCalendar text
// need. A CR LF or a lone CR counts as one line break.
QString TestoEscape(QStringView testo, bool puntoEVirgola);

// The escapes of a text value undone: \\ \, \; and \n or \N; any other backslash stays.
QString TestoSenzaEscape(QStringView testo);

} // namespace common
