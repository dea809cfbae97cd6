#pragma once
// The customer list's "Esporta Vcard" and "Importa Vcard": the dialogs around the vCard
// services. The list's handlers (btEsportaVCardClick, btImportaVCardClick) call these.
#include <QList>

class QWidget;

// Writes the cards of the customers with these ids (the grid's selection, in its order) into
// the .vcf file the user names; ".vcf" is added to a name without an extension. Without ids
// only the message is shown.
void esportaVCardClienti(QWidget *finestra, const QList<qint64> &idSelezionati);

// Reads the cards of the .vcf file the user picks into the customers, as the option
// AzioneImportazioneVCard says (asking when it is 0), all of the file or nothing; then the
// customers' shared query (Table7) is read again, unfiltered. A file that cannot be read or an
// error of the database is shown and changes nothing.
void importaVCardClienti(QWidget *finestra);
