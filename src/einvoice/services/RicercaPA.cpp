#include "RicercaPA.h"

#include "common/SqlText.h"
#include "db/Connection.h"

namespace ricerca_pa {

namespace {

struct Condizione {
    const char *apre;
    const char *chiude;
};

// The piece that opens each box's condition (every one begins with a blank) and the one that
// closes it.
const Condizione condizioni[NumeroCaselle] = {
    {" Comuni.Comune like '%", "%'"},
    {" PA_Amministrazioni_FatturaElettronica.DescrizionePA like '%", "%'"},
    {" PA_Amministrazioni_FatturaElettronica.codice_univoco like '%", "%'"},
    {" PA_Amministrazioni_FatturaElettronica.DescrizioneUfficio like '%", "%'"},
    {" PA_Amministrazioni_FatturaElettronica.cf like '%", "%'"},
    {" Comuni.Provincia like '", "'"},
    {" PA_Amministrazioni_FatturaElettronica.indirizzo like '%", "%'"},
    {" PA_Amministrazioni_FatturaElettronica.tipologia_istat like '%", "%'"},
};

bool conta(int casella, const QString &testo)
{
    if (casella == Provincia) return testo.size() == 2;
    return !testo.isEmpty() && testo != QLatin1String("*");
}

} // namespace

std::optional<QString> sql(const Criteri &criteri)
{
    QString dove;
    for (int i = 0; i < NumeroCaselle; ++i) {
        if (!conta(i, criteri[i])) continue;
        if (!dove.isEmpty()) dove += QStringLiteral(" and ");
        dove += QString::fromLatin1(condizioni[i].apre) + common::FiltroLike(criteri[i]) + QString::fromLatin1(condizioni[i].chiude);
    }
    if (dove.isEmpty()) return std::nullopt;
    return QStringLiteral(
               "SELECT PA_Amministrazioni_FatturaElettronica.DescrizionePA, PA_Amministrazioni_FatturaElettronica.DescrizioneUfficio, "
               "PA_Amministrazioni_FatturaElettronica.codice_Amministrazione, PA_Amministrazioni_FatturaElettronica.cod_ou, "
               "PA_Amministrazioni_FatturaElettronica.codice_univoco, PA_Amministrazioni_FatturaElettronica.indirizzo, "
               "PA_Amministrazioni_FatturaElettronica.cap, PA_Amministrazioni_FatturaElettronica.cf, Comuni.Comune, Comuni.Provincia, "
               "PA_Amministrazioni_FatturaElettronica.tipologia_istat, Comuni.Id as Comune_id"
               " FROM PA_Amministrazioni_FatturaElettronica INNER JOIN Comuni ON PA_Amministrazioni_FatturaElettronica.Comune_Id = "
               "Comuni.ID where ")
        + dove
        + QStringLiteral(" ORDER BY Comuni.Comune, PA_Amministrazioni_FatturaElettronica.DescrizionePA, "
                         "PA_Amministrazioni_FatturaElettronica.DescrizioneUfficio");
}

bool registroVuoto(db::Connection &c)
{
    return c.scalar(QStringLiteral("select top 1 Id from PA_Amministrazioni_FatturaElettronica")).isNull();
}

} // namespace ricerca_pa
