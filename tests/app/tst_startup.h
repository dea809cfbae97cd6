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
    void missingDatabaseElsewhereIsNotCreated_data();
    void missingDatabaseElsewhereIsNotCreated();
    void failedStartIsShownOnceUnderRealActivation();
    void errorWhileCreatingFormsIsShown();
    void updateScriptRunsOnceAndWhole();
    void updateScriptCommentsEndAtTheLine();
    void updateScriptNeverAppliedTwice();
    void updateScriptTransactionStatements_data();
    void updateScriptTransactionStatements();
    void failingUpdateScriptChangesNothing();
    void rollOverRunsAtStart();
    void workstationRowsCleared();
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
    void enterPressesMenuButtons();
    void historyScheduleAndVideoTabs();
    void helpAtEveryFormsContext();
    void everyWindowFitsTheSmallestScreen();
};
