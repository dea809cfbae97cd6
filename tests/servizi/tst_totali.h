#pragma once
#include <QObject>

// The totals of a sales document from its stored rows, without a window.
class TestServiziTotali : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void totaliDaRighe_data();
    void totaliDaRighe();
    void totaliScritti();
    void bloccoPerAliquotaENatura();
};
