#pragma once
#include "PrintFixture.h"

#include <QObject>
#include <memory>

class TestMenuStampe : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void groupsAndCaptions_data();
    void groupsAndCaptions();
    void buttons_data();
    void buttons();
    void twoClicksReplaceTheRequest();

private:
    std::unique_ptr<PrintFixture> f;
};
