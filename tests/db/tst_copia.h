#pragma once
#include <QObject>

// pellavantoria-copia: an archive file copied into a server database, row by row.
class TestCopia : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void everyTableCopiedRowByRow();
    void newSchemaOnServerAccepted();
    void serverWithDataRefused_data();
    void serverWithDataRefused();
    void failureLeavesNothingCopied();
    void wrongArguments_data();
    void wrongArguments();
};
