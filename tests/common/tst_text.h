#pragma once
#include <QObject>

// Text, file and electronic-invoice format helpers.
class TestText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void vatNumbers_data();
    void vatNumbers();
    void replacesText_data();
    void replacesText();
    void fields_data();
    void fields();
    void smallFormats_data();
    void smallFormats();
    void amountTexts_data();
    void amountTexts();
    void cleansForFatturaPA_data();
    void cleansForFatturaPA();
    void cutsBetweenMarkers();
    void readsTextFiles_data();
    void readsTextFiles();
    void writesTextFiles();
};
