#pragma once
// The one layout engine of every report: it places a template's boxes, tables and labels on
// pages as a list of items (text, lines, rectangles, the logo), measured with the fonts of
// the device that will print them; painting the items is then trivial, and the page count
// is known before the first page is painted ("Pagina 1 di 3").
#include "Request.h"
#include "Template.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <vector>

class QPagedPaintDevice;

namespace stampa {

struct PageItem {
    enum Kind { Text, Line, Rect, Image } kind = Text;
    QRectF rect; // a line goes from topLeft to bottomRight
    QString text;
    QFont font;
    int align = Qt::AlignLeft; // horizontal
    QColor color = Qt::black;
    QColor fill; // of a rectangle; invalid: none
    double pen = 0;
    QImage image;
};

struct Page {
    std::vector<PageItem> items;
};

// Sets A4, the template's orientation and the margins on a printer or PDF writer.
void setupDevice(QPagedPaintDevice *device, const Template &t);

// Throws ReportError when the template prints a field that its query does not give.
void checkFields(const Template &t, const ReportData &data);

// Checks the fields, then lays the report out. Throws ReportError.
std::vector<Page> layoutReport(const Template &t, const ReportData &data, QPagedPaintDevice *device);
void paintPages(const std::vector<Page> &pages, QPagedPaintDevice *device);

// The title with the first row's values ("Fattura n. 12 del 15/03/2026"), or the file name.
QString reportTitle(const Template &t, const ReportData &data);

// Lays out and writes the PDF; the file appears only when it was written whole.
bool writePdf(const Template &t, const ReportData &data, const QString &path, QString *error);

} // namespace stampa
