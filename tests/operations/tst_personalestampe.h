#pragma once
#include <QObject>
#include <memory>

#include "PrintFixture.h"

// The staff's prints: the print menu's six reports and the staff editor's three, each exported
// through the dispatcher and the report program, the PDF read back as text.
class TestPersonaleStampe : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void ogniStampa_data();
    void ogniStampa();
    void paginaVuotaNonStampa();
    void menuPrincipale();

private:
    std::unique_ptr<PrintFixture> f;
};
