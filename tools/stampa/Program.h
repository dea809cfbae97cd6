#pragma once
#include <QString>
#include <QStringList>

namespace stampa {

// The report program: `stampa [database file]`. Without an argument the database is the one
// percorso.txt names beside the program (archivio.db there when it names none). Reads this
// workstation's print request and either shows the preview or, for an export, writes the PDF.
// Returns the exit code: 0 only when the report was shown or the file written.
int run(const QStringList &arguments);

// The database the program would open without an argument.
QString defaultDatabase();

} // namespace stampa
