#pragma once
// A program ready to print: the forms created and bound to a database with a few records
// (current invoice, credit note, quote, seizure, customer, supplier, vehicle, staff member),
// this workstation's earlier request and another workstation's one, the report program
// beside the program answered by the scripted launcher.
#include "data/CatalogoStampe.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QVariantMap>

class PrintFixture {
public:
    PrintFixture();
    ~PrintFixture();

    static inline const QString postazione = QStringLiteral("POSTAZIONE1");
    static inline const QString altra = QStringLiteral("ALTRA");

    QString cartella() const { return m_dir.path(); }
    QString report(const QString &file) const { return m_dir.path() + QStringLiteral("/reports/") + file; }
    QString programma() const { return m_dir.path() + QStringLiteral("/stampa"); }

    // What an accounting print form hands over when everything typed is valid: customer or
    // supplier 1, 01/03/2026 to 31/03/2026, March 2026, bank 1, opening balance 1500,50.
    static CriteriStampa criteriValidi();
    // The options that choose the document templates.
    void opzioniDocumenti(bool rigaIvato, bool prezzoPreventivo);

    QVariant scalar(const QString &accessSql);
    void exec(const QString &accessSql);
    int righe(const QString &nomeComputer);
    // Every column of the workstation's request (the first when there are several).
    QVariantMap richiesta(const QString &nomeComputer);
    // The same as the report program sees it, through a connection of its own: only what is
    // committed.
    QVariantMap richiestaSalvata(const QString &nomeComputer);
    // The rows an Access SELECT gives on the program's connection (throws on invalid SQL).
    int righeDi(const QString &accessSql);

private:
    static QVariantMap richiestaDa(db::Connection &connessione, const QString &nomeComputer);
    QTemporaryDir m_dir;

public:
    testing_support::Seams seams;
    testing_support::TestDatabase db;
};
