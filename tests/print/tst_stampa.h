#pragma once
#include "PrintFixture.h"

#include <QObject>
#include <memory>

class TestStampa : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void everyCode_data();
    void everyCode();
    void documentTemplatesFollowOptions_data();
    void documentTemplatesFollowOptions();
    void nothingCurrentStopsSilently_data();
    void nothingCurrentStopsSilently();
    void seizureInvoicePrintsOnlyItsOwnRows();
    void invoiceListJoinsBillingTypeByItsOwnKey();
    void noticesOfThisWorkstationOnly();
    void personAndDateCriteria_data();
    void personAndDateCriteria();
    void typedCriteriaAreCheckedFirst_data();
    void typedCriteriaAreCheckedFirst();
    void setupFollowsDefaultPrinterOption_data();
    void setupFollowsDefaultPrinterOption();
    void exportWaitsAndChecksTheFile_data();
    void exportWaitsAndChecksTheFile();
    void missingReportProgramIsReported();
    void twoDispatchesLeaveOneRequest();
    void workstationNameWithApostrophe();
    void newDatabaseExportsOnlyPdf();

private:
    std::unique_ptr<PrintFixture> f;
};
