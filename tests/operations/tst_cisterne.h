#pragma once
#include <QObject>

// The tank list, the tank editor with its loads and the load editor, driven as the clerk does.
class TestCisterne : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void giacenza_data();
    void giacenza();
    void nuovaCisternaENuovoCarico();
    void caricoCambiatoAltrove();
    void annullaNuovaCisterna();
    void descrizioneVuota();
    void eliminaCisterna();
    void fatturaNonVisualizzabile();
    void stampaCisterne();
};
