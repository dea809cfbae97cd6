#pragma once
// The SQL each report code must write, shared by the tests of the print dispatcher and of the
// print-request service.
#include "data/services/Stampe.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <iterator>

namespace attesi_stampe {

// The typed criteria of the expected texts: customer or supplier 1, 01/03/2026 to 31/03/2026,
// March 2026, bank 1, opening balance 1500,50.
inline CriteriStampa criteri()
{
    CriteriStampa c;
    c.soggetto = "1";
    c.daData = "01/03/2026";
    c.aData = "31/03/2026";
    c.mese = "3";
    c.anno = "2026";
    c.banca = "1";
    c.saldoIniziale = "1500,50";
    return c;
}

// The SQL each code must write, with the fixture's current records: credit note 12, quote 20,
// invoice 11, customer 2, supplier 1, vehicle 40, staff member 50, workstation POSTAZIONE1,
// and the typed criteria: customer or supplier 1, 01/03/2026 to 31/03/2026, March 2026, bank 1.
// The texts are written out whole, not assembled from the program's pieces, so that a changed
// word anywhere in a query shows here.
struct Atteso {
    int codice;
    const char *campo;
    const char *sql;
};

inline const Atteso kAttesi[] = {
    {1, "Query",
     "SELECT Clienti.NominativoDocumenti, Clienti.Cliente as RagioneSociale,Clienti.Cognome, "
     "Clienti.Nome, Clienti.Via, Clienti.Telefono, Clienti.Fax, Clienti.Cellulare, Clienti.EMail, "
     "Clienti.Citta, Clienti.Iva, Clienti.Provincia, Clienti.Cap, Clienti.CodFiscale, Clienti.Numero, "
     "Clienti.Codice, Clienti.SaldoInizioAnno FROM Clienti WHERE (((Clienti.Annullato)=0))"},
    {2, "Query",
     "SELECT prezziar.Codice, prezziar.Descrizione, prezziar.Prezzo, prezziar.PrezzoCompleto, "
     "prezziar.Sconto, prezziar.AliquotaIva, prezziar.Reparto, prezziar.Note, "
     "prezziar.DataInserimento, prezziar.Cliente, UnitaMisura.Descrizione AS UnitaMisura, "
     "prezziar.Tariffa, TipoFatturazione.Descrizione AS TipoFatturazione FROM ((prezziar LEFT JOIN "
     "Clienti ON prezziar.Cliente_ID = Clienti.Id) LEFT JOIN UnitaMisura ON prezziar.Um_Id = "
     "UnitaMisura.Id) LEFT JOIN TipoFatturazione ON prezziar.TipoFatturazione_Id = "
     "TipoFatturazione.id WHERE (((prezziar.Annullato)=0)) ORDER BY prezziar.Cliente, "
     "prezziar.Descrizione"},
    {3, "Query",
     "SELECT Fornitor.Fornitore, Fornitor.VIA, Fornitor.Comune, Fornitor.Cap, Fornitor.Numero, "
     "Fornitor.Telefono, Fornitor.Fax, Fornitor.Iva, Fornitor.Email, Fornitor.CodFiscale, "
     "Fornitor.Provincia, Fornitor.Cellulare, Fornitor.Codice, Fornitor.SaldoInizioAnno FROM Fornitor "
     "WHERE (((Fornitor.Annullato)=0))"},
    {4, "Query",
     "SELECT NotaCreditoRighe.Um, NotaCreditoRighe.ValoreUnitario, NotaCreditoRighe.Sconto, "
     "NotaCreditoRighe.ValoreTotale, NotaCreditoRighe.AliquotaIva, NotaCreditoRighe.Reparto, "
     "NotaCreditoRighe.Scaffale, NotaCreditoRighe.Descrizione, fattura.Data AS FatturaData, "
     "fattura.Num, fattura.TotImposta, fattura.TotFattura, fattura.TotImponibile, fattura.Cliente, "
     "fattura.NCFattNumRif, fattura.NCFattDataRif, fattura.Note, Bank.Banca, Bank.Comune, "
     "Bank.Provincia, Bank.Cap, Bank.Via, Bank.Numero AS BancaNumero, Bank.Iban, Iva.ID AS Iva_Id, "
     "Iva.Descrizione AS IVA_Descrizione, Iva.Pa_Natura_Codice AS IvaNatura, NotaCreditoRighe.Codice, ModPagamento.Descrizione AS "
     "ModPagamento, fattura.ID AS Fatt_ID, Clienti.Via AS CliVia, Clienti.Citta AS CliCitta, "
     "Clienti.Iva  AS CliIva, Clienti.Provincia AS CliProvincia, Clienti.Cap AS CliCap, "
     "Clienti.CodFiscale AS CliCodFiscale, Clienti.Numero AS CliNumero, Clienti.Codice AS CliCodice, "
     "fattura.SerieFatturazione, fattura.NCFatSerieRif, NotaCreditoRighe.Targa1, "
     "UnitaMisura.Descrizione AS UnitaMisura, Nazioni.DENOMINAZ, Clienti.DestinazioneMerce as "
     "CliDestMerce, fattura.Causale,NotaCreditoRighe.NumeroRiga FROM (((((NotaCreditoRighe INNER JOIN "
     "(fattura LEFT JOIN Bank ON fattura.Banca_ID = Bank.Id) ON NotaCreditoRighe.NotaCredito_ID = "
     "fattura.ID) LEFT JOIN Iva ON NotaCreditoRighe.Iva_Id = Iva.ID) LEFT JOIN ModPagamento ON "
     "fattura.ModPagamento_Id = ModPagamento.id) LEFT JOIN Clienti ON fattura.Cliente_ID = "
     "Clienti.Id) LEFT JOIN UnitaMisura ON NotaCreditoRighe.Um_ID = UnitaMisura.Id) LEFT JOIN (Comuni "
     "LEFT JOIN Nazioni ON Comuni.Nazione_ID = Nazioni.IDNazione) ON Clienti.Comune_id = Comuni.ID "
     "WHERE fattura.ID = 12 Order by NotaCreditoRighe.NumeroRiga"},
    {4, "QuerySottoreport1",
     "SELECT FatturaScadenze.Numero, FatturaScadenze.DataScadenza, FatturaScadenze.Operazione, "
     "FatturaScadenze.DataPagamento, FatturaScadenze.Importo, ModPagamento.Descrizione AS "
     "ModPagamento, FatturaScadenze.Note, FatturaScadenze.Dettagli, Bank.Banca, Bank.Iban, "
     "FatturaScadenze.Fattura_ID,ModPagamento.NonVisualizzareStampa FROM (FatturaScadenze LEFT JOIN "
     "ModPagamento ON FatturaScadenze.ModPagamento_Id = ModPagamento.id) LEFT JOIN Bank ON "
     "FatturaScadenze.Banca_ID = Bank.Id Where FatturaScadenze.Fattura_ID = 12 order by "
     "FatturaScadenze.Numero, FatturaScadenze.DataScadenza"},
    {5, "Query",
     "SELECT PreventiTestata.TotalePreventivo, PreventiTestata.Numero, PreventiTestata.Cliente, "
     "PreventiTestata.Data, PreventiRighe.ValoreTotale, PreventiRighe.Descrizione AS Articolo, "
     "PreventiRighe.Um AS Quantità, PreventiRighe.Reparto, PreventiRighe.Scaffale, "
     "PreventiRighe.ValoreUnitario, PreventiRighe.AliquotaIva, PreventiRighe.Sconto, "
     "PreventiRighe.Codice, PreventiTestata.TotImponibile, PreventiTestata.TotImposta, "
     "UnitaMisura.Descrizione AS UnitaMisura, PreventiTestata.DataIngressoVeicolo, "
     "PreventiTestata.DataUscitaVeicolo, PreventiTestata.Giorni, PreventiTestata.ProcPen, "
     "PreventiTestata.Gip, Clienti.Via AS CliVia, Clienti.Telefono AS CliTelefono, Clienti.Fax AS "
     "CliFax, Clienti.Citta AS CliCitta, Clienti.Iva AS CliIva, Clienti.Provincia AS CliProvincia, "
     "Clienti.Cap AS CliCap, Clienti.CodFiscale AS CliCodFiscale, Clienti.Numero AS CliNumero, "
     "Clienti.Codice AS CliCodice, Clienti.DestinazioneMerce AS CliDestMerce, Sequestri.AutoModello, "
     "Sequestri.Proprietario, PreventiTestata.Targa1 as AutoTarga, Iva.Descrizione as "
     "IvaDescrizione, Iva.Pa_Natura_Codice AS IvaNatura,PreventiRighe.NumeroRiga  FROM Sequestri RIGHT JOIN ((((PreventiRighe INNER JOIN "
     "PreventiTestata ON PreventiRighe.Prev_ID = PreventiTestata.ID) LEFT JOIN UnitaMisura ON "
     "PreventiRighe.Um_ID = UnitaMisura.Id) LEFT JOIN Clienti ON PreventiTestata.Cliente_ID = "
     "Clienti.Id) LEFT JOIN Iva ON PreventiRighe.Iva_ID = Iva.ID) ON Sequestri.Preventivo_Id = "
     "PreventiTestata.ID  WHERE PreventiTestata.ID = 20 Order by PreventiRighe.NumeroRiga"},
    {6, "Query",
     "SELECT Sequestri.Data, Sequestri.Numero, Sequestri.DataDissequestro, "
     "Sequestri.EnteSequestratore, Sequestri.Proprietario, Sequestri.TipoSequestro, "
     "Sequestri.AutoModello, Sequestri.Matricola, Sequestri.AutoTarga, Sequestri.Confisca, "
     "Sequestri.Note FROM Sequestri ORDER BY Sequestri.Data, Sequestri.Numero"},
    {7, "Query",
     "SELECT fattura.Data AS DataFattura, Clienti.Id AS Cliente_ID,  Clienti.NominativoDocumenti as "
     "Cliente, fattura.Num AS Numero, fattura.SerieFatturazione, ModPagamento.Descrizione AS "
     "ModalitaPagamento, fattura.TotImposta, fattura.TotImponibile, fattura.TotFattura, Bank.Banca, "
     "fattura.FattNota, fattura.ID AS IdeFattura, Clienti.SaldoInizioAnno, fattura.ScissionePagamenti "
     "FROM ((fattura LEFT JOIN Bank ON fattura.Banca_ID = Bank.Id) LEFT JOIN ModPagamento ON "
     "fattura.ModPagamento_Id = ModPagamento.id) RIGHT JOIN Clienti ON fattura.Cliente_ID = "
     "Clienti.Id  where Clienti.ID=1 and  fattura.Data>=#3/1/2026# and \tfattura.Data <=#3/31/2026 "
     "23.59.59# ORDER BY Clienti.NominativoDocumenti, fattura.Data"},
    {7, "QuerySottoreport1",
     "SELECT finanzia.Data, finanzia.Operazione, finanzia.Entrata, finanzia.Uscita, "
     "finanzia.Cliente_id, finanzia.Fornitore_id, ModPagamento.Descrizione AS ModPagamento FROM "
     "finanzia LEFT JOIN ModPagamento ON finanzia.ModPagamento_Id = ModPagamento.id where "
     "Finanzia.Cliente_id=1 and  finanzia.Data>=#3/1/2026# and \tfinanzia.Data <=#3/31/2026 23.59.59# "
     "order by finanzia.Data"},
    {8, "Query",
     "SELECT fattdett.Codice, fattdett.TipoRiga, Iva.ID AS Iva_ID, Iva.Descrizione AS "
     "IVA_Descrizione, Iva.Pa_Natura_Codice AS IvaNatura, fattdett.Reparto, fattdett.AliquotaIva, fattdett.ValoreTotale, "
     "fattdett.Sconto, fattdett.ValoreUnitario, fattdett.Um, fattdett.Descrizione, fattura.Num, "
     "fattura.TotImposta, fattura.TotFattura, fattura.TotImponibile, Bank.Banca, Bank.Comune, "
     "Bank.Provincia, Bank.Cap, Bank.Via, Bank.Numero AS BancaNumero, fattura.Data AS FatturaData, "
     "fattdett.note AS RigheNote, fattura.Note AS TestataNote, ModPagamento.Descrizione AS "
     "ModPagamento, fattdett.note, fattura.ConaiAssolto, FatturaAspetto.Descrizione AS Aspetto, "
     "FatturaPorto.Descrizione AS Porto, Personale.Personale, Personale.Iva AS PersIva, "
     "Personale.CodFisc AS PersCodFisc,  Personale.Tel AS PerTels, Personale.Fax AS PersFax, "
     "Personale.Cell AS PersCell, Personale.Numero AS PersNum, Personale.Codice AS PersCodice, "
     "Comuni.Comune AS PersComune, Personale.Indirizzo AS PersIndirizzo, Comuni.Provincia AS "
     "PersProvincia, Vettore.Descrizione AS VettoreDesc, Clienti.NominativoDocumenti as Cliente, "
     "Clienti.Via AS CliVia, Clienti.Telefono AS CliTelefono, Clienti.Fax AS CliFax, Clienti.Citta AS "
     "CliCitta, Clienti.Iva AS CliIva, Clienti.Provincia AS CliProvincia, Clienti.Cap AS CliCap, "
     "Clienti.CodFiscale AS CliCodFiscale, Clienti.Numero AS CliNumero, Clienti.Codice AS CliCodice, "
     "Clienti.DestinazioneMerce AS CliDestMerce, Vettore.VettoreVisibile, Comuni.CAP AS PersCap, "
     "fattura.SerieFatturazione, fattdett.RIFDDT, fattdett.DataDDT,  fattdett.Targa1, "
     "fattura.ReferenteIva, UnitaMisura.Descrizione AS UnitaMisura, Bank.Iban AS IbanAzienda, "
     "fattura.TipoTariffa_Id, fattura.TipoFatturazione_Id, fattura.ComuneFermo_ID, "
     "fattura.ComuneDestinazione_ID, fattura.Targa, fattura.DataIngressoVeicolo, "
     "fattura.DataUscitaVeicolo, TipoTariffe.Descrizione AS TipoTariffa, TipoFatturazione.Descrizione "
     "AS TipoFatturazione, Comuni_1.Comune AS ComuneRitiro, Comuni_2.Comune AS ComuneDestinazione, "
     "fattura.Km, fattura.Giorni, fattura.Causale,fattdett.NumeroRiga FROM (((((Vettore RIGHT JOIN "
     "(((((((fattdett LEFT JOIN Iva ON fattdett.Iva_ID = Iva.ID) INNER JOIN ((fattura LEFT JOIN Bank "
     "ON fattura.Banca_ID = Bank.Id) LEFT JOIN ModPagamento ON fattura.ModPagamento_Id = "
     "ModPagamento.id) ON fattdett.NumFatt = fattura.ID) LEFT JOIN Clienti ON fattura.Cliente_ID = "
     "Clienti.Id) LEFT JOIN FatturaAspetto ON fattura.Aspetto_ID = FatturaAspetto.id) LEFT JOIN "
     "FatturaPorto ON fattura.Porto_ID = FatturaPorto.id) LEFT JOIN Personale ON fattura.Personale_ID "
     "= Personale.Id) LEFT JOIN Comuni ON Personale.Comune_Id = Comuni.ID) ON Vettore.id = "
     "fattura.Vettore_ID) LEFT JOIN UnitaMisura ON fattdett.Um_ID = UnitaMisura.Id) LEFT JOIN "
     "TipoTariffe ON fattura.TipoTariffa_Id = TipoTariffe.id) LEFT JOIN TipoFatturazione ON "
     "fattura.TipoFatturazione_Id = TipoFatturazione.id) LEFT JOIN Comuni AS Comuni_1 ON "
     "fattura.ComuneFermo_ID = Comuni_1.ID) LEFT JOIN Comuni AS Comuni_2 ON "
     "fattura.ComuneDestinazione_ID = Comuni_2.ID WHERE fattura.ID = 11 Order by fattdett.NumeroRiga"},
    {8, "QuerySottoreport1",
     "SELECT FatturaScadenze.Numero, FatturaScadenze.DataScadenza, FatturaScadenze.Operazione, "
     "FatturaScadenze.DataPagamento, FatturaScadenze.Importo, ModPagamento.Descrizione AS "
     "ModPagamento, FatturaScadenze.Note, FatturaScadenze.Dettagli, Bank.Banca, Bank.Iban, "
     "FatturaScadenze.Fattura_ID,ModPagamento.NonVisualizzareStampa FROM ((FatturaScadenze LEFT JOIN "
     "ModPagamento ON FatturaScadenze.ModPagamento_Id = ModPagamento.id) LEFT JOIN Bank ON "
     "FatturaScadenze.Banca_ID = Bank.Id) INNER JOIN fattura ON FatturaScadenze.Fattura_ID = "
     "fattura.ID Where FatturaScadenze.Fattura_ID = 11 order by FatturaScadenze.Numero, "
     "FatturaScadenze.DataScadenza"},
    {8, "QuerySottoreport2",
     "SELECT OrdiniClienti.Data, OrdiniClienti.Numero, OrdiniClienti.CodiceCig, "
     "OrdiniClienti.CodiceCup, OrdiniClienti.CodiceCommessaConvenzione, OrdiniClienti.Note FROM "
     "OrdiniClienti INNER JOIN fattura ON OrdiniClienti.Fattura_ID = fattura.ID WHERE fattura.ID = 11 "
     "order by OrdiniClienti.Data"},
    {9, "Query",
     "SELECT finanzia.Data, TipologiaPrimaNota.Descrizione AS Tipologia, finanzia.Operazione, "
     "Fornitor.Fornitore, Clienti.NominativoDocumenti as Cliente, finanzia.Entrata, finanzia.Uscita, "
     "finanzia.Note, finanzia.Tipologia_ID, ModPagamento.Descrizione AS ModalitaPagamento, "
     "Bank.Banca, Bank.Iban, ContabilitaConti.Descrizione as ContabilitaConto, "
     "finanzia.Corrispettivi, finanzia.AliquotaIva FROM (((((finanzia LEFT JOIN Clienti ON "
     "finanzia.Cliente_id = Clienti.Id) LEFT JOIN Fornitor ON finanzia.Fornitore_id = Fornitor.Id) "
     "LEFT JOIN ModPagamento ON finanzia.ModPagamento_Id = ModPagamento.id) LEFT JOIN Bank ON "
     "finanzia.Banca_ID = Bank.Id) LEFT JOIN TipologiaPrimaNota ON finanzia.Tipologia_ID = "
     "TipologiaPrimaNota.Id) LEFT JOIN ContabilitaConti ON finanzia.ContabilitaConti_ID = "
     "ContabilitaConti.ID ORDER BY finanzia.Tipologia_ID,finanzia.Data, finanzia.Operazione"},
    {12, "Query",
     "SELECT fattura.Data AS DataFattura, Clienti.NominativoDocumenti as Cliente, "
     "ClientiCategoria.Descrizione AS CategoriaCliente, fattura.Num AS Numero, "
     "ModPagamento.Descrizione AS ModalitaPagamento, fattura.TotImposta, fattura.TotImponibile, "
     "fattura.TotFattura, fattura.SerieFatturazione, fattura.FattNota, FatturaScadenze.Importo AS "
     "ImportoPagamento, FatturaScadenze.Dettagli AS DettagliPagamento, FatturaScadenze.DataPagamento, "
     "fattura.ID AS IdeFattura, FatturaScadenze.Pagato, Bank.Banca, Bank.Iban, "
     "fattura.ScissionePagamenti FROM ((((FatturaScadenze RIGHT JOIN fattura ON "
     "FatturaScadenze.Fattura_ID = fattura.ID) LEFT JOIN Clienti ON fattura.Cliente_ID = Clienti.Id) "
     "LEFT JOIN ClientiCategoria ON Clienti.Categoria_ID = ClientiCategoria.ID) LEFT JOIN Bank ON "
     "FatturaScadenze.Banca_ID = Bank.Id) LEFT JOIN ModPagamento ON FatturaScadenze.ModPagamento_Id = "
     "ModPagamento.id Where Fattura.Carico=false ORDER BY fattura.Cliente, fattura.Data"},
    {13, "Query",
     "SELECT fattura.Fornitore, fattura.DataRegistrazione, fattura.ProgressivoCarico AS "
     "NumeroRegistrazione, fattura.NumeroCarico AS NumeroFattura, fattura.Data AS DataFattura, "
     "ModPagamento.Descrizione AS ModalitaPagamento, fattura.TotImposta, fattura.TotImponibile, "
     "fattura.TotFattura, fattura.FattNota, FornitorCategoria.Descrizione AS CategoriaFornitore, "
     "FatturaScadenze.Importo AS ImportoPagamento, FatturaScadenze.Dettagli AS DettagliPagamento, "
     "FatturaScadenze.DataPagamento, fattura.ID AS IdeFattura, FatturaScadenze.Pagato, Bank.Banca, "
     "Bank.Iban FROM ((FatturaScadenze RIGHT JOIN ((fattura LEFT JOIN Fornitor ON "
     "fattura.Fornitore_ID = Fornitor.Id) LEFT JOIN FornitorCategoria ON Fornitor.Categoria_ID = "
     "FornitorCategoria.ID) ON FatturaScadenze.Fattura_ID = fattura.ID) LEFT JOIN Bank ON "
     "FatturaScadenze.Banca_ID = Bank.Id) LEFT JOIN ModPagamento ON FatturaScadenze.ModPagamento_Id = "
     "ModPagamento.id Where Fattura.Carico=true ORDER BY fattura.Fornitore, fattura.DataRegistrazione"},
    {14, "Query",
     "SELECT fattura.DataRegistrazione, fattura.ProgressivoCarico as Progressivo,fattura.Data, "
     "fattura.NumeroCarico AS Numero, ModPagamento.Descrizione AS ModalitaPagamento, "
     "fattura.TotImposta, fattura.TotImponibile, fattura.TotFattura, Bank.Banca, fattura.Fornitore "
     "FROM (fattura LEFT JOIN Bank ON fattura.Banca_ID = Bank.Id) LEFT JOIN ModPagamento ON "
     "fattura.ModPagamento_Id = ModPagamento.id WHERE fattura.Carico=True and fattura.FattNota=true "
     "ORDER BY fattura.Data, fattura.NumeroCarico"},
    {15, "Query",
     "SELECT TempBilancio.DescrizioneData,TempBilancio.Carico, TempBilancio.Corrispettivi, "
     "TempBilancio.TotaleIva, TempBilancio.TotaleImponibile, ContabilitaConti.Descrizione as Conto, "
     "ContabilitaRaggruppamenti.Descrizione as Raggruppamento, ContabilitaClassi.Descrizione as "
     "Classe,ContabilitaClassi.Id as IdeClasse FROM ((TempBilancio LEFT JOIN ContabilitaConti ON "
     "TempBilancio.ContabilitaConti_ID = ContabilitaConti.ID) LEFT JOIN ContabilitaRaggruppamenti ON "
     "ContabilitaConti.Raggruppamento_ID = ContabilitaRaggruppamenti.Id) LEFT JOIN ContabilitaClassi "
     "ON ContabilitaRaggruppamenti.Classe_ID = ContabilitaClassi.Id where TempBilancio.NomeComputer = "
     "'POSTAZIONE1'"},
    {16, "Query",
     "SELECT ContabilitaChiusuraIvaTrimestre.Anno, ContabilitaChiusuraIvaTrimestre.Trimestre, "
     "ContabilitaChiusuraIvaTrimestre.AcquistiImponibile, "
     "ContabilitaChiusuraIvaTrimestre.AcquistiImposta, "
     "ContabilitaChiusuraIvaTrimestre.VenditaImponibile, "
     "ContabilitaChiusuraIvaTrimestre.VenditaImposta, "
     "ContabilitaChiusuraIvaTrimestre.CorrispettiviImponibile, "
     "ContabilitaChiusuraIvaTrimestre.CorrispettiviImposta, "
     "ContabilitaChiusuraIvaTrimestre.TotaleIvaDebito, "
     "ContabilitaChiusuraIvaTrimestre.TotaleIvaCredito, "
     "ContabilitaChiusuraIvaTrimestre.CreditoResiduoTrimestrePassato, "
     "ContabilitaChiusuraIvaTrimestreRighe.Iva_ID, ContabilitaChiusuraIvaTrimestreRighe.Carico, "
     "ContabilitaChiusuraIvaTrimestreRighe.Corrispettivi, "
     "ContabilitaChiusuraIvaTrimestreRighe.IvaDescrizione, "
     "ContabilitaChiusuraIvaTrimestreRighe.TotaleIva, "
     "ContabilitaChiusuraIvaTrimestreRighe.TotaleImponibile, ContabilitaTrimestri.Descrizione as "
     "DescrizioneTrimestre FROM ((ContabilitaChiusuraIvaTrimestreRighe INNER JOIN "
     "ContabilitaChiusuraIvaTrimestre ON "
     "ContabilitaChiusuraIvaTrimestreRighe.ContabilitaChiusuraIvaTrimestre_ID = "
     "ContabilitaChiusuraIvaTrimestre.id) LEFT JOIN ContabilitaTrimestri ON "
     "ContabilitaChiusuraIvaTrimestre.Trimestre = ContabilitaTrimestri.Numero) INNER JOIN Iva ON "
     "ContabilitaChiusuraIvaTrimestreRighe.Iva_ID = Iva.ID ORDER BY Carico,Corrispettivi"},
    {17, "Query",
     "SELECT fattura.Data AS DataFattura, fattura.NumeroCarico AS Numero,ModPagamento.Descrizione AS "
     "ModalitaPagamento, fattura.TotImposta, fattura.TotImponibile, fattura.TotFattura, Bank.Banca, "
     "fattura.FattNota, fattura.ID AS IdeFattura, Fornitor.Fornitore, fattura.DataRegistrazione, "
     "fattura.ProgressivoCarico,Fornitor.Id as Fornitore_ID,Fornitor.SaldoInizioAnno FROM ((fattura "
     "LEFT JOIN Bank ON fattura.Banca_ID = Bank.Id) LEFT JOIN ModPagamento ON fattura.ModPagamento_Id "
     "= ModPagamento.id) RIGHT JOIN Fornitor ON fattura.Fornitore_ID = Fornitor.Id  where "
     "Fornitor.ID=1 and  fattura.DataRegistrazione>=#3/1/2026# and  fattura.DataRegistrazione "
     "<=#3/31/2026 23.59.59# ORDER BY Fornitor.Fornitore,fattura.DataRegistrazione"},
    {17, "QuerySottoreport1",
     "SELECT finanzia.Data, finanzia.Operazione, finanzia.Entrata, finanzia.Uscita, "
     "finanzia.Cliente_id, finanzia.Fornitore_id, ModPagamento.Descrizione AS ModPagamento FROM "
     "finanzia LEFT JOIN ModPagamento ON finanzia.ModPagamento_Id = ModPagamento.id where "
     "finanzia.Fornitore_id=1 and  finanzia.Data >=#3/1/2026# and  finanzia.Data <=#3/31/2026 "
     "23.59.59# order by finanzia.Data"},
    {18, "Query",
     "SELECT PersonaleCosti.Data, PersonaleCosti.TipologiaCosto, PersonaleCosti.Note, "
     "PersonaleCosti.Importo, Personale.Personale, CategoriePersonale.Descrizione as "
     "CategoriaPersonale FROM (PersonaleCosti INNER JOIN Personale ON PersonaleCosti.Personale_ID = "
     "Personale.Id) LEFT JOIN CategoriePersonale ON Personale.CategoriaPersonale_ID = "
     "CategoriePersonale.Id WHERE Personale.ID = 50 Order by Data"},
    {19, "Query",
     "SELECT PersonaleCosti.Data, PersonaleCosti.TipologiaCosto, PersonaleCosti.Note, "
     "PersonaleCosti.Importo, Personale.Personale, CategoriePersonale.Descrizione as "
     "CategoriaPersonale FROM (PersonaleCosti INNER JOIN Personale ON PersonaleCosti.Personale_ID = "
     "Personale.Id) LEFT JOIN CategoriePersonale ON Personale.CategoriaPersonale_ID = "
     "CategoriePersonale.Id Order by Personale,Data"},
    {20, "Query",
     "SELECT FatturaScadenze.DataScadenza, Clienti.NominativoDocumenti as Cliente, "
     "ClientiCategoria.Descrizione as CategoriaCliente, ModPagamento.Descrizione AS "
     "ModalitaPagamento, FatturaScadenze.Importo, fattura.Data AS DataFattura, fattura.Num AS "
     "NumeroFattura, FatturaScadenze.Operazione, fattura.SerieFatturazione, fattura.FattNota, "
     "Bank.Banca, Bank.Iban, Clienti.Telefono, Clienti.Cellulare FROM ((((FatturaScadenze INNER JOIN "
     "fattura ON FatturaScadenze.Fattura_ID = fattura.ID) LEFT JOIN Clienti ON "
     "FatturaScadenze.Cliente_id = Clienti.Id) LEFT JOIN Bank ON FatturaScadenze.Banca_ID = Bank.Id) "
     "LEFT JOIN ModPagamento ON FatturaScadenze.ModPagamento_Id = ModPagamento.id) LEFT JOIN "
     "ClientiCategoria ON Clienti.Categoria_ID = ClientiCategoria.ID WHERE "
     "FatturaScadenze.DataPagamento Is Null AND FatturaScadenze.Tipo <> 'C' AND FatturaScadenze.Tipo "
     "<> 'B' ORDER BY FatturaScadenze.DataScadenza"},
    {21, "Query",
     "SELECT FatturaScadenze.DataScadenza, Clienti.NominativoDocumenti as Cliente, "
     "ClientiCategoria.Descrizione AS CategoriaCliente, ModPagamento.Descrizione AS "
     "ModalitaPagamento, FatturaScadenze.Importo, fattura.Data AS DataFattura, fattura.Num AS "
     "NumeroFattura, FatturaScadenze.Operazione, fattura.SerieFatturazione, "
     "FatturaScadenze.DataPagamento, FatturaScadenze.Dettagli, fattura.FattNota, Bank.Banca, "
     "Bank.Iban FROM ((((FatturaScadenze INNER JOIN fattura ON FatturaScadenze.Fattura_ID = "
     "fattura.ID) LEFT JOIN Clienti ON FatturaScadenze.Cliente_id = Clienti.Id) LEFT JOIN Bank ON "
     "FatturaScadenze.Banca_ID = Bank.Id) LEFT JOIN ModPagamento ON FatturaScadenze.ModPagamento_Id = "
     "ModPagamento.id) LEFT JOIN ClientiCategoria ON Clienti.Categoria_ID = ClientiCategoria.ID WHERE "
     "FatturaScadenze.DataPagamento Is Not Null AND FatturaScadenze.Tipo <> 'C' AND "
     "FatturaScadenze.Tipo <> 'B' ORDER BY FatturaScadenze.DataScadenza"},
    {22, "Query",
     "SELECT Cisterne.Descrizione AS Cisterna, Cisterne.Litri, Carburanti.Descrizione AS Carburante, "
     "Carburanti.Prezzo AS PrezzoCarburante, Cisterne.id as Cisterna_ID FROM Cisterne LEFT JOIN "
     "Carburanti ON Cisterne.Carburante_ID = Carburanti.id order by Cisterne.Descrizione"},
    {22, "QuerySottoreport1",
     "SELECT CisterneCarico.Data, CisterneCarico.Importo, CisterneCarico.Litri, "
     "CisterneCarico.Cisterna_ID, fattura.Data as FatturaData, fattura.Num as FatturaNumero, "
     "fattura.Fornitore FROM (CisterneCarico INNER JOIN Cisterne ON CisterneCarico.Cisterna_ID = "
     "Cisterne.id) LEFT JOIN fattura ON CisterneCarico.Fattura_ID = fattura.ID order by "
     "Cisterne.Descrizione,CisterneCarico.Data"},
    {22, "QuerySottoreport2",
     "SELECT VettureCarburante.Cisterna_ID, VettureCarburante.Data, VettureCarburante.Litri, "
     "VettureCarburante.Importo, VettureCarburante.Note, Vetture.Targa, Vetture.NumTelaio, "
     "Personale.Personale, Personale.CodFisc FROM ((VettureCarburante INNER JOIN Cisterne ON "
     "VettureCarburante.Cisterna_ID = Cisterne.id) INNER JOIN Vetture ON VettureCarburante.Vettura_ID "
     "= Vetture.ID) LEFT JOIN Personale ON VettureCarburante.Personale_ID = Personale.Id order by "
     "Cisterne.Descrizione,VettureCarburante.Data"},
    {23, "Query",
     "SELECT Calendario.Id, Calendario.Data, Calendario.TipologiaCalendario, Calendario.Note, "
     "Calendario.Personale, Calendario.Cliente, prezziar.Descrizione as Tariffa FROM Calendario LEFT "
     "JOIN prezziar ON Calendario.Tariffa_ID = prezziar.Id ORDER BY Calendario.Data, "
     "Calendario.Personale"},
    {24, "Query",
     "SELECT finanzia.Data, TipologiaPrimaNota.Descrizione AS Tipologia, finanzia.Operazione, "
     "Fornitor.Fornitore, Clienti.NominativoDocumenti as Cliente, finanzia.Entrata, finanzia.Uscita, "
     "finanzia.Note, finanzia.Tipologia_ID, ModPagamento.Descrizione AS ModalitaPagamento, "
     "Bank.Banca, Bank.Iban, ContabilitaConti.Descrizione as ContabilitaConto, "
     "finanzia.Corrispettivi, finanzia.AliquotaIva FROM (((((finanzia LEFT JOIN Clienti ON "
     "finanzia.Cliente_id = Clienti.Id) LEFT JOIN Fornitor ON finanzia.Fornitore_id = Fornitor.Id) "
     "LEFT JOIN ModPagamento ON finanzia.ModPagamento_Id = ModPagamento.id) LEFT JOIN Bank ON "
     "finanzia.Banca_ID = Bank.Id) LEFT JOIN TipologiaPrimaNota ON finanzia.Tipologia_ID = "
     "TipologiaPrimaNota.Id) LEFT JOIN ContabilitaConti ON finanzia.ContabilitaConti_ID = "
     "ContabilitaConti.ID where Month(Finanzia.Data)=3 and Year(Finanzia.Data)= 2026 and "
     "Finanzia.Banca_ID=1 ORDER BY finanzia.Data, finanzia.Operazione"},
    {25, "Query",
     "SELECT Personale.Personale,  CategoriePersonale.Descrizione as Categoria, Personale.Iva AS "
     "PartitaIva, Personale.CodFisc AS CodiceFiscale, Personale.Tel AS telefono, Personale.Fax, "
     "Personale.Cell AS Cellulare, Personale.Indirizzo, Personale.Numero, Comuni.Comune, "
     "Comuni.Provincia, Comuni.CAP, Personale.DataNascita, Personale.Documento, Personale.DocTipo, "
     "Personale.PagaMensile, Personale.TariffaGiornaliera, Personale.DataAssunzione, Personale.CQC, "
     "Personale.Tachigrafo, Personale.DataFineRapporto FROM (Personale LEFT JOIN Comuni ON "
     "Personale.Comune_Id = Comuni.ID) LEFT JOIN CategoriePersonale ON "
     "Personale.CategoriaPersonale_ID = CategoriePersonale.Id WHERE (((Personale.Annullato)=False))"},
    {26, "Query",
     "SELECT TempoEtichetteStatiche.Descrizione, TempoEtichetteStatiche.Prezzo, "
     "TempoEtichetteStatiche.Barre, prezziar.Codice FROM TempoEtichetteStatiche INNER JOIN prezziar "
     "ON TempoEtichetteStatiche.Articolo_ID = prezziar.Id WHERE NomeComputer ='POSTAZIONE1'"},
    {27, "Query",
     "SELECT finanzia.Data, TipologiaPrimaNota.Descrizione AS Tipologia, finanzia.Operazione, "
     "Fornitor.Fornitore, Clienti.NominativoDocumenti as Cliente, finanzia.Entrata, finanzia.Uscita, "
     "finanzia.Note, finanzia.Tipologia_ID, ModPagamento.Descrizione AS ModalitaPagamento, "
     "Bank.Banca, Bank.Iban, ContabilitaConti.Descrizione as ContabilitaConto, "
     "finanzia.Corrispettivi, finanzia.AliquotaIva FROM (((((finanzia LEFT JOIN Clienti ON "
     "finanzia.Cliente_id = Clienti.Id) LEFT JOIN Fornitor ON finanzia.Fornitore_id = Fornitor.Id) "
     "LEFT JOIN ModPagamento ON finanzia.ModPagamento_Id = ModPagamento.id) LEFT JOIN Bank ON "
     "finanzia.Banca_ID = Bank.Id) LEFT JOIN TipologiaPrimaNota ON finanzia.Tipologia_ID = "
     "TipologiaPrimaNota.Id) LEFT JOIN ContabilitaConti ON finanzia.ContabilitaConti_ID = "
     "ContabilitaConti.ID where Month(Finanzia.Data)=3 and Year(Finanzia.Data)= 2026 ORDER BY "
     "finanzia.Tipologia_ID,finanzia.Data, finanzia.Operazione"},
    {28, "Query",
     "SELECT TempContabilitaConto.DescrizioneData, ContabilitaConti.Descrizione AS Conto, "
     "ContabilitaRaggruppamenti.Descrizione AS Raggruppamento, ContabilitaClassi.Descrizione AS "
     "Classe, ContabilitaClassi.Id AS IdeClasse, TempContabilitaConto.TotaleImponibile, "
     "TempContabilitaConto.Descrizione, TempContabilitaConto.Tipologia, "
     "TempContabilitaConto.NumeroDocumento, TempContabilitaConto.SerieFatturazione, "
     "TempContabilitaConto.DataDocumento, TempContabilitaConto.DataRegistrazione, "
     "TempContabilitaConto.ProgressivoCarico, TempContabilitaConto.DescrizioneTipologia FROM "
     "((TempContabilitaConto LEFT JOIN ContabilitaConti ON TempContabilitaConto.ContabilitaConti_ID = "
     "ContabilitaConti.ID) LEFT JOIN ContabilitaRaggruppamenti ON ContabilitaConti.Raggruppamento_ID "
     "= ContabilitaRaggruppamenti.Id) LEFT JOIN ContabilitaClassi ON "
     "ContabilitaRaggruppamenti.Classe_ID = ContabilitaClassi.Id where "
     "TempContabilitaConto.NomeComputer = 'POSTAZIONE1' order by "
     "TempContabilitaConto.DescrizioneTipologia,TempContabilitaConto.NumeroDocumento"},
    {29, "Query",
     "SELECT Sequestri.Data, Sequestri.Numero, Sequestri.EnteSequestratore, Sequestri.Proprietario, "
     "Sequestri.TipoSequestro, Sequestri.AutoModello, Sequestri.Matricola, Sequestri.AutoTarga, "
     "Sequestri.Confisca, Sequestri.Note FROM Sequestri where Sequestri.DataDissequestro is null or "
     "Sequestri.DataDissequestro<#01/01/1900# ORDER BY Sequestri.Data, Sequestri.Numero"},
    // The billing type is joined by the invoice's own billing-type key.
    {30, "Query",
     "SELECT fattura.Data AS DataFattura, ClientiCategoria.Descrizione AS CategoriaCliente, "
     "fattura.Num AS Numero, fattura.SerieFatturazione, fattura.Cliente, fattura.Targa, "
     "fattura.DataIngressoVeicolo, fattura.DataUscitaVeicolo, ModPagamento.Descrizione AS "
     "ModoPagamento,Comuni_1.Comune as ComuneFermo, Comuni.Comune as ComuneDestinazione, "
     "TipoFatturazione.Descrizione as TipoFattura, TipoTariffe.Descrizione as Tariffa,  "
     "fattura.TotImposta, fattura.TotFattura, fattura.TotImponibile, fattura.Note, Bank.Banca, "
     "Bank.Iban, fattura.Km, fattura.Giorni, fattura.Depositata, fattura.ScissionePagamenti FROM "
     "(((((((fattura LEFT JOIN ModPagamento ON fattura.ModPagamento_Id = ModPagamento.id) LEFT JOIN "
     "Bank ON fattura.Banca_ID = Bank.Id) LEFT JOIN Clienti ON fattura.Cliente_ID = Clienti.Id) LEFT "
     "JOIN ClientiCategoria ON Clienti.Categoria_ID = ClientiCategoria.ID) LEFT JOIN TipoTariffe ON "
     "fattura.TipoTariffa_Id = TipoTariffe.id) LEFT JOIN TipoFatturazione ON "
     "fattura.TipoFatturazione_Id = TipoFatturazione.id) LEFT JOIN Comuni AS Comuni_1 ON "
     "fattura.ComuneFermo_ID = Comuni_1.ID) LEFT JOIN Comuni ON fattura.ComuneDestinazione_ID = "
     "Comuni.ID WHERE (((fattura.Carico)=False) AND ((fattura.FattNota)=False)) ORDER BY "
     "fattura.Data, fattura.Num"},
    {31, "Query",
     "SELECT fattura.DataRegistrazione, fattura.ProgressivoCarico, fattura.NumeroCarico AS Numero, "
     "fattura.Data AS DataFattura, ModPagamento.Descrizione AS ModalitaPagamento, fattura.TotImposta, "
     "fattura.TotImponibile, fattura.TotFattura, Bank.Banca, fattura.Fornitore, "
     "FornitorCategoria.Descrizione AS Categoria, Personale.Personale, Personale.CodFisc, "
     "Vetture.Targa, Vetture.VeicoloDesc as Vettura,fattura.RitenutaAcconto FROM ((((fattura LEFT "
     "JOIN Bank ON fattura.Banca_ID = Bank.Id) LEFT JOIN ModPagamento ON fattura.ModPagamento_Id = "
     "ModPagamento.id) LEFT JOIN (Fornitor LEFT JOIN FornitorCategoria ON Fornitor.Categoria_ID = "
     "FornitorCategoria.ID) ON fattura.Fornitore_ID = Fornitor.Id) LEFT JOIN Personale ON "
     "fattura.Personale_ID = Personale.Id) LEFT JOIN Vetture ON fattura.Vettura_ID = Vetture.ID WHERE "
     "fattura.Carico=True and fattura.FattNota=false ORDER BY fattura.Data, fattura.NumeroCarico"},
    // Only this workstation's notices and customers.
    {32, "Query",
     "SELECT Clienti.NominativoDocumenti as Cliente, Clienti.Via AS AssociatoIndirizzo, "
     "Clienti.Telefono AS AssociatoTelefono, Clienti.Cellulare AS AssociatoCellulare, Clienti.Citta "
     "AS AssociatoComune, Clienti.Provincia AS AssociatoProvincia, Clienti.Cap AS AssociatoCap, "
     "Clienti.CodFiscale AS AssociatoCodFiscale, Clienti.Numero AS AssociatoCivico, TempAvvisi.Testo, "
     "Clienti.Iva as PartitaIva FROM (TempAvvisiClienti INNER JOIN Clienti ON "
     "TempAvvisiClienti.Cliente_ID = Clienti.Id) INNER JOIN TempAvvisi ON "
     "TempAvvisiClienti.NomeComputer = TempAvvisi.NomeComputer WHERE TempAvvisiClienti.NomeComputer "
     "='POSTAZIONE1' ORDER BY Clienti.NominativoDocumenti"},
    {33, "Query",
     "SELECT fattura.Data, fattura.Num AS Numero, ModPagamento.Descrizione AS ModalitaPagamento, "
     "fattura.TotImposta, fattura.TotImponibile, fattura.TotFattura, fattura.Cliente, "
     "fattura.SerieFatturazione, fattura.Depositata, fattura.ScissionePagamenti FROM (fattura LEFT "
     "JOIN Bank ON fattura.Banca_ID = Bank.Id) LEFT JOIN ModPagamento ON fattura.ModPagamento_Id = "
     "ModPagamento.id WHERE fattura.Carico=False and fattnota=true ORDER BY fattura.Data, fattura.Num"},
    {34, "Query",
     "SELECT ContabilitaChiusuraIvaMensile.Anno, ContabilitaChiusuraIvaMensile.Mese, "
     "ContabilitaChiusuraIvaMensile.DescrizioneMese, "
     "ContabilitaChiusuraIvaMensile.AcquistiImponibile, "
     "ContabilitaChiusuraIvaMensile.AcquistiImposta, ContabilitaChiusuraIvaMensile.VenditaImponibile, "
     "ContabilitaChiusuraIvaMensile.VenditaImposta, "
     "ContabilitaChiusuraIvaMensile.CorrispettiviImponibile, "
     "ContabilitaChiusuraIvaMensile.CorrispettiviImposta, "
     "ContabilitaChiusuraIvaMensile.TotaleIvaDebito, ContabilitaChiusuraIvaMensile.TotaleIvaCredito, "
     "ContabilitaChiusuraIvaMensile.CreditoResiduoMesePassato, "
     "ContabilitaChiusuraIvaMensileRighe.Iva_ID, ContabilitaChiusuraIvaMensileRighe.Carico, "
     "ContabilitaChiusuraIvaMensileRighe.Corrispettivi, "
     "ContabilitaChiusuraIvaMensileRighe.IvaDescrizione, "
     "ContabilitaChiusuraIvaMensileRighe.TotaleIva, "
     "ContabilitaChiusuraIvaMensileRighe.TotaleImponibile FROM (ContabilitaChiusuraIvaMensileRighe "
     "INNER JOIN ContabilitaChiusuraIvaMensile ON "
     "ContabilitaChiusuraIvaMensileRighe.ContabilitaChiusuraIvaMensile_ID = "
     "ContabilitaChiusuraIvaMensile.id) INNER JOIN Iva ON ContabilitaChiusuraIvaMensileRighe.Iva_ID = "
     "Iva.ID ORDER BY ContabilitaChiusuraIvaMensileRighe.Carico, "
     "ContabilitaChiusuraIvaMensileRighe.Corrispettivi"},
    {35, "Query",
     "SELECT PreventiTestata.Numero, PreventiTestata.Data, PreventiTestata.TotImposta, "
     "PreventiTestata.TotImponibile, PreventiTestata.TotalePreventivo, PreventiTestata.Cliente, "
     "PreventiTestata.DataIngressoVeicolo, PreventiTestata.DataUscitaVeicolo, PreventiTestata.Giorni, "
     "PreventiTestata.ProcPen, PreventiTestata.Gip FROM PreventiTestata order by "
     "PreventiTestata.Data, PreventiTestata.Numero"},
    {36, "Query",
     "SELECT Clienti.Codice, Clienti.NominativoDocumenti as Descrizione, Clienti.Via, Clienti.Citta, "
     "Clienti.Provincia, Clienti.Cap, Clienti.Numero as NumCasa  FROM Clienti WHERE "
     "(((Clienti.Annullato)=0))"},
    {41, "Query",
     "SELECT ditta.RagSoc AS Descrizione, ditta.Via, ditta.Comune AS Citta, ditta.Provincia, "
     "ditta.Cap, ditta.Numero AS NumCasa FROM ditta"},
    {42, "Query",
     "SELECT FatturaScadenze.DataScadenza, Fornitor.Fornitore, FornitorCategoria.Descrizione as "
     "CategoriaFornitore, ModPagamento.Descrizione AS ModalitaPagamento, FatturaScadenze.Importo, "
     "fattura.Data AS DataFattura, fattura.NumeroCarico AS NumeroFattura, FatturaScadenze.Operazione, "
     "fattura.SerieFatturazione, fattura.FattNota, Bank.Banca, Bank.Iban FROM ((((FatturaScadenze "
     "INNER JOIN fattura ON FatturaScadenze.Fattura_ID = fattura.ID) INNER JOIN Fornitor ON "
     "FatturaScadenze.Fornitore_id = Fornitor.Id) LEFT JOIN Bank ON FatturaScadenze.Banca_ID = "
     "Bank.Id) LEFT JOIN ModPagamento ON FatturaScadenze.ModPagamento_Id = ModPagamento.id) LEFT JOIN "
     "FornitorCategoria ON Fornitor.Categoria_ID = FornitorCategoria.ID WHERE "
     "FatturaScadenze.DataPagamento Is Null AND (FatturaScadenze.Tipo = 'C' or FatturaScadenze.Tipo = "
     "'B') ORDER BY FatturaScadenze.DataScadenza"},
    {43, "Query",
     "SELECT FatturaScadenze.DataScadenza, Fornitor.Fornitore, FornitorCategoria.Descrizione as "
     "CategoriaFornitore, ModPagamento.Descrizione AS ModalitaPagamento, FatturaScadenze.Importo, "
     "fattura.Data AS DataFattura, fattura.NumeroCarico AS NumeroFattura, FatturaScadenze.Operazione, "
     "fattura.SerieFatturazione, FatturaScadenze.DataPagamento, FatturaScadenze.Dettagli, "
     "fattura.FattNota, Bank.Banca, Bank.Iban FROM ((((FatturaScadenze INNER JOIN fattura ON "
     "FatturaScadenze.Fattura_ID = fattura.ID) INNER JOIN Fornitor ON FatturaScadenze.Fornitore_id = "
     "Fornitor.Id) LEFT JOIN Bank ON FatturaScadenze.Banca_ID = Bank.Id) LEFT JOIN ModPagamento ON "
     "FatturaScadenze.ModPagamento_Id = ModPagamento.id) LEFT JOIN FornitorCategoria ON "
     "Fornitor.Categoria_ID = FornitorCategoria.ID WHERE FatturaScadenze.DataPagamento Is Not Null "
     "AND (FatturaScadenze.Tipo = 'C' or FatturaScadenze.Tipo = 'B') ORDER BY "
     "FatturaScadenze.DataScadenza"},
    {44, "Query",
     "SELECT VettureCosti.Data, VettureCosti.TipologiaCosto, VettureCosti.Note, Vetture.Targa, "
     "Vetture.NumTelaio, Vetture.Modello AS Marca, Veicoli.Descrizione AS Veicolo, "
     "VettureCosti.Importo, Vetture.DataImmatricolazione, Vetture.Cilindrata, Vetture.Colore, "
     "Vetture.Chilometri, Personale.Personale AS Trasportatore, Vetture.VeicoloDesc FROM VettureCosti "
     "INNER JOIN ((Vetture LEFT JOIN Veicoli ON Vetture.Veicolo_ID = Veicoli.Id) LEFT JOIN Personale "
     "ON Vetture.Personale_ID = Personale.Id) ON VettureCosti.Vettura_ID = Vetture.ID WHERE "
     "Vetture.ID = 40 Order by Data"},
    {45, "Query",
     "SELECT Vetture.Targa, Vetture.NumTelaio, Vetture.Modello AS Marca, Veicoli.Descrizione AS "
     "TipoVeicolo, Vetture.DataImmatricolazione, Vetture.Cilindrata, Vetture.Colore, "
     "Vetture.Chilometri, Personale.Personale AS Trasportatore, Vetture.VeicoloDesc, "
     "VettureCarburante.Data, VettureCarburante.Litri, VettureCarburante.Importo, "
     "VettureCarburante.Note, VettureSchede.Scheda, Rifornimenti.Descrizione AS Rifornimento, "
     "VettureCarburante.KmArrivo, VettureCarburante.KmPartenza, VettureCarburante.KmDifferenza FROM "
     "(((VettureCarburante INNER JOIN (Vetture LEFT JOIN Veicoli ON Vetture.Veicolo_ID = Veicoli.Id) "
     "ON VettureCarburante.Vettura_ID = Vetture.ID) LEFT JOIN Personale ON "
     "VettureCarburante.Personale_ID = Personale.Id) LEFT JOIN VettureSchede ON "
     "VettureCarburante.VettureScheda_ID = VettureSchede.Id) LEFT JOIN Rifornimenti ON "
     "VettureCarburante.Rifornimento_ID = Rifornimenti.id WHERE Vetture.ID = 40 ORDER BY "
     "VettureCarburante.Data Desc"},
    {46, "Query",
     "SELECT VettureCosti.Data, VettureCosti.Importo, VettureCosti.TipologiaCosto, VettureCosti.Note, "
     "Vetture.Targa, Vetture.NumTelaio, Vetture.Modello AS Marca, Veicoli.Descrizione AS Veicolo, "
     "Vetture.DataImmatricolazione, Vetture.Cilindrata, Vetture.Colore, Vetture.Chilometri, "
     "Personale.Personale AS Trasportatore, Vetture.VeicoloDesc FROM VettureCosti INNER JOIN "
     "((Vetture LEFT JOIN Veicoli ON Vetture.Veicolo_ID = Veicoli.Id) LEFT JOIN Personale ON "
     "Vetture.Personale_ID = Personale.Id) ON VettureCosti.Vettura_ID = Vetture.ID"},
    {47, "Query",
     "SELECT VettureCarburante.Data, VettureCarburante.Litri, VettureCarburante.Importo, "
     "VettureCarburante.KmArrivo, VettureCarburante.KmPartenza, VettureCarburante.KmDifferenza, "
     "VettureSchede.Scheda,VettureSchede.Numero as NumeroScheda, Rifornimenti.Descrizione AS "
     "Rifornimento, VettureCarburante.Note, Carburanti.Descrizione AS TipoCarburante, Vetture.Targa, "
     "Vetture.NumTelaio, Vetture.Modello AS Marca, Veicoli.Descrizione AS TipoVeicolo, "
     "Vetture.DataImmatricolazione, Vetture.Cilindrata, Vetture.Colore, Personale.Personale AS "
     "Autista, Vetture.VeicoloDesc, Vetture.ID AS Vettura_ID FROM ((((VettureCarburante INNER JOIN "
     "(Vetture LEFT JOIN Veicoli ON Vetture.Veicolo_ID = Veicoli.Id) ON VettureCarburante.Vettura_ID "
     "= Vetture.ID) LEFT JOIN Carburanti ON Vetture.Carburante_id = Carburanti.id) LEFT JOIN "
     "Personale ON VettureCarburante.Personale_ID = Personale.Id) LEFT JOIN VettureSchede ON "
     "VettureCarburante.VettureScheda_ID = VettureSchede.Id) LEFT JOIN Rifornimenti ON "
     "VettureCarburante.Rifornimento_ID = Rifornimenti.id Order by Vetture.ID,VettureCarburante.Data"},
    {48, "Query",
     "SELECT Vetture.Targa, Vetture.NumTelaio, Vetture.Modello AS Marca, Veicoli.Descrizione AS "
     "Veicolo, Vetture.Note, Vetture.DataImmatricolazione, Vetture.Cilindrata, Vetture.Colore, "
     "Vetture.Chilometri, Personale.Personale AS Trasportatore, Vetture.VeicoloDesc FROM (Vetture "
     "LEFT JOIN Veicoli ON Vetture.Veicolo_ID = Veicoli.Id) LEFT JOIN Personale ON "
     "Vetture.Personale_ID = Personale.Id WHERE Vetture.ID = 40"},
    {49, "Query",
     "SELECT Vetture.Targa, Vetture.NumTelaio, Vetture.Modello AS Marca, Veicoli.Descrizione AS "
     "Veicolo, Vetture.Note, Vetture.DataImmatricolazione, Vetture.Cilindrata, Vetture.Colore, "
     "Vetture.Chilometri, Personale.Personale AS Trasportatore, Vetture.VeicoloDesc, "
     "VettureScadenze.DataScadenza, VettureScadenze.Descrizione AS ScadenzaDescrizione, "
     "VettureScadenze.Validato, VettureScadenze.Note,VettureScadenze.DataAvviso FROM VettureScadenze "
     "LEFT JOIN ((Vetture LEFT JOIN Veicoli ON Vetture.Veicolo_ID = Veicoli.Id) LEFT JOIN Personale "
     "ON Vetture.Personale_ID = Personale.Id) ON VettureScadenze.Vettura_ID = Vetture.ID WHERE "
     "Vetture.ID = 40"},
    {50, "Query",
     "SELECT Vetture.Targa, Vetture.NumTelaio, Vetture.Modello AS Marca, Veicoli.Descrizione AS "
     "Veicolo, Vetture.Note, Vetture.DataImmatricolazione, Vetture.Cilindrata, Vetture.Colore, "
     "Vetture.Chilometri, Personale.Personale AS Trasportatore, Vetture.VeicoloDesc, "
     "VettureSchede.Scheda, VettureSchede.Numero, VettureSchede.Pin, VettureSchede.Note FROM "
     "VettureSchede LEFT JOIN ((Vetture LEFT JOIN Veicoli ON Vetture.Veicolo_ID = Veicoli.Id) LEFT "
     "JOIN Personale ON Vetture.Personale_ID = Personale.Id) ON VettureSchede.Vettura_ID = Vetture.ID "
     "WHERE Vetture.ID = 40"},
    {51, "Query",
     "SELECT Vetture.Targa, Vetture.NumTelaio, Vetture.Modello AS Marca, Veicoli.Descrizione AS "
     "Veicolo, Vetture.Note, Vetture.DataImmatricolazione, Vetture.Cilindrata, Vetture.Colore, "
     "Vetture.Chilometri, Personale.Personale AS Trasportatore, Vetture.VeicoloDesc, "
     "VettureScadenze.DataScadenza, VettureScadenze.Descrizione AS ScadenzaDescrizione, "
     "VettureScadenze.Validato, VettureScadenze.Note,VettureScadenze.DataAvviso FROM VettureScadenze "
     "LEFT JOIN ((Vetture LEFT JOIN Veicoli ON Vetture.Veicolo_ID = Veicoli.Id) LEFT JOIN Personale "
     "ON Vetture.Personale_ID = Personale.Id) ON VettureScadenze.Vettura_ID = Vetture.ID WHERE "
     "VettureScadenze.Validato = false "},
    {52, "Query",
     "SELECT Vetture.Targa, Vetture.NumTelaio, Vetture.Modello AS Marca, Veicoli.Descrizione AS "
     "Veicolo, Vetture.Note, Vetture.DataImmatricolazione, Vetture.Cilindrata, Vetture.Colore, "
     "Vetture.Chilometri, Personale.Personale AS Trasportatore, Vetture.VeicoloDesc FROM (Vetture "
     "LEFT JOIN Veicoli ON Vetture.Veicolo_ID = Veicoli.Id) LEFT JOIN Personale ON "
     "Vetture.Personale_ID = Personale.Id"},
    {53, "Query",
     "SELECT Personale.Personale, Personale.Iva as PartitaIva, Personale.CodFisc as CodiceFiscale, "
     "PersonaleScadenze.Tipologia, PersonaleScadenze.Descrizione as Scadenza, "
     "PersonaleScadenze.DataScadenza, PersonaleScadenze.Validato as Effettuato, "
     "PersonaleScadenze.Note as PersonaleScadenzeNote, "
     "PersonaleScadenze.DataAvviso,Personale.DataAssunzione FROM PersonaleScadenze INNER JOIN "
     "Personale ON PersonaleScadenze.Personale_ID = Personale.Id  WHERE Personale.ID = 50 Order by "
     "DataScadenza"},
    {55, "Query",
     "SELECT Personale.Personale, Personale.Iva as PartitaIva, Personale.CodFisc as CodiceFiscale, "
     "PersonaleScadenze.Tipologia, PersonaleScadenze.Descrizione as Scadenza, "
     "PersonaleScadenze.DataScadenza, PersonaleScadenze.Validato as Effettuato, "
     "PersonaleScadenze.Note as PersonaleScadenzeNote, "
     "PersonaleScadenze.DataAvviso,Personale.DataAssunzione FROM PersonaleScadenze INNER JOIN "
     "Personale ON PersonaleScadenze.Personale_ID = Personale.Id  Order by Personale,DataScadenza"},
    {57, "Query",
     "SELECT Movimenti.Data, Movimenti.Imputazione, Movimenti.Chilometri, Movimenti.Um, "
     "Movimenti.ValoreUnitario, Movimenti.Sconto, Movimenti.AliquotaIva, Movimenti.PrezzoCompleto, "
     "ContabilitaConti.Descrizione as ContabilitaConto FROM Movimenti INNER JOIN ContabilitaConti ON "
     "Movimenti.ContabilitaConti_ID = ContabilitaConti.ID WHERE Movimenti.Scarico=False and "
     "Movimenti.Vettura_ID=40"},
    {58, "Query",
     "SELECT Clienti.NominativoDocumenti as Cliente, Clienti.Via, Clienti.Telefono, Clienti.Fax, "
     "Clienti.Cellulare, Clienti.EMail, Clienti.Citta, Clienti.Iva, Clienti.Provincia, Clienti.Cap, "
     "Clienti.CodFiscale, Clienti.Numero, Clienti.Codice, Clienti.Internet From Clienti WHERE Id = 2"},
    {59, "Query",
     "SELECT Fornitor.Fornitore, Fornitor.VIA, Fornitor.Comune, Fornitor.Cap, Fornitor.Numero, "
     "Fornitor.Telefono, Fornitor.Fax, Fornitor.Email, Fornitor.Iva, Fornitor.CodFiscale, "
     "Fornitor.Provincia, Fornitor.Cellulare, Fornitor.Codice, Fornitor.Internet FROM Fornitor WHERE "
     "Id = 1"},
    {60, "Query",
     "SELECT Personale.Personale, Personale.Iva, Personale.CodFisc, Personale.Tel, Personale.Fax, "
     "Personale.Cell, Personale.Indirizzo, Personale.Numero, Personale.Email, Personale.Codice, "
     "Comuni.Comune, Comuni.Provincia, Comuni.CAP FROM Personale LEFT JOIN Comuni ON "
     "Personale.Comune_Id = Comuni.ID WHERE Personale.Id = 50"},
    {65, "Query",
     "SELECT Personale.Personale, PersonaleStipendi.Mese, PersonaleStipendi.Anno, "
     "PersonaleStipendi.Base, PersonaleStipendi.Giorni, PersonaleStipendi.DataPagamento, "
     "PersonaleStipendi.ImportoBonifico, PersonaleStipendi.Trasferta, PersonaleStipendi.Assegni, "
     "PersonaleStipendi.Note, PersonaleStipendi.Addebiti, PersonaleStipendi.Accrediti, "
     "PersonaleStipendi.Addebiti_Descrizione, PersonaleStipendi.Accrediti_Descrizione FROM "
     "PersonaleStipendi INNER JOIN Personale ON PersonaleStipendi.Personale_ID = Personale.Id order "
     "by Anno desc, Mese, Personale"},
};

// Codes that write the same SQL as another code.
inline const std::pair<int, int> kUguali[] = {{10, 9}, {11, 9}, {37, 36}, {38, 36}, {54, 53}, {66, 65}, {67, 65}};

// Codes 5 and 8 from a seizure (seizure 30: invoice 10, quote 20), with no quote open in the
// quote editor and invoice 11 open in the invoice editor: the texts above with these changes.
struct Cambio {
    int codice;
    const char *campo;
    const char *prima;
    const char *dopo;
};

inline const Cambio kDaSequestro[] = {
    {5, "Query", " WHERE PreventiTestata.ID = 20 ", " WHERE PreventiTestata.Id=20 "},
    {8, "Query", " WHERE fattura.ID = 11 ", " WHERE fattura.ID = 10 "},
    // The instalments and orders of the seizure's own invoice, not of every invoice with its plate.
    {8, "QuerySottoreport1", " Where FatturaScadenze.Fattura_ID = 11 ", " Where FatturaScadenze.Fattura_ID = 10 "},
    {8, "QuerySottoreport2", " WHERE fattura.ID = 11 ", " WHERE fattura.ID = 10 "},
};

inline const char *const kCampi[] = {"Query", "QuerySottoreport1", "QuerySottoreport2"};

// Where two texts part, to read a failure at a glance.
inline QString differenza(const QString &scritto, const QString &atteso)
{
    qsizetype i = 0;
    while (i < scritto.size() && i < atteso.size() && scritto[i] == atteso[i]) ++i;
    return QStringLiteral("differ at %1:\n  written: ...%2\n  expected: ...%3")
        .arg(i)
        .arg(scritto.mid(std::max<qsizetype>(0, i - 40), 120), atteso.mid(std::max<qsizetype>(0, i - 40), 120));
}

inline int indiceCampo(const char *campo)
{
    return int(std::find_if(std::begin(kCampi), std::end(kCampi), [campo](const char *c) { return qstrcmp(c, campo) == 0; })
               - std::begin(kCampi));
}

// Query, QuerySottoreport1, QuerySottoreport2 of each code; null: not written.
inline QMap<int, QStringList> attesePerCodice()
{
    QMap<int, QStringList> perCodice;
    for (const Atteso &e : kAttesi) {
        if (!perCodice.contains(e.codice)) perCodice.insert(e.codice, QStringList(3, QString()));
        perCodice[e.codice][indiceCampo(e.campo)] = QString::fromUtf8(e.sql);
    }
    for (const auto &[codice, come] : kUguali) perCodice.insert(codice, perCodice.value(come));
    return perCodice;
}

} // namespace attesi_stampe
