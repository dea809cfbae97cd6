#pragma once
#include <QObject>
#include <memory>

class PrintFixture;

// The company logo loaded in the options and printed at the head of an invoice.
class TestLogoStampa : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void logoDaFileSullaFattura_data();
    void logoDaFileSullaFattura();

private:
    std::unique_ptr<PrintFixture> f;
};
