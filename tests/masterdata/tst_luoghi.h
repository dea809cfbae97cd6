#pragma once
#include <QObject>

// Towns, provinces and the postcode finder.
class TestLuoghi : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void comuniSeiCaselle();
    void comuneProvinciaDaLaRegione();
    void provinceRicercaPerRegione();
    void trovaCap();
};
