#pragma once
#include <QObject>

// The VAT rates' list and detail: the rule on rate and nature, the rates that stay.
class TestIva : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void nuovaAliquota_data();
    void nuovaAliquota();
    void da0a22PerdeLaNatura();
    void eliminazione_data();
    void eliminazione();
};
