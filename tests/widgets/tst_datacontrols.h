#pragma once
#include <QObject>

class TestDataControls : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void editWritesTypedValue_data();
    void editWritesTypedValue();
    void editRefusesInvalidValue_data();
    void editRefusesInvalidValue();
    void editAndTextFollowRowAndState();
    void saveWritesTextStillBeingTyped();
    void memoKeepsItsLines();
    void checkBoxWritesAtOnce();
    void lookupShowsListText_data();
    void lookupShowsListText();
    void lookupPickPositionsListBeforeWriting();
    void lookupClearsWithKey_data();
    void lookupClearsWithKey();
    void lookupFollowsListChanges();
    void maskedDateText_data();
    void maskedDateText();
    void boundMaskedDateWritesDate();
};
