#pragma once
#include <QObject>

// The totals of a sales invoice from its stored rows, without a window.
class TestServiziTotali : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void totaliDaRighe_data();
    void totaliDaRighe();
    void totaliScritti();
};
