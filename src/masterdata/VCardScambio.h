#pragma once
// The lists' "Esporta Vcard" and "Importa Vcard": the dialogs around the vCard services, the
// same for the customers and the suppliers. Each list's handlers call these with its own side.
#include "masterdata/services/VCardClienti.h"

#include <QList>

class QWidget;

namespace db {
class Query;
}

namespace scambio_vcard {

// One list's side of the exchange.
struct Lato {
    QString soggetto; // "cliente", "fornitore": named by the messages
    std::function<QString(db::Connection &, const QList<qint64> &)> esporta;
    std::function<Esito(db::Connection &, const QList<common::Vcard4> &, int, const Domanda &)> importa;
    db::Query *dataset = nullptr;   // the list's shared query, read again after an import
    db::Query *categorie = nullptr; // its categories' shared query
};

// Writes the cards of the records with these ids (the grid's selection, in its order) into the
// .vcf file the user names; ".vcf" is added to a name without an extension. Without ids only
// the message is shown.
void esportaVCard(QWidget *finestra, const Lato &lato, const QList<qint64> &idSelezionati);

// Reads the cards of the .vcf file the user picks into the list's table, as the option
// AzioneImportazioneVCard says (asking when it is 0), all of the file or nothing; then the
// list's shared query is read again, unfiltered. A file that cannot be read or an error of the
// database is shown and changes nothing.
void importaVCard(QWidget *finestra, const Lato &lato);

} // namespace scambio_vcard
