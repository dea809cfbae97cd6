#include "Logo.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSaveFile>

namespace logo {

Caricato daFile(const QString &file)
{
    QString estensione = QFileInfo(file).suffix().toLower();
    if (estensione == QLatin1String("jpeg")) estensione = QStringLiteral("jpg");
    const char *formato = estensione == QLatin1String("bmp")   ? "BMP"
                          : estensione == QLatin1String("jpg") ? "JPEG"
                          : estensione == QLatin1String("png") ? "PNG"
                                                               : nullptr;
    if (!formato) return {};
    QImageReader lettore(file, formato);
    const QImage immagine = lettore.read();
    if (immagine.isNull())
        return {QByteArray(), QStringLiteral("Impossibile leggere l'immagine %1:\n%2").arg(file, lettore.errorString())};
    return {comeBmp(immagine), QString()};
}

QByteArray comeBmp(const QImage &immagine)
{
    if (immagine.isNull()) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // A BMP has no transparency: transparent parts of a PNG become white, as on paper.
    QImage piatta(immagine.size(), QImage::Format_RGB32);
    piatta.fill(Qt::white);
    {
        QPainter p(&piatta);
        p.drawImage(0, 0, immagine);
    }
    piatta.save(&buffer, "BMP");
    return bytes;
}

QString salva(const QByteArray &logo, const QString &file)
{
    QImage immagine;
    if (!immagine.loadFromData(logo)) return QStringLiteral("Il logo in archivio non è un'immagine leggibile.");
    const bool jpeg = file.right(3).toLower() == QLatin1String("jpg");
    QSaveFile uscita(file);
    if (!uscita.open(QIODevice::WriteOnly) || !immagine.save(&uscita, jpeg ? "JPEG" : "BMP") || !uscita.commit())
        return QStringLiteral("Impossibile salvare l'immagine %1:\n%2").arg(file, uscita.errorString());
    return {};
}

QSize adatta(QSize immagine, QSize riquadro)
{
    const double pw = immagine.width(), ph = immagine.height();
    const double W = riquadro.width(), H = riquadro.height();
    if (pw <= 0 || ph <= 0) return {};
    if (ph / pw < H / W) return {int(W), int(W * ph / pw)};
    return {int(H * pw / ph), int(H)};
}

} // namespace logo
