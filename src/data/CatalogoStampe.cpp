#include "CatalogoStampe.h"

#include "DB.h"

namespace stampe {

namespace {

// The id of a dataset's current row; none when it has no row or the id is null.
std::optional<qint64> corrente(db::Query *q, const char *campo)
{
    if (!q->isActive() || q->isEmpty()) return std::nullopt;
    const db::Field f = q->findField(QString::fromLatin1(campo));
    if (!f.isValid() || f.isNull()) return std::nullopt;
    return f.asLargeInt();
}

} // namespace

Chiavi chiaviCorrenti(Tform_DB &dati)
{
    Chiavi k;
    k.daSequestro = DaSequestro;
    k.notaCredito = corrente(dati.TableNotaCredito, "ID");
    if (DaSequestro) {
        k.fattura = corrente(dati.TableSequestri, "Fattura_Id");
        k.preventivo = corrente(dati.TableSequestri, "Preventivo_Id");
    } else {
        k.fattura = corrente(dati.Table3, "ID");
        k.preventivo = corrente(dati.Table16, "ID");
    }
    k.cliente = corrente(dati.Table7, "Id");
    k.fornitore = corrente(dati.Table9, "Id");
    k.vettura = corrente(dati.TableVetture, "ID");
    k.personale = corrente(dati.TablePersonale, "ID");
    return k;
}

db::Field opzione(Tform_DB &dati, const char *campo)
{
    if (!dati.TableOpzioni->isActive()) dati.TableOpzioni->open();
    return dati.TableOpzioni->fieldByName(QString::fromLatin1(campo));
}

Esito preparaRichiesta(int codice, Tform_DB &dati, const CriteriStampa &criteri, const QString &cartellaReport)
{
    return prepara(codice, chiaviCorrenti(dati), criteri, leggiOpzioni(dati.Connessione), NomeComputerLocale, cartellaReport);
}

} // namespace stampe
