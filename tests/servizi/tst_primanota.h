#pragma once
#include <QObject>

// The cash book's totals and opening balances, without a window.
class TestServiziPrimaNota : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void totaliEsattiAlCentesimo();
    void importiVuotiEArrotondati_data();
    void importiVuotiEArrotondati();
    void saldiIniziali_data();
    void saldiIniziali();
};
