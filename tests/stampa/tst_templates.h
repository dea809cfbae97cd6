#pragma once
#include <QObject>

// Reading report templates, formatting values and the template calculations.
class TestTemplates : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsAListTemplate();
    void readsADocumentTemplate();
    void rejectsBrokenTemplates_data();
    void rejectsBrokenTemplates();
    void missingTemplateFileIsReported();
    void formatsValuesInItalian_data();
    void formatsValuesInItalian();
    void optionalPartsVanishWhenEmpty();
    void computesExpressions_data();
    void computesExpressions();
    void rejectsBadExpressions_data();
    void rejectsBadExpressions();
    void everyReportFileExistsAndReads_data();
    void everyReportFileExistsAndReads();
};
