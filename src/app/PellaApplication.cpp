#include "PellaApplication.h"

#include "db/DbError.h"
#include "widgets/Seams.h"

PellaApplication::PellaApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Pellavantoria"));
    setOrganizationName(QStringLiteral("Pellavantoria"));
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
