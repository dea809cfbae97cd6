#pragma once
#include <QObject>

class TestQuery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void opensAndNavigates();
    void typedNumbersAndDates_data();
    void typedNumbersAndDates();
    void fieldsByNameAndPosition();
    void filterLanguage_data();
    void filterLanguage();
    void filterSurvivesRequeryAndSqlChange();
    void invalidFilterKeepsPreviousOne();
    void deepFilterIsRefusedLongChainsWork();
    void sortToggles();
    void editWritesOnlyChangedColumns();
    void insertGivesIdAndDefaults();
    void appendAndInsertPositions();
    void failedPostChangesNothing();
    void cancelDropsPendingRow();
    void deleteMovesToNeighbour();
    void locateAndRequeryKeepRowById();
    void datesAndFlagsAreCanonical();
    void navigationPostsPendingEdit();
    void displayHookAndControls();
    void selectedIds();
    void transactionsRollBack();
    void armedQueryReadsAtFirstUse();
    void sameFilterAgainChangesNothing();
    void storedRowJoinsTheRowsHeld();
    void deletedRowIsForgotten();
};
