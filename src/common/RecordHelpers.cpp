#include "RecordHelpers.h"
#include "DatasetFilter.h"

#include "db/Connection.h"
#include "db/Query.h"
#include "widgets/Seams.h"

#include <QLocale>
#include <stdexcept>

namespace common {

namespace {

qint64 idCorrente(db::Query &dataset, const QString &campoId)
{
    return dataset.isEmpty() ? 0 : dataset.fieldByName(campoId).asLargeInt();
}

// Posts the row and puts it back in edit state; a refusal is shown and the edits stay.
bool posta(db::Query &dataset)
{
    dataset.edit();
    if (!dataset.post()) {
        ui::showError(dataset.lastError(), QStringLiteral("Messaggio di errore"));
        return false;
    }
    dataset.edit();
    return true;
}

bool ricaricaSulRecord(db::Query &dataset, const QString &campoId, qint64 id)
{
    dataset.requery();
    return idCorrente(dataset, campoId) == id || dataset.locate(campoId, id);
}

[[noreturn]] void valoreNonValido(const QString &valore, const QString &campo)
{
    throw std::invalid_argument(
        QStringLiteral("Il valore predefinito \"%1\" del campo %2 non è valido").arg(valore, campo).toStdString());
}

} // namespace

bool SalvaRecord(db::Query &dataset, const QString &campoId)
{
    Q_UNUSED(campoId); // the row stays current: nothing to find again
    return posta(dataset);
}

bool SalvaNuovoRecord(db::Query &dataset, const QString &campoId)
{
    const bool nuovo = dataset.fieldByName(campoId).isNull();
    qint64 id = idCorrente(dataset, campoId);
    if (!posta(dataset)) return false;
    if (nuovo) {
        id = idCorrente(dataset, campoId);
        // A query that does not carry its table's key gets no id back from the post.
        if (id <= 0) id = dataset.connection()->scalar(QStringLiteral("SELECT @@IDENTITY as ID;")).toLongLong();
    }
    return ricaricaSulRecord(dataset, campoId, id);
}

void EliminaRecord(db::Query &dataset, const QString &campoId)
{
    // A row begun and never stored has nothing to delete: dropping it leaves the user on the
    // row that was current before it. Moving away first would post or cancel it and then
    // delete that row instead.
    if (dataset.state() == db::Query::State::Insert) {
        dataset.cancel();
        return;
    }
    if (dataset.isEmpty()) return;
    const qint64 id = idCorrente(dataset, campoId);
    dataset.prior();
    const qint64 precedente = idCorrente(dataset, campoId);
    if (precedente != id) dataset.next();
    dataset.deleteRecord();
    // After the first row there is no row before it: the one that followed stays current.
    if (!dataset.isEmpty() && idCorrente(dataset, campoId) != precedente) dataset.locate(campoId, precedente);
}

bool RicaricaDataset(db::Query &dataset, const QString &campoId)
{
    const qint64 id = idCorrente(dataset, campoId);
    return id <= 0 || ricaricaSulRecord(dataset, campoId, id);
}

void ImpostaValoriPredefiniti(const QString &chiave, db::Query &destinazione, db::Query &personalizzazioni)
{
    const FiltroTemporaneo filtro(personalizzazioni, QStringLiteral("NomeTabella = '") + chiave + u'\'');
    destinazione.edit();
    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    for (personalizzazioni.first(); !personalizzazioni.eof(); personalizzazioni.next()) {
        const QString tipo = personalizzazioni.fieldByName(QStringLiteral("Tipo")).asString();
        const QString nomeCampo = personalizzazioni.fieldByName(QStringLiteral("NomeCampo")).asString();
        const QString valore = personalizzazioni.fieldByName(QStringLiteral("Valore")).asString();
        bool ok = true;
        if (tipo == u"t") {
            destinazione.fieldByName(nomeCampo).setAsString(valore);
        } else if (tipo == u"n") {
            const qint64 intero = valore.toLongLong(&ok);
            if (!ok) valoreNonValido(valore, nomeCampo);
            destinazione.fieldByName(nomeCampo).setAsInteger(intero);
        } else if (tipo == u"f") {
            const double numero = italiano.toDouble(valore, &ok);
            if (!ok) valoreNonValido(valore, nomeCampo);
            destinazione.fieldByName(nomeCampo).setAsFloat(numero);
        }
    }
}

} // namespace common
