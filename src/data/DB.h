#pragma once
// The data module: the program's one database connection, the shared queries every form
// works on (the current row of a shared query is how one form hands a record to the next),
// and the globals through which the subsystems pass data to each other.
#include "db/Connection.h"
#include "db/DataSource.h"
#include "db/Query.h"

#include <QIcon>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

// Globals of the data-module unit (program lifetime).
inline QString NomeComputerLocale;      // this workstation's name: NomeComputer of its rows
inline int CodiceStampa = 0;            // report code of the next print request
inline bool EsportaStampa = false;      // the next print request exports to a file
inline QString FileEsportazioneStampa;  // target file of an exporting print request
inline QString PercorsoProgrammaStampa; // full path of the report program
inline bool DaSequestro = false;        // a quote or invoice is made or printed from a seizure
inline bool EliminaSenzaConferma = false; // the next list delete runs without its question
inline bool ModalitaStorico = false;    // documents of past years are being browsed
inline QString FiltroStorico;           // WHERE clause of the history tab's date range
inline QString FiltroTariffe;           // base filter of the price-list picker
inline QString TariffeScelte;           // WHERE clause naming the tariffs chosen in the picker
inline QString PercorsoArchivioMdb;     // database path offered by the folder pickers
inline QString RagioneSocialeDitta;     // the company name shown by the main window

class Tform_DB : public QObject {
    Q_OBJECT
public:
    explicit Tform_DB(QObject *parent = nullptr);
    ~Tform_DB() override;

    db::Connection Connessione;

#define SHARED_QUERY(query, source, text, dynamicCursor)                                                                \
    db::Query *query = nullptr;                                                                                        \
    db::DataSource *source = nullptr;
#include "SharedQueries.def"
#undef SHARED_QUERY

#define SHARED_QUERY_ALIAS(alias, query)                                                                              \
    db::Query *alias() const { return query; }
#include "SharedQueryAliases.def"
#undef SHARED_QUERY_ALIAS

    // Every shared query, in the module's order.
    const QList<db::Query *> &queries() const { return m_queries; }
    db::Query *queryByName(const QString &name) const;

    QString Memo1; // scratch text (the schema-update script is loaded here)
    // The picture save dialog of the logo options.
    static inline const QString SavePictureDialogTitle = QStringLiteral("Salva Immagine con nome..");
    static inline const QString SavePictureDialogFilter = QStringLiteral("JPEG Images (*.jpg);; Bitmap Images (*.BMP)");
    static inline const QString SavePictureDialogDefaultExt = QStringLiteral("JPG");
    // Tab and toolbar images of the document editors, picked by index.
    QList<QIcon> lstIconeDocumenti;

    // Default filters, applied at every return to the main window: withdrawn customers,
    // suppliers, tariffs and staff hidden, 39 other lists unfiltered.
    void cmdFiltriClick();
    // Gives every instalment of one document the same bank.
    void AggiornaBancaScadenze(int bancaId, int documentoId);
    // Display text of long memo fields in grids: the first 100 characters.
    static QString ConvertiMemo(const QVariant &value);

    // The print dispatcher: writes this workstation's print request for CodiceStampa and
    // starts the report program (waiting for it when exporting). False when nothing was
    // printed: no current document (silently), typed criteria refused, the report program not
    // started or, exporting, ended without producing the file (each told to the user); the
    // caller then must not use the export's file.
    bool Button2Click();

private:
    void FormCreate();
    QList<db::Query *> m_queries;
};

inline Tform_DB *form_DB = nullptr;
