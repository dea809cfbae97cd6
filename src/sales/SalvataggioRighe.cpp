#include "SalvataggioRighe.h"

#include "data/DB.h"
#include "sales/services/SalvaRighe.h"

namespace vendite {

forms::EditorDocumento::SalvaRighe salvataggioRighe(Righe righe)
{
    return [righe](qint64 id, const std::function<bool()> &scrivi) {
        const EsitoRighe e = salvaRighe(form_DB->Connessione, righe, id, scrivi);
        forms::EditorDocumento::EsitoRighe esito;
        esito.salvato = e.salvato;
        if (e.documentoMancante) esito.errore = messaggioDocumentoMancante();
        if (e.scadenze.pagateNonRipartibili) esito.avviso = scadenze::avvisoScadenzeNonAggiornate(e.scadenze);
        esito.primaNota = e.scadenze.rigaDocumento > 0;
        return esito;
    };
}

} // namespace vendite
