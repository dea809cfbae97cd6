#pragma once
#include <QObject>
#include <memory>

class PrintFixture;

// The cash book's print forms: each print exported through the dispatcher and the report
// program, the PDF read back as text.
class TestStampePrimaNota : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void ogniCodice_data();
    void ogniCodice();
    void saldoInizialeCalcolato_data();
    void saldoInizialeCalcolato();
    void campiMancanti_data();
    void campiMancanti();

private:
    std::unique_ptr<PrintFixture> f;
};
