#include "Program.h"

#include "Layout.h"
#include "PreviewWindow.h"
#include "Request.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "widgets/Seams.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace stampa {

namespace {

enum class Mode { Unknown, Interactive, Export };

// An export runs unattended (the program waits for it): its messages go to stderr only, as do
// all of them when there is no display to show a box on.
void tell(const QString &message, Mode mode, bool display)
{
    std::fprintf(stderr, "stampa: %s\n", message.toUtf8().constData());
    if (mode != Mode::Export && display) ui::showError(message, QStringLiteral("Stampa"));
}

} // namespace

QString defaultDatabase()
{
    const QDir folder(ui::Workstation::instance().programFolder());
    QFile f(folder.filePath(QStringLiteral("percorso.txt")));
    if (f.open(QIODevice::ReadOnly)) {
        const QString first = QString::fromUtf8(f.readLine()).trimmed();
        if (!first.isEmpty()) return first;
    }
    return folder.filePath(QStringLiteral("archivio.db"));
}

bool chooseHeadlessPlatform()
{
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) return true;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return false;
}

void setupApplication()
{
    QApplication::setApplicationName(QStringLiteral("Pellavantoria"));
    QApplication::setOrganizationName(QStringLiteral("Pellavantoria"));
    ui::caricaTraduzioniItaliane();
}

int run(const QStringList &arguments, bool display)
{
    Mode mode = Mode::Unknown;
    try {
        const QString path = arguments.size() > 1 ? arguments.at(1) : defaultDatabase();
        // Opening would create an empty file: a wrong path must say so instead. A server
        // address (the shared database) is opened as it is.
        if (!db::isServerAddress(path) && !QFileInfo(path).isFile()) throw ReportError(QStringLiteral("Database non trovato: %1").arg(QDir::toNativeSeparators(path)));
        db::Connection conn;
        conn.setNow([] { return ui::Clock::instance().now(); });
        if (!conn.open(path))
            throw ReportError(QStringLiteral("Impossibile aprire il database %1:\n%2").arg(QDir::toNativeSeparators(path), conn.error()));

        const Request request = readRequest(conn, workstationName());
        mode = request.exportMode ? Mode::Export : Mode::Interactive;
        if (request.exportMode) {
            if (request.exportType != ExportPdf)
                throw ReportError(QStringLiteral("Formato di esportazione %1 non disponibile: si può esportare solo in PDF (formato %2).")
                                      .arg(request.exportType)
                                      .arg(ExportPdf));
            if (request.exportFile.isEmpty()) throw ReportError(QStringLiteral("La richiesta di esportazione non indica il file da scrivere."));
        }
        const QString installFolder = ui::Workstation::instance().installFolder();
        const Template t = loadTemplate(findTemplate(request.report, installFolder));
        const ReportData data = fetchData(conn, request);
        checkFields(t, data);

        if (request.exportMode) {
            QString error;
            if (!writePdf(t, data, request.exportFile, &error)) throw ReportError(error);
            return 0;
        }
        if (!display)
            throw ReportError(QStringLiteral("Nessuno schermo disponibile: l'anteprima di stampa non si può mostrare."));
        PreviewWindow preview(request, t, data, installFolder);
        preview.exec();
        return 0;
    } catch (const ReportError &e) {
        tell(e.message(), mode, display);
    } catch (const db::DbError &e) {
        tell(QStringLiteral("Errore del database: %1").arg(e.message()), mode, display);
    }
    return 1;
}

} // namespace stampa
