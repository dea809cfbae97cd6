#pragma once
#include <QObject>

// The main window's two ways into the cash book: this year's rows, and the history tab's range.
class TestCassaStorico : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void primaNotaDellAnno();
    void storico_data();
    void storico();
};
