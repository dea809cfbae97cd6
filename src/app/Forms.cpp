#include "Forms.h"

#include "Frm1.h"
#include "data/DB.h"
#include "masterdata/ArchivioTipologie.h"
#include "masterdata/Aspetto.h"
#include "masterdata/CategorieFornitori.h"
#include "masterdata/CategoriePersonale.h"
#include "masterdata/Colori.h"
#include "masterdata/Comuni.h"
#include "masterdata/EntiSequestratori.h"
#include "masterdata/Modelli.h"
#include "masterdata/Porto.h"
#include "masterdata/Province.h"
#include "masterdata/Reparti.h"
#include "masterdata/StatoUso.h"
#include "masterdata/TipoDocumenti.h"
#include "masterdata/TipoTariffe.h"
#include "masterdata/TipologiaCostiVetture.h"
#include "masterdata/TipologieCalendario.h"
#include "masterdata/TipologieCostiPersonale.h"
#include "masterdata/TipologieScadenzePersonale.h"
#include "masterdata/TrovaCap.h"
#include "masterdata/UnitaMisura.h"
#include "masterdata/Veicoli.h"
#include "settings/Password.h"
#include "settings/Realizzazione.h"
#include "widgets/Seams.h"

#include <exception>

// The forms are created in this order; a form joins the list when its work is built.
void CreaForms()
{
    Form1 = new TForm1;
    form_DB = new Tform_DB;
    frmRealizzazione = new TfrmRealizzazione(Form1);
    frmGrigliaComuni = new TfrmGrigliaComuni(Form1);
    frmComuniDett = new TfrmComuniDett(Form1);
    frmGrigliaComuni->setDettaglio(frmComuniDett);
    frmModelli = new TfrmModelli(Form1);
    frmModelliDett = new TfrmModelliDett(Form1);
    frmModelli->setDettaglio(frmModelliDett);
    frmReparti = new TfrmReparti(Form1);
    frmRepartiDett = new TfrmRepartiDett(Form1);
    frmReparti->setDettaglio(frmRepartiDett);
    frmPorto = new TfrmPorto(Form1);
    frmAspetto = new TfrmAspetto(Form1);
    frmCategorieFornitori = new TfrmCategorieFornitori(Form1);
    frmStatoUso = new TfrmStatoUso(Form1);
    frmPass = new TfrmPass(Form1);
    frmColoriDett = new TfrmColoriDett(Form1);
    frmVeicoli = new TfrmVeicoli(Form1);
    frmVeicoliDettaglio = new TfrmVeicoliDettaglio(Form1);
    frmVeicoli->setDettaglio(frmVeicoliDettaglio);
    frmUnitaMisura = new TfrmUnitaMisura(Form1);
    frmTipoDocumenti = new TfrmTipoDocumenti(Form1);
    frmCategorieFornitori_Griglia = new TfrmCategorieFornitori_Griglia(Form1);
    frmCategorieFornitori_Griglia->setDettaglio(frmCategorieFornitori);
    frmGrigliaUnitaMisura = new TfrmGrigliaUnitaMisura(Form1);
    frmGrigliaUnitaMisura->setDettaglio(frmUnitaMisura);
    frmGrigliaTipoDocumenti = new TfrmGrigliaTipoDocumenti(Form1);
    frmGrigliaTipoDocumenti->setDettaglio(frmTipoDocumenti);
    frmGrigliaColori = new TfrmGrigliaColori(Form1);
    frmGrigliaColori->setDettaglio(frmColoriDett);
    frmGrigliaProvince = new TfrmGrigliaProvince(Form1);
    frmProvinceDettaglio = new TfrmProvinceDettaglio(Form1);
    frmGrigliaProvince->setDettaglio(frmProvinceDettaglio);
    frmGrigliaTipologiaCostiVetture = new TfrmGrigliaTipologiaCostiVetture(Form1);
    frmTipologiaCostiVettureDettaglio = new TfrmTipologiaCostiVettureDettaglio(Form1);
    frmGrigliaTipologiaCostiVetture->setDettaglio(frmTipologiaCostiVettureDettaglio);
    frmGrigliaTipologieCostiPersonale = new TfrmGrigliaTipologieCostiPersonale(Form1);
    frmTipologiaCostiPersonaleDettaglio = new TfrmTipologiaCostiPersonaleDettaglio(Form1);
    frmGrigliaTipologieCostiPersonale->setDettaglio(frmTipologiaCostiPersonaleDettaglio);
    frmGrigliaCategoriePersonale = new TfrmGrigliaCategoriePersonale(Form1);
    frmCategoriePersonaleDettaglio = new TfrmCategoriePersonaleDettaglio(Form1);
    frmGrigliaCategoriePersonale->setDettaglio(frmCategoriePersonaleDettaglio);
    frmArchivioTipologie = new TfrmArchivioTipologie(Form1);
    frmGrigliaTipologieCalendario = new TfrmGrigliaTipologieCalendario(Form1);
    frmTipologiaCalendario = new TfrmTipologiaCalendario(Form1);
    frmGrigliaTipologieCalendario->setDettaglio(frmTipologiaCalendario);
    frmGrigliaTipologieScadenzePersonale = new TfrmGrigliaTipologieScadenzePersonale(Form1);
    frmTipologiaScadenzaPersonale = new TfrmTipologiaScadenzaPersonale(Form1);
    frmGrigliaTipologieScadenzePersonale->setDettaglio(frmTipologiaScadenzaPersonale);
    frmGrigliaTipoTariffe = new TfrmGrigliaTipoTariffe(Form1);
    frmTipoTariffe_Dettaglio = new TfrmTipoTariffe_Dettaglio(Form1);
    frmGrigliaTipoTariffe->setDettaglio(frmTipoTariffe_Dettaglio);
    frmGrigliaEntiSequestratori = new TfrmGrigliaEntiSequestratori(Form1);
    frmEntiSequestratori_Dettaglio = new TfrmEntiSequestratori_Dettaglio(Form1);
    frmGrigliaEntiSequestratori->setDettaglio(frmEntiSequestratori_Dettaglio);
    frmTrovaCap = new TfrmTrovaCap(Form1);
}

void DistruggiForms()
{
    delete Form1; // owns the dialogs
    Form1 = nullptr;
    frmRealizzazione = nullptr;
    frmGrigliaComuni = nullptr;
    frmComuniDett = nullptr;
    frmModelli = nullptr;
    frmModelliDett = nullptr;
    frmReparti = nullptr;
    frmRepartiDett = nullptr;
    frmPorto = nullptr;
    frmAspetto = nullptr;
    frmCategorieFornitori = nullptr;
    frmStatoUso = nullptr;
    frmPass = nullptr;
    frmColoriDett = nullptr;
    frmVeicoli = nullptr;
    frmVeicoliDettaglio = nullptr;
    frmUnitaMisura = nullptr;
    frmTipoDocumenti = nullptr;
    frmCategorieFornitori_Griglia = nullptr;
    frmGrigliaUnitaMisura = nullptr;
    frmGrigliaTipoDocumenti = nullptr;
    frmGrigliaColori = nullptr;
    frmGrigliaProvince = nullptr;
    frmProvinceDettaglio = nullptr;
    frmGrigliaTipologiaCostiVetture = nullptr;
    frmTipologiaCostiVettureDettaglio = nullptr;
    frmGrigliaTipologieCostiPersonale = nullptr;
    frmTipologiaCostiPersonaleDettaglio = nullptr;
    frmGrigliaCategoriePersonale = nullptr;
    frmCategoriePersonaleDettaglio = nullptr;
    frmArchivioTipologie = nullptr;
    frmGrigliaTipologieCalendario = nullptr;
    frmTipologiaCalendario = nullptr;
    frmGrigliaTipologieScadenzePersonale = nullptr;
    frmTipologiaScadenzaPersonale = nullptr;
    frmGrigliaTipoTariffe = nullptr;
    frmTipoTariffe_Dettaglio = nullptr;
    frmGrigliaEntiSequestratori = nullptr;
    frmEntiSequestratori_Dettaglio = nullptr;
    frmTrovaCap = nullptr;
    delete form_DB;
    form_DB = nullptr;
}

bool CreaFormsSegnalando(const std::function<void()> &crea)
{
    try {
        crea();
        return true;
    } catch (const std::exception &e) {
        DistruggiForms();
        ui::showError(QStringLiteral("Il programma non può essere avviato: errore nella creazione delle finestre.\n%1")
                          .arg(QString::fromUtf8(e.what())),
                      QStringLiteral("Messaggio di errore"));
    } catch (...) {
        DistruggiForms();
        ui::showError(QStringLiteral("Il programma non può essere avviato: errore sconosciuto nella creazione delle finestre."),
                      QStringLiteral("Messaggio di errore"));
    }
    return false;
}
