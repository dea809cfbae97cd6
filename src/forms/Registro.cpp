#include "Registro.h"
#include "GriglieAggiunte.h"

#include "ListForm.h"
#include "DetailForm.h"

#include <QSet>
#include <algorithm>
#include <stdexcept>

namespace forms {

namespace {
QList<QPair<QString, GrigliaSalvata>> &aggiunte()
{
    static QList<QPair<QString, GrigliaSalvata>> g;
    return g;
}
} // namespace

bool dichiaraGriglia(const QString &form, GrigliaSalvata griglia)
{
    aggiunte().append({form, std::move(griglia)});
    return true;
}

const QList<QPair<QString, GrigliaSalvata>> &griglieAggiunte() { return aggiunte(); }

Registro &Registro::istanza()
{
    static Registro r;
    return r;
}

const QStringList &Registro::ordineCreazione()
{
    static const QStringList ordine = {
        "Form1", "form_DB", "frmDitta", "frmPreventivi", "frmRealizzazione", "Form7", "frmNotaCredito", "Form2", "Form3",
        "Fornitori", "frmFornitDett", "frmClientiDett", "frmClienti", "AnaBanca", "CassaDettaglio", "Form5",
        "frmGrigliaFatture", "frmScadenziario", "frmCarico", "frmGrigliaBanche", "frmGrigliaPersonale",
        "frmPersonaleDettaglio", "frmOpzioni", "frmGrigliaComuni", "frmComuniDett", "frmModelli", "frmModelliDett",
        "frmReparti", "frmRepartiDett", "frmModPagam", "frmModPagamDett", "frmGrigliaPreventivi",
        "frmGrigliaNoteCredito", "frmGrigliaCarico", "frmPorto", "frmAspetto", "frmCategorieClienti",
        "frmCategorieFornitori", "frmEmail", "frmInsEmail", "frmStampaPrimNota", "frmStampaScadenziario",
        "frmScadenziarioDettaglio", "frmSceltaSerieFatturazione", "frmSerieFatturazione", "frmSceltaFatturazioneNotaCr",
        "frmStatoUso", "frmPass", "frmColoriDett", "frmVeicoli", "frmVeicoliDettaglio", "frmVetture",
        "frmVettureDettaglio", "frmUnitaMisura", "frmVettureScadenze", "frmContabilitaConti", "frmTipoDocumenti",
        "frmGrigliaContabilitaConti", "frmGrigliaContabilitaRaggruppamenti", "frmGrigliaContabilitaClassi",
        "frmContabilitaRaggruppamentiDettaglio", "frmContabilitaClassiDettaglio", "frmModificaFatture",
        "frmStampaContabilita", "frmModificaPreventiviRighe", "frmModificaCaricoRighe", "frmCambiaValoreUnitario",
        "frmVettureSchede", "frmCategorieClienti_Griglia", "frmCategorieFornitori_Griglia", "frmGrigliaUnitaMisura",
        "frmTrovaFattura", "frmModificaNotaCreditoRighe", "frmGrigliaTipoDocumenti", "frmGrigliaColori",
        "frmPromemoriaScadenze", "frmGrigliaCarburanti", "frmCarburantiDettaglio", "frmVettureCosti",
        "frmVettureCarburante", "frmGrigliaProvince", "frmProvinceDettaglio", "frmGrigliaNoteCreditoFornitori",
        "frmModificaNotaCreditoFornitoreRighe", "frmNotaCreditoFornitore", "frmGrigliaIva", "frmModificaIva",
        "frmPersonaleScadenze", "frmGrigliaTipologiaCostiVetture", "frmTipologiaCostiVettureDettaglio",
        "frmGrigliaTipologieCostiPersonale", "frmTipologiaCostiPersonaleDettaglio", "frmPersonaleCosti",
        "frmGrigliaRifornimenti", "frmRifornimentiDettaglio", "frmGrigliaCategoriePersonale",
        "frmCategoriePersonaleDettaglio", "frmSceltaCisterna", "frmGrigliaCisterne", "frmCisterneDettaglio",
        "frmModificaCisterneRighe", "frmTrovaFatturaAcquisto", "frmArchivioTipologie", "frmGrigliaCalendario",
        "frmGrigliaTipologieCalendario", "frmTipologiaCalendario", "frmGrigliaTipologieScadenzePersonale",
        "frmTipologiaScadenzaPersonale", "frmCalendario", "frmIndirizziEmail", "frmPersonaleStipendi",
        "frmStampaPersonale", "frmArchivioContabilita", "frmGrigliaTipoTariffe", "frmTipoTariffe_Dettaglio",
        "frmGrigliaEntiSequestratori", "frmEntiSequestratori_Dettaglio", "frmGrigliaSequestri", "frmSequestri_Dettaglio",
        "frmContabilitaChiusuraIva", "frmGrigliaContabilitaChiusuraIva", "frmStampaPrimaNotaSituazioneClienti",
        "frmStampaPrimaNotaSituazioneFornitori", "frmPrimaNotaStampaBanca", "frmPrimaNotaStampaMese",
        "frmStampaSituazioneConto", "frmModificaOrdiniClienti", "frmTrovaCap", "frmPagaFatture",
        "frmPagaFattureModPagamento", "frmContabilitaChiusuraIvaMensile", "frmGrigliaContabilitaChiusuraIvaMensile",
        "frmTrovaPA", "frmModificaRappresentanteFiscale", "frmModificaTerzoIntermediario",
        "frmGrigliaErroriFatturazioneElettronica", "frmDettaglioErroriFatturazioneElettronica", "frmAvvisi",
        "frmAvvisiClienti_Campi", "frmAvvisiClienti_Filtri", "frmAvvisiClienti_Griglia", "frmGrigliaAvvisi",
        "frmModifica_Fattura_Allegati", "frmCodificheDecodificheFiles"
    };
    return ordine;
}

const QStringList &Registro::ordineGriglie()
{
    static const QStringList ordine = {
        "Form2_Griglia", "GrigliaContabilitaConti", "GrigliaContabilitaRaggruppamenti", "GrigliaContabilitaClassi",
        "Form7_DBGrid2", "Form7_DBGrid3", "Fornitori_Griglia", "frmCarico_DBGrid1", "frmCarico_DBGrid3",
        "frmGrigliaCarico_Griglia", "frmClienti_Griglia", "frmGrigliaBanche_Griglia", "frmGrigliaComuni_Griglia",
        "frmGrigliaFatture_Griglia", "frmGrigliaPersonale_Griglia", "frmModelli_Griglia", "frmModPagam_Griglia",
        "frmNotaCreditoDBGrid1", "frmNotaCreditoDBGrid3", "frmPreventivi_Griglia", "frmReparti_Griglia",
        "frmScadenziario_Griglia", "frmGrigliaPreventivi_Griglia", "frmGrigliaNoteCredito_Griglia",
        "frmGrigliaTipoDocumenti", "Form5_DBGrid1", "frmGrigliaCarburanti", "frmTrovaCap", "frmVettureDettaglio_DBGrid1",
        "frmVettureDettaglio_DBGrid2", "frmVettureDettaglio_DBGrid3", "frmVettureDettaglio_DBGrid4", "frmVetture",
        "frmVeicoli", "frmGrigliaProvince", "frmGrigliaNoteCreditoFornitori", "frmNotaCreditoFornitore_DBGrid1",
        "frmNotaCreditoFornitore_DBGrid3", "frmGrigliaIva", "frmPersonaleDettaglio_DBGrid1",
        "frmPersonaleDettaglio_DBGrid2", "frmPersonaleDettaglio_DBGrid4", "frmGrigliaRifornimenti", "frmGrigliaCisterne",
        "frmCisterneDettaglio_DBGrid1", "frmTrovaFatturaAcquisto", "frmGrigliaCalendario", "frmGrigliaSequestri",
        "frmContabilitaChiusuraIva_DBGrid1", "frmContabilitaChiusuraIva_DBGrid2", "frmGrigliaContabilitaChiusuraIva",
        "frmContabilitaChiusuraIvaMensile_DBGrid1", "frmContabilitaChiusuraIvaMensile_DBGrid2",
        "frmGrigliaContabilitaChiusuraIvaMensile", "frmTrovaPA", "frmGrigliaErroriFatturazioneElettronica",
        "frmGrigliaAvvisi"

    };
    return ordine;
}

void Registro::aggiungi(VoceForm voce)
{
    // A pointer declared twice would be created twice: the second declaration is a mistake.
    if (this->voce(voce.nome)) throw std::logic_error("form registrato due volte: " + voce.nome.toStdString());
    m_voci.append(std::move(voce));
}

const VoceForm *Registro::voce(const QString &nome) const
{
    for (const VoceForm &v : m_voci)
        if (v.nome == nome) return &v;
    return nullptr;
}

void Registro::crea(const QStringList &nomi, QWidget *parent)
{
    QSet<QString> volute;
    for (const QString &n : nomi) {
        const VoceForm *v = voce(n);
        if (!v) throw std::invalid_argument("nessun form registrato con il nome " + n.toStdString());
        volute.insert(n);
        if (!v->dichiarazione.dettaglio.isEmpty()) volute.insert(v->dichiarazione.dettaglio);
    }
    // The creation order is the program's; a registered form missing from it comes last.
    QList<const VoceForm *> daCreare;
    for (const QString &n : ordineCreazione())
        if (volute.contains(n)) daCreare << voce(n);
    for (const VoceForm &v : m_voci)
        if (volute.contains(v.nome) && !ordineCreazione().contains(v.nome)) daCreare << &v;
    for (const VoceForm *v : daCreare)
        if (!v) throw std::invalid_argument("dettaglio non registrato");
        else if (!v->corrente()) v->crea(parent);
    for (const VoceForm &v : m_voci) {
        if (v.dichiarazione.dettaglio.isEmpty() || !v.corrente()) continue;
        auto *lista = qobject_cast<ListForm *>(v.corrente());
        auto *dettaglio = qobject_cast<DetailForm *>(voce(v.dichiarazione.dettaglio)->corrente());
        if (lista && dettaglio) {
            lista->setDettaglio(dettaglio);
            dettaglio->setLista(lista);
        }
    }
}

void Registro::creaTutte(QWidget *parent)
{
    QStringList nomi;
    for (const VoceForm &v : m_voci) nomi << v.nome;
    crea(nomi, parent);
}

void Registro::azzeraTutte()
{
    for (const VoceForm &v : m_voci) v.azzera();
}

QList<Registro::Griglia> Registro::griglieCreate() const
{
    QList<Griglia> griglie;
    for (const VoceForm &v : m_voci) {
        QWidget *form = v.corrente();
        if (!form) continue;
        for (const GrigliaSalvata &g : v.dichiarazione.griglie) {
            QWidget *w = form->findChild<QWidget *>(g.griglia);
            if (!w) throw std::logic_error("griglia " + g.griglia.toStdString() + " assente in " + v.nome.toStdString());
            griglie.append({g.chiave, form, w});
        }
    }
    for (const auto &[nome, g] : griglieAggiunte()) {
        const VoceForm *v = voce(nome);
        QWidget *form = v ? v->corrente() : nullptr;
        if (!form) continue;
        QWidget *w = form->findChild<QWidget *>(g.griglia);
        if (!w) throw std::logic_error("griglia " + g.griglia.toStdString() + " assente in " + nome.toStdString());
        griglie.append({g.chiave, form, w});
    }
    const QStringList &ordine = ordineGriglie();
    std::stable_sort(griglie.begin(), griglie.end(), [&ordine](const Griglia &a, const Griglia &b) {
        // A key outside the start-up's list is restored after the listed ones.
        const auto pos = [&ordine](const QString &k) {
            const qsizetype i = ordine.indexOf(k);
            return i < 0 ? ordine.size() : i;
        };
        return pos(a.chiave) < pos(b.chiave);
    });
    return griglie;
}

} // namespace forms
