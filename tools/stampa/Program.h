#pragma once
#include <QString>
#include <QStringList>

namespace stampa {

// The report program: `stampa [database file]`. Without an argument the database is the one
// percorso.txt names beside the program (archivio.db there when it names none). Reads this
// workstation's print request and either shows the preview or, for an export, writes the PDF.
// Returns the exit code: 0 only when the report was shown or the file written. Without a
// display an export still runs; a preview, or a message box, cannot be shown: errors then go
// to stderr only.
int run(const QStringList &arguments, bool display = true);

// Before the application object is built: with no display (no DISPLAY nor WAYLAND_DISPLAY) and
// no platform chosen, the offscreen platform, so that an export never needs a screen. Returns
// whether there is a display.
bool chooseHeadlessPlatform();

// After it is built: the program's names (the user's data folder is the program's) and Qt's
// Italian texts for the standard dialogs (printer, file chooser).
void setupApplication();

// The database the program would open without an argument.
QString defaultDatabase();

} // namespace stampa
