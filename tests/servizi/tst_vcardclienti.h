#pragma once
#include <QObject>

// The customers' vCard export and import without windows: the file written and read back, the
// option for a customer already there, the matching by UID and by names, the columns written,
// and an import that fails half way writing nothing.
class TestServiziVCardClienti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void esporta();
    void giroCompleto();
    void azione_data();
    void azione();
    void uid_data();
    void uid();
    void nomi();
    void comuneECategoria();
    void slotVuoti();
    void fileSenzaSchede();
    void erroreAMetaNonScriveNulla();
    void domandePrimaDiScrivere();
    void moltiClientiUnaVolta();
};
