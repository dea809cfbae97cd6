#pragma once
// The picture of a purchase document's paper copy: fattura.Immagine holds the full path of a
// picture file the user chose (kept as it is, never copied or converted) or of a scan saved here.
#include <QImage>
#include <QString>

class QWidget;

namespace acquisti {

// The filter of the open and save dialogs of the picture.
QString filtroImmagini();

// One picture from the scanner, through the scanning seam the options use
// (scansione::Scanner): a null picture when there is no scanner or the scan was cancelled or
// failed (then nothing else happens, and nothing is shown).
QImage scansiona(QWidget *finestra);

// Saves a scan under the name chosen in the save dialog and returns the full path written:
// JPEG (quality 90) for a name ending in .jpg or .jpeg, PNG for .png, BMP for .bmp (any case);
// any other name gets ".jpg" added and JPEG data, so the file's contents always match its name.
// Empty, and nothing left behind, when the picture is null or the file cannot be written.
QString salvaScansione(const QImage &immagine, const QString &nome);

// What "Vedi" shows before opening the stored picture: empty when the file is there; otherwise
// "Attenzione manca il percorso dell'immagine" for an empty path, or "Il file: " + path +
// " non esiste più!!!" (both with the caption "Messaggio di errore").
QString avvisoImmagine(const QString &percorso);

} // namespace acquisti
