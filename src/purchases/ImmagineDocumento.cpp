#include "ImmagineDocumento.h"

#include "settings/Scanner.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace acquisti {

QString filtroImmagini()
{
    return QStringLiteral("Tutti i tipi di immagini (*.png *.gif *.jpg *.jpeg *.bmp *.ico *.emf *.wmf *.pdf);;"
                          "Portable Network Graphics (*.png);;GIF Image (*.gif);;JPEG Image File (*.jpg);;"
                          "JPEG Image File (*.jpeg);;Bitmaps (*.bmp);;Icons (*.ico);;Enhanced Metafiles (*.emf);;"
                          "Metafiles (*.wmf);;Portable Document Format (*.pdf)");
}

QImage scansiona(QWidget *finestra)
{
    scansione::Scanner &scanner = scansione::Scanner::instance();
    if (!scanner.CaricaGestore()) return {};
    return scanner.AcquisisciImmagine(finestra);
}

QString salvaScansione(const QImage &immagine, const QString &nome)
{
    if (immagine.isNull() || nome.trimmed().isEmpty()) return {};
    QString percorso = nome;
    const QString estensione = QFileInfo(nome).suffix().toLower();
    const char *formato = "JPG";
    if (estensione == QLatin1String("png"))
        formato = "PNG";
    else if (estensione == QLatin1String("bmp"))
        formato = "BMP";
    else if (estensione != QLatin1String("jpg") && estensione != QLatin1String("jpeg"))
        percorso += QStringLiteral(".jpg");
    percorso = QFileInfo(percorso).absoluteFilePath();
    // Written whole or not at all: a failed write never leaves half a picture under the name.
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly)) return {};
    if (!immagine.save(&file, formato, qstrcmp(formato, "JPG") == 0 ? 90 : -1) || !file.commit()) return {};
    return percorso;
}

QString avvisoImmagine(const QString &percorso)
{
    if (percorso.isEmpty()) return QStringLiteral("Attenzione manca il percorso dell'immagine");
    if (!QFile::exists(percorso)) return QStringLiteral("Il file: ") + percorso + QStringLiteral(" non esiste più!!!");
    return {};
}

} // namespace acquisti
