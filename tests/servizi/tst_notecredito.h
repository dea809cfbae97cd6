#pragma once
#include <QObject>

// The sales credit notes' services without a window: the list's filter, the numbering with the
// joint numbering on and off, the delete with everything that depends on the credit note, the
// rows from tariffs and the special rows, the copy of the referenced invoice's rows.
class TestServiziNoteCredito : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void filtro_data();
    void filtro();
    void filtroApplicato();
    void numerazione_data();
    void numerazione();
    void dataPrecedente_data();
    void dataPrecedente();
    void eliminaConTuttoCioCheNeDipende();
    void righeDaTariffeESpeciali();
    void importaRighe();
    void importaRipetuta();
    void importaSenzaRiferimento();
    void importaFatturaSenzaRighe();
};
