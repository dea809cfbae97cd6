#pragma once
#include <QObject>

// Rounding, SQL literals, dates, row amounts and due dates.
class TestArithmetic : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundsToInteger_data();
    void roundsToInteger();
    void roundsMoney_data();
    void roundsMoney();
    void sqlLiterals_data();
    void sqlLiterals();
    void accessDateLiteral_data();
    void accessDateLiteral();
    void rowAmounts_data();
    void rowAmounts();
    void pricesFromTotals_data();
    void pricesFromTotals();
    void decimals_data();
    void decimals();
    void decimalArithmetic();
    void dueDates_data();
    void dueDates();
};
