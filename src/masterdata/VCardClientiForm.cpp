#include "VCardClientiForm.h"
#include "VCardScambio.h"

#include "data/DB.h"

namespace {

scambio_vcard::Lato latoClienti()
{
    return {QStringLiteral("cliente"), vcard_clienti::esporta, vcard_clienti::importa, form_DB->Table7,
            form_DB->TableCategoriaClienti};
}

} // namespace

void esportaVCardClienti(QWidget *finestra, const QList<qint64> &idSelezionati)
{
    scambio_vcard::esportaVCard(finestra, latoClienti(), idSelezionati);
}

void importaVCardClienti(QWidget *finestra) { scambio_vcard::importaVCard(finestra, latoClienti()); }
