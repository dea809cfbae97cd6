#include "PellaApplication.h"

#include "db/DbError.h"
#include "widgets/Seams.h"

#include <QFileInfo>
#include <QIcon>

PellaApplication::PellaApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Pellavantoria"));
    setOrganizationName(QStringLiteral("Pellavantoria"));
    ui::installaTastoGuida();
    ui::installaPostazioneReale();
    // Outside a desktop session Qt knows no icon theme: take the common one when it is there.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor")) {
        for (const QString &dir : QIcon::themeSearchPaths())
            if (QFileInfo::exists(dir + QStringLiteral("/Adwaita/index.theme"))) {
                QIcon::setThemeName(QStringLiteral("Adwaita"));
                break;
            }
    }
}

bool PellaApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const db::DbError &e) {
        ui::showError(e.message(), QStringLiteral("Messaggio di errore"));
    } catch (const std::exception &e) {
        ui::showError(QString::fromLocal8Bit(e.what()), QStringLiteral("Messaggio di errore"));
    }
    return false;
}
