#pragma once
// The company logo as the program keeps it: the bytes of a BMP picture in ditta.Logo, whatever
// the format it came from (the report program reads any picture Qt reads).
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace logo {

// What loading a file gave: the BMP bytes, nothing (a kind of file the logo does not take),
// or an error message (a file that cannot be read as the picture its extension names).
struct Caricato {
    QByteArray bmp;
    QString errore;
};

// Loads a PNG, JPEG (.jpg or .jpeg, any case) or BMP file; other extensions load nothing.
Caricato daFile(const QString &file);

// The picture as the BMP bytes the column holds (empty for a null picture).
QByteArray comeBmp(const QImage &immagine);

// Writes the logo to `file`: a JPEG when the name's last three letters are "jpg" (any case),
// otherwise a BMP whatever the extension. Empty on success, else the message to show.
QString salva(const QByteArray &logo, const QString &file);

// The size of a picture fitted into a box keeping its proportions (each side truncated).
QSize adatta(QSize immagine, QSize riquadro);

} // namespace logo
