#pragma once
#include <QObject>

// Rows that follow their document, and the document editor frame, on a small editor over the
// invoices (fattura), their rows (fattdett) and instalments (FatturaScadenze).
class TestDocumento : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void righeSeguonoLaTestata();
    void paginaRaggiuntaSoloDopoIlSalvataggio();
    void controlliInOrdine_data();
    void controlliInOrdine();
    void salvataggioSenzaControlli();
    void totaliDalleRighe();
};
