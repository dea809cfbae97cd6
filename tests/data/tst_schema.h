#pragma once
#include <QObject>

class TestSchema : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newDatabaseHasTheTables();
    void referenceRows_data();
    void referenceRows();
    void singleRowsOfOptionsAndCompany();
    void sharedQueriesRunOnNewDatabase();
    void everySharedQueryHasOneDomainAlias();
    void yesNoAndNumbersHaveDefaults();
    void upgradeKeepsRows();
    void failedUpgradeChangesNothing();
    void openingEnsuresCurrentSchema();
    void upgradeAddsEInvoiceCodes();
};
