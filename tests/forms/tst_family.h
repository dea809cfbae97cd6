#pragma once
#include <QObject>

class TestFamily : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void searchBuildsFilter_data();
    void searchBuildsFilter();
    void titleClickToggles();
    void addThenBackKeepsRow_data();
    void addThenBackKeepsRow();
    void addThenCancel_data();
    void addThenCancel();
    void requiredFieldRefusedThenAccepted();
    void refusedPostKeepsFormOpen();
    void deleteAsks_data();
    void deleteAsks();
    void pickMode_data();
    void pickMode();
    void gridLayoutPerComputer();
    void defaultsOfTheTable();
    void escapeActsAsBack();
    void newRowTakesTyping_data();
    void newRowTakesTyping();
    void placeholderNeverLeads_data();
    void placeholderNeverLeads();
    void doubleClickAfterSave();
    void enterOnRowOpens();
    void dynamicListSeesOtherWorkstations();
};
