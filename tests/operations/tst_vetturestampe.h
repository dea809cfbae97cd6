#pragma once
#include <QObject>
#include <memory>

#include "PrintFixture.h"

// The fleet's prints: the Stampe tab's three fleet reports and the vehicle editor's own,
// each exported through the dispatcher and the report program, the PDF read back as text.
class TestVettureStampe : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void ogniStampa_data();
    void ogniStampa();

private:
    std::unique_ptr<PrintFixture> f;
};
