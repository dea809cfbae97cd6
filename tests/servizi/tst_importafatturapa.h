#pragma once
#include <QObject>

// Suppliers' FatturaPA files without windows: every reference file read and compared with an
// independent reading, the forms real files come in, hostile files refused with nothing
// written, the supplier and addressee, the booking in one transaction, a second import, and a
// sales invoice of the program read back as a supplier's file.
class TestServiziImportaFatturaPA : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fileDiRiferimento_data();
    void fileDiRiferimento();
    void formeReali_data();
    void formeReali();
    void bustaFirmataConAccenti();
    void fileOstili_data();
    void fileOstili();
    void ostiliNonScrivono();
    void registrazione_data();
    void registrazione();
    void secondaImportazione();
    void destinatario_data();
    void destinatario();
    void fornitore_data();
    void fornitore();
    void generi_data();
    void generi();
    void scontiECodici();
    void notaDiCredito();
    void giroCompleto();
    void dueImportazioniInsieme();
};
