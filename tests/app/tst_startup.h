#pragma once
#include <QObject>

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void firstStartCreatesDatabaseAndPath();
    void pathFileIsTrimmedOrRewritten_data();
    void pathFileIsTrimmedOrRewritten();
    void missingDatabaseElsewhereIsNotCreated();
    void updateScriptRunsOnceAndWhole();
    void failingUpdateScriptChangesNothing();
    void rollOverAndWorkstationRows();
    void sharedQueriesBoundToWorkstation();
    void laterActivationsOnlyFilter();
    void passwordAsTyped_data();
    void passwordAsTyped();
    void startTab_data();
    void startTab();
    void menuButtonsWaitForTheirForms();
    void workOnAnotherDatabase();
    void workOnAnotherDatabaseCancelledOrRefused();
    void singleInstanceAndPrinterCheck();
    void historyDateRange();
    void aboutBoxAndExit();
};
