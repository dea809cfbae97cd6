#pragma once
#include <QObject>

class TestAccessSql : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void translatesText_data();
    void translatesText();
    void rollOverUpdatesRunOnSqlite();
    void workstationDeleteTouchesOnlyItsRows();
    void topBecomesLimit();
    void identityAfterInsert();
    void concatenationShowsDatesDayFirst();
    void updateWithJoinTargetsTheSetTable_data();
    void updateWithJoinTargetsTheSetTable();
    void accessDdlRunsAndNewColumnsAreEditable();
    void nestedJoinsOfInvoiceReportRun();
    void textIsCaseInsensitiveWithAccents();
    void likeBackslashIsALetter_data();
    void likeBackslashIsALetter();
    void accessFunctions_data();
    void accessFunctions();
    void storedDatesAreRead_data();
    void storedDatesAreRead();
    void badDateLiteralIsAnError();
    void scriptSplitKeepsLiterals();
    void commentNeverSwallowsTheNextLine();
    void transactionStatements_data();
    void transactionStatements();
    void deepNestingIsAnError();
    void connectionRefusesNonDatabaseFile();
};
