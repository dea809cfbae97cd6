#pragma once
#include <QObject>

// Saving, deleting and re-reading datasets, and the per-table default values, on a real database.
class TestRecords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void savesAndStaysInEdit();
    void refusedSaveKeepsEdits_data();
    void refusedSaveKeepsEdits();
    void savesNewRowAndMakesItCurrent_data();
    void savesNewRowAndMakesItCurrent();
    void savedRowOutsideQueryIsReported();
    void deletesAndMovesToNeighbour_data();
    void deletesAndMovesToNeighbour();
    void requeriesOnSameRow_data();
    void requeriesOnSameRow();
    void setsDefaultValues_data();
    void setsDefaultValues();
    void badDefaultValueStops_data();
    void badDefaultValueStops();
};
