#pragma once
#include <QObject>

// The invoicing series' editor and the two choosers of a new document's series.
class TestSerieFatturazione : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void sceltaScriveLaSerie_data();
    void sceltaScriveLaSerie();
    void sceltaSenzaSerie_data();
    void sceltaSenzaSerie();
    void serieAggiuntaDallaScelta();
    void salvaRichiedeLaSerie();
    void serieUgualiEApostrofo();
    void eliminazione_data();
    void eliminazione();
    void indietroNonSalva();
};
