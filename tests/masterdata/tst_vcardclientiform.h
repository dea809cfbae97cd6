#pragma once
#include <QObject>

// The customer list's "Esporta Vcard" and "Importa Vcard" as the user meets them: the messages,
// the file dialogs, the file written, the customers' shared query read again, the cursor.
class TestVCardClientiForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void esportaSenzaSelezione();
    void esportaFile_data();
    void esportaFile();
    void esportaInCartellaMancante();
    void importa();
    void importaAnnullato();
    void importaFileSbagliato_data();
    void importaFileSbagliato();
    void importaErroreNonScriveNulla();
};
