#pragma once
#include <QObject>

// The main window's "Importa fattura elettronica xml": the file chosen through the dialog
// seam, the one question, the closing message and what reaches the archive.
class TestMenuImportaXml : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void annullato();
    void importa_data();
    void importa();
    void fileIllegibile();
};
