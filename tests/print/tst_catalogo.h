#pragma once
#include "PrintFixture.h"

#include <QObject>
#include <memory>

// The SQL every report code writes into the print request, text for text.
class TestCatalogoStampe : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void everyCodeWritesItsSql_data();
    void everyCodeWritesItsSql();
    void fromASeizure_data();
    void fromASeizure();

private:
    std::unique_ptr<PrintFixture> f;
};
