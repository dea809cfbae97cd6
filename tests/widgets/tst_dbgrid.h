#pragma once
#include <QObject>

class TestDBGrid : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void showsDeclaredColumns();
    void showsEveryFieldWithoutColumns();
    void currentRowFollowsBothWays();
    void titleClickReportsFieldWithoutSorting();
    void doubleClickAndPopupMenu();
    void multiSelectGivesSelectedIds();
    void rowColours();
    void largeQueryReadsOnlyRowsOnScreen();
};
