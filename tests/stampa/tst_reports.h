#pragma once
#include <QObject>

// Reports rendered from a database file to PDF, in-process and through the stampa program.
class TestReports : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void listShowsCustomersUnderTheCompanyHeader();
    void invoiceShowsCustomerRowsVatTotalsAndInstalments();
    void invoiceSummaryShowsWhatIsStored();
    void summaryGroupsByRateAndNature_data();
    void summaryGroupsByRateAndNature();
    void invoiceWithoutVatInRowsShowsNetRowTotals();
    void groupsTotalsAndDetailsOfAList();
    void cashBookShowsOpeningAndClosingBalance();
    void balanceAndAccountStatementOfThisWorkstation();
    void lettersStartOnANewPageForEachCustomer();
    void noticeForTheFilteredCustomersOnly();
    void emptyResultIsSaidOnThePage();
    void longListRepeatsItsHeaderOnEveryPage();
    void labelsFillAGrid();
    void readsTheDatabaseNamedByPercorso();

    void fieldMissingFromTheQueryWritesNoFile();
    void interactiveErrorsAreShownInMessageBoxes();
    void previewShowsTheReportAndSavesItAsPdf();
    void previewFitsTheScreen();

    void programExportsThePdf();
    void programExportsWithoutADisplay();
    void previewWithoutADisplayIsReported();
    void standardDialogsSpeakItalian();
    void programReportsAMissingTemplate();
    void programReportsAFailingQuery();
    void programRefusesOtherExportFormats();
};
