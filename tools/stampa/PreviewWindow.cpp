#include "PreviewWindow.h"

#include "Layout.h"
#include "widgets/Seams.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

namespace stampa {

namespace {
const QString Caption = QStringLiteral("Stampa");
}

PreviewWindow::PreviewWindow(const Request &request, const Template &portrait, const ReportData &data,
                             const QString &installFolder, QWidget *parent)
    : QDialog(parent), m_request(request), m_portrait(portrait), m_data(data), m_installFolder(installFolder)
{
    setWindowTitle(QStringLiteral("Anteprima di stampa - ") + reportTitle(m_portrait, m_data));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    fitScreen();

    setupDevice(&m_printer, m_portrait);
    m_preview = new QPrintPreviewWidget(&m_printer, this);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, &PreviewWindow::paint);

    auto *bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addAction(QStringLiteral("Stampa"), this, &PreviewWindow::print);
    bar->addAction(QStringLiteral("Salva PDF"), this, &PreviewWindow::savePdf);
    bar->addSeparator();
    // Labels and a few others name the same file twice: nothing to switch to.
    const bool hasLandscape = !m_request.reportLandscape.isEmpty()
                           && QFileInfo(m_request.reportLandscape).fileName().compare(QFileInfo(m_request.report).fileName(),
                                                                                      Qt::CaseInsensitive) != 0;
    if (hasLandscape) {
        m_landscapeAction = bar->addAction(QStringLiteral("Orizzontale"));
        m_landscapeAction->setCheckable(true);
        connect(m_landscapeAction, &QAction::toggled, this, &PreviewWindow::setLandscape);
        bar->addSeparator();
    }
    bar->addAction(QStringLiteral("Zoom +"), m_preview, [this] { m_preview->zoomIn(); });
    bar->addAction(QStringLiteral("Zoom -"), m_preview, [this] { m_preview->zoomOut(); });
    bar->addAction(QStringLiteral("Larghezza pagina"), m_preview, &QPrintPreviewWidget::fitToWidth);
    bar->addAction(QStringLiteral("Pagina intera"), m_preview, &QPrintPreviewWidget::fitInView);
    bar->addSeparator();
    bar->addAction(QStringLiteral("Chiudi"), this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_preview, 1);
    m_preview->fitToWidth();
}

// A page's width at a readable size, but never more than the screen it opens on, with room for
// the window's frame and title bar (a 1366x768 laptop, a panel at the bottom).
void PreviewWindow::fitScreen()
{
    const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) {
        resize(1000, 860);
        return;
    }
    const QRect area = s->availableGeometry();
    const QSize frame(16, 48);
    resize(QSize(1000, 860).boundedTo(area.size() - frame));
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height() - frame.height()) / 2);
}

void PreviewWindow::paint(QPrinter *printer)
{
    try {
        paintPages(layoutReport(current(), m_data, printer), printer);
    } catch (const ReportError &e) {
        ui::showError(e.message(), Caption, this);
    }
}

void PreviewWindow::setLandscape(bool landscape)
{
    if (landscape && !m_landscape) {
        try {
            Template t = loadTemplate(findTemplate(m_request.reportLandscape, m_installFolder));
            checkFields(t, m_data);
            m_landscape = t;
        } catch (const ReportError &e) {
            ui::showError(e.message(), Caption, this);
            const QSignalBlocker block(m_landscapeAction);
            m_landscapeAction->setChecked(false);
            return;
        }
    }
    m_useLandscape = landscape;
    setupDevice(&m_printer, current());
    m_preview->updatePreview();
}

void PreviewWindow::print()
{
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        ui::showError(QStringLiteral("Nessuna stampante installata: il report si può salvare in PDF."), Caption, this);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(reportTitle(current(), m_data));
    setupDevice(&printer, current());
    if (m_request.setup) {
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(QStringLiteral("Stampa"));
        if (dialog.exec() != QDialog::Accepted) return;
    }
    try {
        paintPages(layoutReport(current(), m_data, &printer), &printer);
    } catch (const ReportError &e) {
        ui::showError(e.message(), Caption, this);
    }
}

void PreviewWindow::savePdf()
{
    QString name = reportTitle(current(), m_data);
    name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("-"));
    QString path = ui::Dialogs::instance().saveFile(this, QStringLiteral("Salva PDF"), QDir::home().filePath(name + QStringLiteral(".pdf")),
                                                    QStringLiteral("Documenti PDF (*.pdf)"));
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
    QString error;
    if (!writePdf(current(), m_data, path, &error)) ui::showError(error, Caption, this);
}

} // namespace stampa
