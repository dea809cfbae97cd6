#pragma once
// The print preview: the report as it will print, with "Stampa", "Salva PDF" and, when the
// request names a landscape template, the switch to it.
#include "Request.h"
#include "Template.h"

#include <QDialog>
#include <QPrinter>
#include <optional>

class QAction;
class QPrintPreviewWidget;

namespace stampa {

class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    PreviewWindow(const Request &request, const Template &portrait, const ReportData &data, const QString &installFolder,
                  QWidget *parent = nullptr);

public Q_SLOTS:
    void print();
    void savePdf();
    void setLandscape(bool landscape);

private Q_SLOTS:
    void paint(QPrinter *printer);

private:
    void fitScreen();
    const Template &current() const { return m_useLandscape ? *m_landscape : m_portrait; }

    Request m_request;
    Template m_portrait;
    std::optional<Template> m_landscape;
    bool m_useLandscape = false;
    ReportData m_data;
    QString m_installFolder;
    QPrinter m_printer{QPrinter::HighResolution};
    QPrintPreviewWidget *m_preview = nullptr;
    QAction *m_landscapeAction = nullptr;
};

} // namespace stampa
