#pragma once
#include "PrintFixture.h"

#include <QObject>
#include <memory>

// Every report template the catalogue names, rendered to PDF from the request its code writes.
class TestModelliStampe : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void everyTemplateRendersItsQuery_data();
    void everyTemplateRendersItsQuery();

private:
    std::unique_ptr<PrintFixture> f;
};
