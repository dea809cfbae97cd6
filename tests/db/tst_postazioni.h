#pragma once
#include <QObject>

// Two workstations on one database (a file, or a server): an edit never overwrites another's change.
class TestPostazioni : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void secondPostOfSameRowFailsAndLosesNothing();
    void concurrentEdits_data();
    void concurrentEdits();
    void rowDeletedElsewhere();
    void dynamicCursorSeesOtherWorkstations();
    void addressChoosesTheEngine_data();
    void addressChoosesTheEngine();
};
