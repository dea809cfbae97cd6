#pragma once
#include <QObject>

// The payment of several instalments at once without windows: the open instalments of a party,
// the workstation's selection, and one payment written whole or not at all.
class TestServiziPagamentoScadenze : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scadenzeAperte();
    void pagaDueDiTre_data();
    void pagaDueDiTre();
    void rigaEsistenteRiscritta();
    void dataNonValida();
    void fallimentoNonScriveNulla();
    void duePostazioni();
};
