#pragma once
#include <QObject>

// The four kinds of document kept in fattura: the delete cascade they share, each on its own
// rows' table, taking everything that hangs on the document and nothing of another one.
class TestServiziDocumenti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eliminaDocumento_data();
    void eliminaDocumento();
};
