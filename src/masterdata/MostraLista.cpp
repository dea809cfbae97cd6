#include "MostraLista.h"

#include "db/Query.h"
#include "forms/ListForm.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace masterdata {

namespace {

void svuota(forms::ListForm *lista, const QStringList &caselle)
{
    for (const QString &nome : caselle)
        if (QLineEdit *b = lista->casella(nome)) {
            const QSignalBlocker quiet(b);
            b->clear();
        }
}

} // namespace

void mostraLista(forms::ListForm *lista, const QStringList &caselleDopo, const QStringList &casellePrima, bool filtroPrima)
{
    if (filtroPrima) lista->dataset()->setFilter(QString());
    svuota(lista, casellePrima);
    lista->exec();
    svuota(lista, caselleDopo);
    lista->dataset()->setFilter(QString());
}

} // namespace masterdata
