#include "FatturaPA.h"

#include "FatturaPANodo.h"
#include "common/LineArithmetic.h"
#include "common/Rounding.h"
#include "common/TextUtils.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "db/Transaction.h"
#include "sales/services/Totali.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QTemporaryFile>
#include <QXmlStreamWriter>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace fatturapa {

namespace {

const QString kNsFattura = QStringLiteral("http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2");

// One row read by a private query, its columns by name (any case).
class Riga {
public:
    Riga(db::Connection &c, const QString &sql, const db::Params &p = {}) : m_q(&c)
    {
        m_q.setSql(sql);
        for (const db::Param &par : p) m_q.bind(par.name, par.value);
        m_q.open();
    }
    bool trovata() { return !m_q.isEmpty(); }
    db::Query &query() { return m_q; }
    QString t(const char *col) { return m_q.fieldByName(QLatin1String(col)).value().toString(); }
    double n(const char *col) { return m_q.fieldByName(QLatin1String(col)).asFloat(); }
    qint64 i(const char *col) { return m_q.fieldByName(QLatin1String(col)).asLargeInt(); }
    bool b(const char *col) { return m_q.fieldByName(QLatin1String(col)).asBoolean(); }
    bool nullo(const char *col) { return m_q.fieldByName(QLatin1String(col)).isNull(); }
    QString data(const char *col)
    {
        const QDateTime d = m_q.fieldByName(QLatin1String(col)).asDateTime();
        return d.isValid() ? d.date().toString(QStringLiteral("yyyy-MM-dd")) : QString();
    }

private:
    db::Query m_q;
};

db::Params parametroId(qint64 id) { return {{QStringLiteral(":id"), id}}; }

// The amounts of the file go through this one door, whatever type the totals carry. A value is
// kept to the schema's eight decimals: a unit discount of 84.21 at 10% is 8.421, not the
// 8.42100000000001 of its binary noise, which the schema refuses.
QString importo(double valore, int lunghezza)
{
    return common::ImportoTesto(std::round(valore * 1e8) / 1e8, lunghezza, u'.');
}

// "15", "15/2024", "15/2024/B", "15/B": the number as the company writes it.
QString numeroComposto(qint64 numero, const QString &dataIso, const QString &serie, bool conAnno, bool conSerie)
{
    QString s = QString::number(numero);
    if (conAnno) s += u'/' + dataIso.left(4);
    if (conSerie && !serie.isEmpty()) s += u'/' + serie;
    return s;
}

struct Ditta {
    bool fatturaAnno = false, multipla = false;
};

// Identity of a party as the header writes it: VAT (when the caller decides), tax code, name.
void anagrafica(Nodo &padre, const QString &denominazione, const QString &nome, const QString &cognome,
                const QString &titolo, const QString &eori)
{
    Nodo &a = padre.aggiungi(QStringLiteral("Anagrafica"));
    if (!denominazione.isEmpty()) {
        a.aggiungi(QStringLiteral("Denominazione"), denominazione);
        return;
    }
    a.seNonVuoto(QStringLiteral("Nome"), nome);
    a.seNonVuoto(QStringLiteral("Cognome"), cognome);
    a.seNonVuoto(QStringLiteral("Titolo"), titolo);
    a.seNonVuoto(QStringLiteral("CodEORI"), eori);
}

// The VAT identity of a party: its country and code.
void idFiscaleIva(Nodo &padre, const QString &paese, const QString &codice)
{
    Nodo &iva = padre.aggiungi(QStringLiteral("IdFiscaleIVA"));
    iva.aggiungi(QStringLiteral("IdPaese"), paese);
    iva.aggiungi(QStringLiteral("IdCodice"), codice);
}

void indirizzo(Nodo &padre, const QString &nomeBlocco, const QString &via, const QString &numero, const QString &cap,
               const QString &comune, const QString &provincia, const QString &nazione)
{
    Nodo &s = padre.aggiungi(nomeBlocco);
    s.aggiungi(QStringLiteral("Indirizzo"), via);
    s.seNonVuoto(QStringLiteral("NumeroCivico"), numero);
    s.aggiungi(QStringLiteral("CAP"), cap);
    s.aggiungi(QStringLiteral("Comune"), comune);
    s.seNonVuoto(QStringLiteral("Provincia"), provincia);
    s.aggiungi(QStringLiteral("Nazione"), nazione);
}

// The nature of a summary block, as the totals grouped it; written only on a zero rate.
QString naturaDelBlocco(const vendite::RiepilogoIva &blocco)
{
    return blocco.aliquota != 0 ? QString() : blocco.natura;
}

struct Documento {
    qint64 id = 0;
    bool notaCredito = false;
};

Documento leggiTipo(db::Connection &c, qint64 id)
{
    Riga f(c, QStringLiteral("select ID, FattNota from fattura where ID = :id"), parametroId(id));
    if (!f.trovata()) throw db::DbError(QStringLiteral("Attenzione il documento %1 non è più in archivio").arg(id));
    return {id, f.b("FattNota")};
}

vendite::TabellaRighe righeDi(const Documento &d)
{
    return vendite::tabellaRighe(d.notaCredito ? vendite::Righe::NotaCredito : vendite::Righe::Fattura);
}

void intestazione(db::Connection &c, Riga &f, Riga &ditta, Riga &cli, Nodo &radice)
{
    Nodo &h = radice.aggiungi(QStringLiteral("FatturaElettronicaHeader"));
    // Transmission data.
    Nodo &dt = h.aggiungi(QStringLiteral("DatiTrasmissione"));
    Nodo &idt = dt.aggiungi(QStringLiteral("IdTrasmittente"));
    idt.aggiungi(QStringLiteral("IdPaese"), ditta.t("IdPaese"));
    idt.aggiungi(QStringLiteral("IdCodice"), ditta.b("Trasmissione_CodFisc") ? ditta.t("CodFisc").toUpper() : ditta.t("PIva"));
    dt.aggiungi(QStringLiteral("ProgressivoInvio"), f.t("DatiTrasmissione_ProgressivoInvio"));
    const QString formato = f.t("DatiTrasmissione_FormatoTrasmissione");
    dt.aggiungi(QStringLiteral("FormatoTrasmissione"), formato);
    QString destinatario;
    if (formato == QLatin1String("FPA12")) destinatario = cli.t("CodiceUnivocoUfficio");
    else if (cli.t("Codice").isEmpty()) destinatario = QStringLiteral("0000000");
    else destinatario = cli.t("Codice").left(7);
    dt.aggiungi(QStringLiteral("CodiceDestinatario"), destinatario);
    if (!ditta.t("Tel").isEmpty() || !ditta.t("Email").isEmpty()) {
        Nodo &ct = dt.aggiungi(QStringLiteral("ContattiTrasmittente"));
        ct.seNonVuoto(QStringLiteral("Telefono"), ditta.t("Tel"));
        ct.seNonVuoto(QStringLiteral("Email"), ditta.t("Email"));
    }
    if (destinatario == QLatin1String("0000000")) dt.seNonVuoto(QStringLiteral("PECDestinatario"), cli.t("Pec"));

    // The supplier: the company.
    Nodo &cp = h.aggiungi(QStringLiteral("CedentePrestatore"));
    Nodo &da = cp.aggiungi(QStringLiteral("DatiAnagrafici"));
    idFiscaleIva(da, ditta.t("IdPaese"), ditta.t("PIva"));
    da.seNonVuoto(QStringLiteral("CodiceFiscale"), ditta.t("CodFisc").toUpper());
    anagrafica(da, ditta.t("RagSoc"), ditta.t("Nome"), ditta.t("Cognome"), ditta.t("Titolo"), ditta.t("CodEori"));
    da.seNonVuoto(QStringLiteral("AlboProfessionale"), ditta.t("AlboProfessionale"));
    da.seNonVuoto(QStringLiteral("ProvinciaAlbo"), ditta.t("ProvinciaAlbo"));
    da.seNonVuoto(QStringLiteral("NumeroIscrizioneAlbo"), ditta.t("NumeroIscrizioneAlbo"));
    da.seNonVuoto(QStringLiteral("DataIscrizioneAlbo"), ditta.data("DataIscrizioneAlbo"));
    da.aggiungi(QStringLiteral("RegimeFiscale"), ditta.t("RegimeFiscale"));
    indirizzo(cp, QStringLiteral("Sede"), ditta.t("Via"), ditta.t("Numero"), ditta.t("Cap"), ditta.t("Comune"),
              ditta.t("Provincia"), ditta.t("IdPaese"));
    if (ditta.b("StabileOrganizzazione"))
        indirizzo(cp, QStringLiteral("StabileOrganizzazione"), ditta.t("StabileOrganizzazione_Indirizzo"),
                  ditta.t("StabileOrganizzazione_NumeroCivico"), ditta.t("StabileOrganizzazione_CAP"),
                  ditta.t("StabileOrganizzazione_Comune"), ditta.t("StabileOrganizzazione_Provincia"),
                  ditta.t("StabileOrganizzazione_Nazione"));
    if (ditta.b("Iscrizione_REA")) {
        Nodo &rea = cp.aggiungi(QStringLiteral("IscrizioneREA"));
        rea.aggiungi(QStringLiteral("Ufficio"), ditta.t("Iscrizione_REA_Ufficio"));
        rea.aggiungi(QStringLiteral("NumeroREA"), ditta.t("Iscrizione_REA_NumeroREA"));
        const double capitale = ditta.n("Iscrizione_REA_CapitaleSociale");
        if (qint64(capitale) > 0) rea.aggiungi(QStringLiteral("CapitaleSociale"), importo(capitale, 15));
        rea.seNonVuoto(QStringLiteral("SocioUnico"), ditta.t("Iscrizione_REA_SocioUnico"));
        rea.aggiungi(QStringLiteral("StatoLiquidazione"), ditta.t("Iscrizione_REA_StatoLiquidazione"));
    }
    if (ditta.b("Contatti")) {
        Nodo &ct = cp.aggiungi(QStringLiteral("Contatti"));
        ct.seNonVuoto(QStringLiteral("Telefono"), ditta.t("Tel"));
        ct.seNonVuoto(QStringLiteral("Fax"), ditta.t("Fax"));
        ct.seNonVuoto(QStringLiteral("Email"), ditta.t("Email"));
    }
    cp.seNonVuoto(QStringLiteral("RiferimentoAmministrazione"), ditta.t("RiferimentoAmministrazione"));

    // The company's fiscal representative.
    if (ditta.b("RappresentanteFiscale")) {
        Nodo &rf = h.aggiungi(QStringLiteral("RappresentanteFiscale"));
        Nodo &rda = rf.aggiungi(QStringLiteral("DatiAnagrafici"));
        idFiscaleIva(rda, ditta.t("RappresentanteFiscale_DatiAnagrafici_IdPaese"), ditta.t("RappresentanteFiscale_DatiAnagrafici_IdCodice"));
        rda.seNonVuoto(QStringLiteral("CodiceFiscale"), ditta.t("RappresentanteFiscale_DatiAnagrafici_CodiceFiscale").toUpper());
        anagrafica(rda, ditta.t("RappresentanteFiscale_DatiAnagrafici_Denominazione"),
                   ditta.t("RappresentanteFiscale_DatiAnagrafici_Nome"), ditta.t("RappresentanteFiscale_DatiAnagrafici_Cognome"),
                   ditta.t("RappresentanteFiscale_DatiAnagrafici_Titolo"), ditta.t("RappresentanteFiscale_DatiAnagrafici_CodEORI"));
    }

    // The customer.
    Nodo &cc = h.aggiungi(QStringLiteral("CessionarioCommittente"));
    Nodo &cda = cc.aggiungi(QStringLiteral("DatiAnagrafici"));
    const QString pivaCliente = cli.t("Iva"), cfCliente = cli.t("CodFiscale"), paeseCliente = cli.t("IdPaese");
    if (!pivaCliente.isEmpty() || (paeseCliente != QLatin1String("IT") && !cfCliente.isEmpty())) {
        idFiscaleIva(cda, paeseCliente, !pivaCliente.isEmpty() ? pivaCliente : cfCliente);
    }
    cda.seNonVuoto(QStringLiteral("CodiceFiscale"), cfCliente.toUpper());
    anagrafica(cda, cli.t("Cliente"), cli.t("Nome"), cli.t("Cognome"), cli.t("Titolo"), cli.t("CodEORI"));
    indirizzo(cc, QStringLiteral("Sede"), cli.t("Via"), cli.t("Numero"), cli.t("Cap"), cli.t("Citta"), cli.t("Provincia"),
              paeseCliente);
    if (cli.b("StabileOrganizzazione"))
        indirizzo(cc, QStringLiteral("StabileOrganizzazione"), cli.t("StabileOrganizzazione_Indirizzo"),
                  cli.t("StabileOrganizzazione_NumeroCivico"), cli.t("StabileOrganizzazione_CAP"),
                  cli.t("StabileOrganizzazione_Comune"), cli.t("StabileOrganizzazione_Provincia"),
                  cli.t("StabileOrganizzazione_Nazione"));
    if (cli.b("RappresentanteFiscale")) {
        Nodo &rf = cc.aggiungi(QStringLiteral("RappresentanteFiscale"));
        idFiscaleIva(rf, cli.t("RappresentanteFiscale_Nazione"), cli.t("RappresentanteFiscale_IdCodice"));
        const QString den = cli.t("RappresentanteFiscale_Denominazione");
        if (!den.isEmpty()) {
            rf.aggiungi(QStringLiteral("Denominazione"), den);
        } else {
            rf.seNonVuoto(QStringLiteral("Nome"), cli.t("RappresentanteFiscale_Nome"));
            rf.seNonVuoto(QStringLiteral("Cognome"), cli.t("RappresentanteFiscale_Cognome"));
        }
    }

    // The intermediary and the issuer.
    if (ditta.b("TerzoIntermediarioOSoggettoEmittente")) {
        Nodo &ti = h.aggiungi(QStringLiteral("TerzoIntermediarioOSoggettoEmittente"));
        Nodo &tda = ti.aggiungi(QStringLiteral("DatiAnagrafici"));
        const QString piva = ditta.t("TerzoIntermediarioOSoggettoEmittente_IdCodice");
        if (!piva.isEmpty()) {
            idFiscaleIva(tda, ditta.t("TerzoIntermediarioOSoggettoEmittente_IdPaese"), piva);
        }
        tda.seNonVuoto(QStringLiteral("CodiceFiscale"), ditta.t("TerzoIntermediarioOSoggettoEmittente_CodiceFiscale").toUpper());
        anagrafica(tda, ditta.t("TerzoIntermediarioOSoggettoEmittente_Denominazione"),
                   ditta.t("TerzoIntermediarioOSoggettoEmittente_Nome"), ditta.t("TerzoIntermediarioOSoggettoEmittente_Cognome"),
                   ditta.t("TerzoIntermediarioOSoggettoEmittente_Titolo"), ditta.t("TerzoIntermediarioOSoggettoEmittente_CodEORI"));
    }
    h.seNonVuoto(QStringLiteral("SoggettoEmittente"), ditta.t("SoggettoEmittente"));
    Q_UNUSED(c);
}

void datiGenerali(db::Connection &c, const Documento &d, Riga &f, const Ditta &ditta, Nodo &corpo)
{
    Nodo &dg = corpo.aggiungi(QStringLiteral("DatiGenerali"));
    Nodo &dgd = dg.aggiungi(QStringLiteral("DatiGeneraliDocumento"));
    dgd.aggiungi(QStringLiteral("TipoDocumento"), d.notaCredito ? QStringLiteral("TD04") : QStringLiteral("TD01"));
    const QString divisa = f.t("DatiGenerali_Divisa");
    dgd.aggiungi(QStringLiteral("Divisa"), divisa.isEmpty() ? QStringLiteral("EUR") : divisa);
    const QString data = f.data("Data");
    dgd.aggiungi(QStringLiteral("Data"), data);
    dgd.aggiungi(QStringLiteral("Numero"),
                 numeroComposto(f.i("Num"), data, f.t("SerieFatturazione"), ditta.fatturaAnno, ditta.multipla));
    const double bollo = f.n("ImportoMarcaBollo");
    if (bollo > 0) {
        Nodo &db = dgd.aggiungi(QStringLiteral("DatiBollo"));
        db.aggiungi(QStringLiteral("BolloVirtuale"), QStringLiteral("SI"));
        db.aggiungi(QStringLiteral("ImportoBollo"), importo(bollo, 15));
    }
    if (!f.nullo("TotFattura")) dgd.aggiungi(QStringLiteral("ImportoTotaleDocumento"), importo(f.n("TotFattura"), 15));
    // The reason goes in as many elements of 200 characters as it needs: one longer element
    // would make the whole file invalid.
    const QString causale = f.t("Causale");
    for (qsizetype i = 0; i < causale.size(); i += 200) dgd.aggiungi(QStringLiteral("Causale"), causale.mid(i, 200));

    Riga ordini(c, QStringLiteral("SELECT Data, Numero, CodiceCig, CodiceCup, CodiceCommessaConvenzione FROM OrdiniClienti "
                                  "where Fattura_ID = :id order by ID"),
                parametroId(d.id));
    db::Query &o = ordini.query();
    for (o.first(); !o.eof(); o.next()) {
        Nodo &oa = dg.aggiungi(QStringLiteral("DatiOrdineAcquisto"));
        oa.aggiungi(QStringLiteral("IdDocumento"), ordini.t("Numero"));
        oa.seNonVuoto(QStringLiteral("Data"), ordini.data("Data"));
        oa.seNonVuoto(QStringLiteral("CodiceCommessaConvenzione"), ordini.t("CodiceCommessaConvenzione"));
        oa.seNonVuoto(QStringLiteral("CodiceCUP"), ordini.t("CodiceCup"));
        oa.seNonVuoto(QStringLiteral("CodiceCIG"), ordini.t("CodiceCig"));
    }

    // A credit note names the invoice it corrects; without one it names nothing (no number 0
    // of the zero date).
    if (d.notaCredito && f.i("NCFattNumRif") > 0 && !f.data("NCFattDataRif").isEmpty()) {
        Nodo &fc = dg.aggiungi(QStringLiteral("DatiFattureCollegate"));
        const QString dataRif = f.data("NCFattDataRif");
        fc.aggiungi(QStringLiteral("IdDocumento"), numeroComposto(f.i("NCFattNumRif"), dataRif, f.t("NCFatSerieRif"),
                                                                  ditta.fatturaAnno, ditta.multipla));
        fc.aggiungi(QStringLiteral("Data"), dataRif);
    }

    if (!f.b("DatiTrasporto") || f.i("Personale_ID") <= 0) return;
    Riga vettore(c, QStringLiteral("select * from Personale where Id = :id and Annullato = false"), parametroId(f.i("Personale_ID")));
    if (!vettore.trovata() || vettore.t("Iva").isEmpty()) return;
    Nodo &tr = dg.aggiungi(QStringLiteral("DatiTrasporto"));
    Nodo &dav = tr.aggiungi(QStringLiteral("DatiAnagraficiVettore"));
    idFiscaleIva(dav, vettore.t("IdPaese"), vettore.t("Iva"));
    dav.seNonVuoto(QStringLiteral("CodiceFiscale"), vettore.t("CodFisc").toUpper());
    anagrafica(dav, vettore.t("Personale"), vettore.t("Nome"), vettore.t("Cognome"), vettore.t("Titolo"), vettore.t("CodEORI"));
    dav.seNonVuoto(QStringLiteral("NumeroLicenzaGuida"), vettore.t("NumeroLicenzaGuida"));
    if (!f.nullo("Colli")) tr.aggiungi(QStringLiteral("NumeroColli"), common::InteroTesto(int(f.i("Colli")), 4));
    Riga aspetto(c, QStringLiteral("select Descrizione from FatturaAspetto where Id = :id"), parametroId(f.i("Aspetto_ID")));
    if (aspetto.trovata()) tr.aggiungi(QStringLiteral("Descrizione"), aspetto.t("Descrizione"));
    tr.seNonVuoto(QStringLiteral("DataInizioTrasporto"), f.data("DataTrasporto"));
    if (f.i("Porto_ID") > 0) {
        Riga porto(c, QStringLiteral("select Codice from FatturaPorto where id = :id"), parametroId(f.i("Porto_ID")));
        tr.aggiungi(QStringLiteral("TipoResa"), porto.trovata() ? porto.t("Codice") : QString());
    }
}

void beniServizi(db::Connection &c, const Documento &d, Riga &f, Nodo &corpo)
{
    Nodo &bs = corpo.aggiungi(QStringLiteral("DatiBeniServizi"));
    const vendite::TabellaRighe tr = righeDi(d);
    Riga righe(c, QStringLiteral("select r.*, Iva.Pa_Natura_Codice as NaturaIva from %1 r left join Iva on r.Iva_ID = Iva.ID "
                                 "where r.%2 = :id order by r.NumeroRiga, r.Idx")
                      .arg(tr.tabella, tr.legame),
               parametroId(d.id));
    db::Query &q = righe.query();
    for (q.first(); !q.eof(); q.next()) {
        Nodo &l = bs.aggiungi(QStringLiteral("DettaglioLinee"));
        l.aggiungi(QStringLiteral("NumeroLinea"), common::InteroTesto(int(righe.i("NumeroRiga")), 4));
        if (!righe.t("Codice").isEmpty()) {
            Nodo &ca = l.aggiungi(QStringLiteral("CodiceArticolo"));
            ca.aggiungi(QStringLiteral("CodiceTipo"), QStringLiteral("CodiceInterno"));
            ca.aggiungi(QStringLiteral("CodiceValore"), righe.t("Codice"));
        }
        l.aggiungi(QStringLiteral("Descrizione"), common::TroncaTesto(righe.t("Descrizione"), 1000));
        if (!righe.nullo("Um")) l.aggiungi(QStringLiteral("Quantita"), importo(righe.n("Um"), 21));
        l.seNonVuoto(QStringLiteral("DataInizioPeriodo"), righe.data("DataInizioPeriodo"));
        l.seNonVuoto(QStringLiteral("DataFinePeriodo"), righe.data("DataFinePeriodo"));
        const double prezzo = righe.n("ValoreUnitario");
        l.aggiungi(QStringLiteral("PrezzoUnitario"), importo(prezzo, 21));
        const double sconto = righe.n("Sconto");
        if (sconto > 0) {
            Nodo &sm = l.aggiungi(QStringLiteral("ScontoMaggiorazione"));
            sm.aggiungi(QStringLiteral("Tipo"), QStringLiteral("SC"));
            sm.aggiungi(QStringLiteral("Percentuale"), importo(sconto, 6));
            sm.aggiungi(QStringLiteral("Importo"), importo(common::ScontoRiga(false, 1, prezzo, sconto, 0, 0, 0), 21));
        }
        l.aggiungi(QStringLiteral("PrezzoTotale"), importo(righe.n("TotaleImponibile"), 21));
        const double aliquota = righe.n("AliquotaIva");
        l.aggiungi(QStringLiteral("AliquotaIVA"), importo(aliquota, 6));
        if (aliquota == 0) l.seNonVuoto(QStringLiteral("Natura"), righe.t("NaturaIva"));
        l.seNonVuoto(QStringLiteral("RiferimentoAmministrazione"), righe.t("RiferimentoAmministrazione"));
    }

    // The summary is the document's one totals computation: a block per rate and VAT code.
    const vendite::Totali totali = vendite::calcolaTotali(c, d.notaCredito ? vendite::Righe::NotaCredito : vendite::Righe::Fattura, d.id);
    const QString esigibilita = f.b("ScissionePagamenti") ? QStringLiteral("S") : QStringLiteral("I");
    for (const vendite::RiepilogoIva &blocco : totali.riepilogo) {
        Nodo &r = bs.aggiungi(QStringLiteral("DatiRiepilogo"));
        r.aggiungi(QStringLiteral("AliquotaIVA"), importo(double(blocco.aliquota), 6));
        r.seNonVuoto(QStringLiteral("Natura"), naturaDelBlocco(blocco));
        r.aggiungi(QStringLiteral("ImponibileImporto"), importo(double(blocco.imponibile), 15));
        r.aggiungi(QStringLiteral("Imposta"), importo(double(blocco.imposta), 15));
        r.aggiungi(QStringLiteral("EsigibilitaIVA"), esigibilita);
    }
}

void pagamenti(db::Connection &c, const Documento &d, Riga &f, Nodo &corpo)
{
    Riga modo(c, QStringLiteral("select NumeroScadenze, PA_ModalitaPagamento_Codice from ModPagamento where Id = :id"),
              parametroId(f.i("ModPagamento_Id")));
    const QString condizioni = modo.trovata() && modo.i("NumeroScadenze") == 0 ? QStringLiteral("TP02") : QStringLiteral("TP01");
    const QString codice = modo.trovata() ? modo.t("PA_ModalitaPagamento_Codice") : QStringLiteral("MP01");
    Riga rate(c, QStringLiteral("select s.Importo, s.DataScadenza, s.ModPagamento_Id, s.Banca_ID, m.PA_ModalitaPagamento_Codice as Codice, "
                                "m.Id as Metodo from FatturaScadenze s left join ModPagamento m on s.ModPagamento_Id = m.Id "
                                "where s.Fattura_ID = :id order by s.DataScadenza, s.Numero"),
              parametroId(d.id));
    db::Query &q = rate.query();
    if (q.isEmpty()) return;
    Nodo &dp = corpo.aggiungi(QStringLiteral("DatiPagamento"));
    dp.aggiungi(QStringLiteral("CondizioniPagamento"), condizioni);
    for (q.first(); !q.eof(); q.next()) {
        Nodo &p = dp.aggiungi(QStringLiteral("DettaglioPagamento"));
        const qint64 idBanca = rate.i("Banca_ID") > 0 ? rate.i("Banca_ID") : f.i("Banca_ID");
        Riga banca(c, QStringLiteral("select Beneficiario, Banca, Iban from Bank where Id = :id and Annullato = false"), parametroId(idBanca));
        const bool trovata = banca.trovata();
        if (trovata) p.seNonVuoto(QStringLiteral("Beneficiario"), banca.t("Beneficiario"));
        QString modalita = codice;
        if (rate.i("ModPagamento_Id") > 0) modalita = rate.i("Metodo") > 0 ? rate.t("Codice") : QString();
        p.aggiungi(QStringLiteral("ModalitaPagamento"), modalita);
        p.seNonVuoto(QStringLiteral("DataScadenzaPagamento"), rate.data("DataScadenza"));
        p.aggiungi(QStringLiteral("ImportoPagamento"), importo(rate.n("Importo"), 15));
        if (trovata) {
            p.seNonVuoto(QStringLiteral("IstitutoFinanziario"), banca.t("Banca"));
            p.seNonVuoto(QStringLiteral("IBAN"), banca.t("Iban"));
        }
    }
}

// The attachments, encoded in memory; a missing file stops the export with its message.
bool allegati(db::Connection &c, const Documento &d, Nodo &corpo, Esito *rifiuto)
{
    Riga a(c, QStringLiteral("select * from Fattura_Allegati where Fattura_Id = :id order by NomeAttachment"), parametroId(d.id));
    db::Query &q = a.query();
    for (q.first(); !q.eof(); q.next()) {
        const QString percorso = a.t("PercorsoCompleto");
        if (percorso.isEmpty()) continue;
        Nodo &al = corpo.aggiungi(QStringLiteral("Allegati"));
        al.aggiungi(QStringLiteral("NomeAttachment"), a.t("NomeAttachment"));
        al.seNonVuoto(QStringLiteral("AlgoritmoCompressione"), a.t("AlgoritmoCompressione"));
        al.seNonVuoto(QStringLiteral("FormatoAttachment"), a.t("FormatoAttachment"));
        al.seNonVuoto(QStringLiteral("DescrizioneAttachment"), a.t("DescrizioneAttachment"));
        QFile file(percorso);
        if (!QFileInfo(percorso).isFile()) {
            if (rifiuto) *rifiuto = {false, QStringLiteral("Attenzione non è più presente il file allegato : ") + percorso, QString()};
            return false;
        }
        if (!file.open(QIODevice::ReadOnly)) {
            if (rifiuto)
                *rifiuto = {false, QStringLiteral("Attenzione non è possibile leggere il file allegato : %1 (%2)").arg(percorso, file.errorString()),
                            QString()};
            return false;
        }
        al.aggiungi(QStringLiteral("Attachment"), QString::fromLatin1(file.readAll().toBase64()));
    }
    return true;
}

QByteArray scrivi(const Nodo &radice, const QString &versione)
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
    w.writeStartDocument(QStringLiteral("1.0"));
    // The root alone carries the prefix its own declaration binds; the elements below it are
    // unqualified, as the schema wants them.
    w.writeStartElement(QStringLiteral("p:FatturaElettronica"));
    w.writeAttribute(QStringLiteral("versione"), versione);
    w.writeAttribute(QStringLiteral("xmlns:ds"), QStringLiteral("http://www.w3.org/2000/09/xmldsig#"));
    w.writeAttribute(QStringLiteral("xmlns:p"), kNsFattura);
    w.writeAttribute(QStringLiteral("xmlns:xsi"), QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"));
    w.writeAttribute(QStringLiteral("xsi:schemaLocation"), kNsFattura + QStringLiteral(" fatturaordinaria_v1.2.1.xsd "));
    std::function<void(const Nodo &)> elemento = [&](const Nodo &n) {
        if (n.figli.empty()) {
            w.writeTextElement(n.nome, n.testo);
            return;
        }
        w.writeStartElement(n.nome);
        for (const Nodo &f : n.figli) elemento(f);
        w.writeEndElement();
    };
    for (const Nodo &f : radice.figli) elemento(f);
    w.writeEndElement();
    w.writeEndDocument();
    return xml;
}

} // namespace

QString descrizioneDocumento(db::Connection &c, qint64 id)
{
    Riga f(c, QStringLiteral("select FattNota, Num, Data from fattura where ID = :id"), parametroId(id));
    if (!f.trovata()) return QStringLiteral("il documento %1").arg(id);
    const QDateTime data = f.query().fieldByName(QStringLiteral("Data")).asDateTime();
    return QStringLiteral("%1 numero %2 del %3")
        .arg(f.b("FattNota") ? QStringLiteral("la nota di credito") : QStringLiteral("la fattura"))
        .arg(f.i("Num"))
        .arg(data.isValid() ? data.toString(QStringLiteral("dd/MM/yyyy")) : QString());
}

QString nomeFile(db::Connection &c, qint64 id)
{
    Riga ditta(c, QStringLiteral("select IdPaese, Trasmissione_CodFisc, CodFisc, PIva from ditta"));
    Riga f(c, QStringLiteral("select DatiTrasmissione_ProgressivoInvio from fattura where ID = :id"), parametroId(id));
    const QString codice = ditta.b("Trasmissione_CodFisc") ? ditta.t("CodFisc").toUpper() : ditta.t("PIva");
    return ditta.t("IdPaese") + codice + u'_' + common::CapCinqueCifre(f.t("DatiTrasmissione_ProgressivoInvio").left(5))
           + QStringLiteral(".xml");
}

QString verificaCoerenza(db::Connection &c, qint64 id)
{
    const Documento d = leggiTipo(c, id);
    const vendite::TabellaRighe tr = righeDi(d);
    auto numero = [](double v) { return QString::number(v, 'g', 15).replace(u'.', u','); };
    QString testo;
    Riga righe(c, QStringLiteral("select NumeroRiga, Um, ValoreUnitario, Sconto, AliquotaIva, TotaleImponibile from %1 "
                                 "where %2 = :id order by NumeroRiga, Idx")
                      .arg(tr.tabella, tr.legame),
               parametroId(id));
    db::Query &q = righe.query();
    for (q.first(); !q.eof(); q.next()) {
        const double um = righe.n("Um"), prezzo = righe.n("ValoreUnitario"), sconto = righe.n("Sconto");
        const double n = common::TotaleRigaNetto(false, um, prezzo, sconto, 0, 0, 0);
        if (righe.n("TotaleImponibile") != n)
            testo += QStringLiteral("La riga numero:") + QString::number(righe.i("NumeroRiga")) + QStringLiteral(" ha un imponibile di : ")
                     + numero(righe.n("TotaleImponibile")) + QStringLiteral(" diverso da quello calcolato: ") + numero(n) + u'\n';
    }
    // The totals as the one totals rule makes them (each rate and nature's VAT rounded once), so
    // a document stored by that rule is never reported as different.
    const vendite::Totali totali = vendite::calcolaTotali(c, d.notaCredito ? vendite::Righe::NotaCredito : vendite::Righe::Fattura, id);
    const double netto = totali.imponibile, imposta = totali.imposta;
    Riga f(c, QStringLiteral("select TotImponibile, TotImposta, TotFattura from fattura where ID = :id"), parametroId(id));
    if (f.n("TotImponibile") != netto)
        testo += QStringLiteral("Il totale imponibile della fattura: ha un imponibile di : ") + numero(f.n("TotImponibile"))
                 + QStringLiteral(" diverso da quello calcolato: ") + numero(netto) + u'\n';
    if (f.n("TotImposta") != imposta)
        testo += QStringLiteral("Il totale imposta della fattura: ha un valore di : ") + numero(f.n("TotImposta"))
                 + QStringLiteral(" diverso da quello calcolato: ") + numero(imposta) + u'\n';
    if (f.n("TotFattura") != totali.totale)
        testo += QStringLiteral("Il totale della fattura: ha un valore di : ") + numero(f.n("TotFattura"))
                 + QStringLiteral(" diverso da quello calcolato: ") + numero(totali.totale) + u'\n';
    return testo;
}

QString controllaCliente(db::Connection &c, qint64 id)
{
    Riga f(c, QStringLiteral("select Cliente_ID from fattura where ID = :id"), parametroId(id));
    Riga cli(c, QStringLiteral("select PubblicaAmministrazione, CodiceUnivocoUfficio, Codice, Pec, Iva from Clienti where Id = :id"),
             parametroId(f.i("Cliente_ID")));
    if (!cli.trovata())
        return QStringLiteral("Attenzione ! Il Cliente di %1 non è presente in archivio: la fattura elettronica non può essere esportata !")
            .arg(descrizioneDocumento(c, id));
    if (cli.b("PubblicaAmministrazione")) {
        if (cli.t("CodiceUnivocoUfficio").isEmpty())
            return QStringLiteral("Attenzione ! Nella scheda anagrafica del Cliente della fattura non è impostato il Codice Univoco "
                                  "Ufficio, necessario per le fatture elettroniche ! Prego impostarlo nella scheda anagrafica !");
    } else if (cli.t("Codice").isEmpty() && cli.t("Pec").isEmpty() && !cli.t("Iva").isEmpty()) {
        return QStringLiteral("Attenzione ! Nella scheda anagrafica del Cliente della fattura non è impostato la pec o il codice sdi. "
                              "Necessarii per le fatture elettroniche verso i privati! Prego impostarlo nella scheda anagrafica !");
    }
    return QString();
}

QByteArray costruisci(db::Connection &c, qint64 id, Esito *rifiuto)
{
    const Documento d = leggiTipo(c, id);
    Riga f(c, QStringLiteral("select * from fattura where ID = :id"), parametroId(id));
    Riga ditta(c, QStringLiteral("select * from ditta"));
    Riga cli(c, QStringLiteral("select * from Clienti where Id = :id"), parametroId(f.i("Cliente_ID")));
    if (!cli.trovata()) {
        if (rifiuto) *rifiuto = {false, controllaCliente(c, id), QString()};
        return {};
    }
    const Ditta flag{ditta.b("FatturaAnno"), ditta.b("FatturazioneMultipla")};
    Nodo radice{QStringLiteral("FatturaElettronica"), QString(), {}};
    intestazione(c, f, ditta, cli, radice);
    Nodo &corpo = radice.aggiungi(QStringLiteral("FatturaElettronicaBody"));
    datiGenerali(c, d, f, flag, corpo);
    beniServizi(c, d, f, corpo);
    pagamenti(c, d, f, corpo);
    // The attachments travel whether or not the document has instalments.
    if (!allegati(c, d, corpo, rifiuto)) return {};
    return scrivi(radice, f.t("DatiTrasmissione_FormatoTrasmissione"));
}

namespace {

struct Scrittura {
    qint64 id;
    QString percorso;
    QString documento;
    QByteArray xml;
};

Esito nonScritto(const Scrittura &s, const QString &perche)
{
    return {false, QStringLiteral("Attenzione il file %1 di %2 non è stato scritto: %3").arg(s.percorso, s.documento, perche), QString()};
}

QString erroreDiSistema() { return QString::fromLocal8Bit(std::strerror(errno)); }

// Flushes to the disk what was written in `cartella`'s file system, or to the folder itself.
bool rendiDurevole(const QString &cartella, bool fileSystem)
{
    const int fd = ::open(QFile::encodeName(cartella).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = (fileSystem ? ::syncfs(fd) : ::fsync(fd)) == 0;
    ::close(fd);
    return ok;
}

// Writes checked documents and marks them exported, all or none: each file is written whole
// under a temporary name beside its place, the files reach the disk with one flush of their
// file system (not one per file), are renamed into place inside the transaction that marks the
// documents, and the renames reach the disk before it commits. A failed write leaves no file
// and no mark; a refused commit removes the files.
Esito scriviESegna(db::Connection &c, const std::vector<Scrittura> &documenti)
{
    std::vector<QString> temporanei;
    auto pulisci = [&] {
        for (const QString &t : temporanei) QFile::remove(t);
    };
    QStringList cartelle;
    for (const Scrittura &s : documenti) {
        QTemporaryFile file(s.percorso + QStringLiteral(".XXXXXX"));
        file.setAutoRemove(false);
        if (!file.open()) {
            pulisci();
            return nonScritto(s, file.errorString());
        }
        temporanei.push_back(file.fileName());
        if (file.write(s.xml) != s.xml.size() || !file.flush()) {
            const QString perche = file.errorString();
            file.close();
            pulisci();
            return nonScritto(s, perche);
        }
        file.close();
        const QString cartella = QFileInfo(s.percorso).absolutePath();
        if (!cartelle.contains(cartella)) cartelle << cartella;
    }
    for (const QString &cartella : cartelle)
        if (!rendiDurevole(cartella, true)) {
            const QString perche = erroreDiSistema();
            pulisci();
            return nonScritto(documenti.front(), perche);
        }

    db::Transaction t(c);
    for (const Scrittura &s : documenti)
        c.execute(QStringLiteral("update fattura set EsportatoXml = true where ID = :id"), parametroId(s.id));
    std::vector<QString> scritti;
    auto togliScritti = [&] {
        for (const QString &f : scritti) QFile::remove(f);
    };
    for (size_t i = 0; i < documenti.size(); ++i) {
        // rename(2) replaces an existing file in one step, as an office exporting again expects.
        if (::rename(QFile::encodeName(temporanei[i]).constData(), QFile::encodeName(documenti[i].percorso).constData()) != 0) {
            const QString perche = erroreDiSistema();
            pulisci();
            togliScritti();
            return nonScritto(documenti[i], perche);
        }
        scritti.push_back(documenti[i].percorso);
    }
    for (const QString &cartella : cartelle)
        if (!rendiDurevole(cartella, false)) {
            const QString perche = erroreDiSistema();
            togliScritti();
            return nonScritto(documenti.front(), perche);
        }
    try {
        t.commit();
    } catch (...) {
        togliScritti();
        throw;
    }
    return {true, QString(), QString()};
}

// Builds and checks one document for `percorso`; a refusal in `rifiuto`.
std::optional<Scrittura> preparaScrittura(db::Connection &c, qint64 id, const QString &percorso, Esito *rifiuto)
{
    Scrittura s{id, percorso, descrizioneDocumento(c, id), costruisci(c, id, rifiuto)};
    if (s.xml.isEmpty()) return std::nullopt;
    *rifiuto = verifica(s.xml, s.documento);
    if (!rifiuto->riuscito) return std::nullopt;
    return s;
}

} // namespace

Esito esporta(db::Connection &c, qint64 id, const QString &percorso)
{
    Esito esito;
    const std::optional<Scrittura> s = preparaScrittura(c, id, percorso, &esito);
    if (!s) return esito;
    return scriviESegna(c, {*s});
}

QList<Esito> esportaTutti(db::Connection &c, const QList<qint64> &ids, const QString &cartella)
{
    QList<Esito> esiti;
    std::vector<Scrittura> pronti;
    std::vector<qsizetype> posizioni;
    for (qint64 id : ids) {
        Esito esito;
        const std::optional<Scrittura> s = preparaScrittura(c, id, QDir(cartella).filePath(nomeFile(c, id)), &esito);
        if (s) {
            esito = {true, QString(), QString()};
            posizioni.push_back(esiti.size());
            pronti.push_back(*s);
        }
        esiti << esito;
    }
    if (pronti.empty()) return esiti;
    const Esito scrittura = scriviESegna(c, pronti);
    if (!scrittura.riuscito)
        for (qsizetype i : posizioni) esiti[i] = scrittura;
    return esiti;
}

} // namespace fatturapa
