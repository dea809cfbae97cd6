#pragma once
#include <QObject>

// The archive as a file on disk: what the user reads when the file or its disk fails.
class TestArchiveFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void engineFailuresSpeakItalian_data();
    void engineFailuresSpeakItalian();
    void sqliteToolLoadsTheFunctions();
};
