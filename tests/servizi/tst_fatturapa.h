#pragma once
#include <QObject>

// The FatturaPA export of sales invoices and credit notes, without a window: the files of a
// fixture set checked by xmllint with the official schema and by Debian's a38, the refusals,
// the file name, the official stylesheet's rendering.
class TestServiziFatturaPA : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fileValidi();
    void contenuto();
    void rifiuti_data();
    void rifiuti();
    void nomeFile_data();
    void nomeFile();
    void cartellaNonScrivibile();
    void foglioDiStile();
    void coerenza();
    void clienteControlli_data();
    void clienteControlli();
    void codiciVersione123();
    void esportaTutti();
};
