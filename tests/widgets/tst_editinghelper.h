#pragma once
#include <QObject>

class TestEditingHelper : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void focusedFieldIsAqua();
    void keysMoveFocus_data();
    void keysMoveFocus();
    void userActionsMarkModified_data();
    void userActionsMarkModified();
    void pointBecomesCommaInAmounts_data();
    void pointBecomesCommaInAmounts();
};
