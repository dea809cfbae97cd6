#pragma once
#include <QObject>

// Grid layouts stored per workstation in table griglie.
class TestGridLayouts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void loadsStoredLayout_data();
    void loadsStoredLayout();
    void resetBringsDefaultBack();
    void savesPerWorkstation();
    void gridWithoutColumnsStoresNothing();
    void paintsStockColumn();
    void hidesAndShowsColumn();
};
