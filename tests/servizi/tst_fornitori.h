#pragma once
#include <QObject>

// The suppliers without windows: duplicate tax identifiers, the name copied into the purchase
// documents, the save as one unit of work, and the vCard exchange of the suppliers.
class TestServiziFornitori : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void duplicati_data();
    void duplicati();
    void propagazioneNome();
    void salvataggioUnaTransazione();
    void categoriaEsatta();
    void vcardEsporta();
    void vcardGiroCompleto();
    void vcardUidNonSiIncrociano();
    void vcardNomiEDomanda();
};
