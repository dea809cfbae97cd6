#pragma once
#include <QObject>

// What the engine does with the statements that run on ten years of data: it finds the rows
// through an index, never by reading the whole table.
class TestIndici : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rollOverSearchesByIndex_data();
    void rollOverSearchesByIndex();
    void upgradedDatabaseHasTheNewIndexes();
    void cashBookMonthIsADateRange();
};
