#pragma once
#include <QObject>

// Values bound to ":name" parameters: stored exactly and typed, never read as SQL.
class TestParams : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void valuesAreStoredTyped_data();
    void valuesAreStoredTyped();
    void valuesAreNeverReadAsSql_data();
    void valuesAreNeverReadAsSql();
    void namesAreCheckedBothWays();
    void queryKeepsItsValuesAcrossRequery();
    void commandRunsAgainWithNewValues();
};
