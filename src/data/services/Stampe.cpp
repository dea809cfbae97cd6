#include "Stampe.h"

#include "common/Dates.h"
#include "common/SqlText.h"
#include "db/Command.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "db/Transaction.h"

#include <QDir>
#include <QLocale>
#include <algorithm>
#include <limits>
#include <stdexcept>

namespace stampe {
namespace {

// SQL texts that several reports share.
#define SQL_PRIMA_NOTA \
    "SELECT finanzia.Data, TipologiaPrimaNota.Descrizione AS Tipologia, finanzia.Operazione, " \
    "Fornitor.Fornitore, Clienti.NominativoDocumenti as Cliente, finanzia.Entrata, finanzia.Uscita, " \
    "finanzia.Note, finanzia.Tipologia_ID, ModPagamento.Descrizione AS ModalitaPagamento, " \
    "Bank.Banca, Bank.Iban, ContabilitaConti.Descrizione as ContabilitaConto, " \
    "finanzia.Corrispettivi, finanzia.AliquotaIva FROM (((((finanzia LEFT JOIN Clienti ON " \
    "finanzia.Cliente_id = Clienti.Id) LEFT JOIN Fornitor ON finanzia.Fornitore_id = Fornitor.Id) " \
    "LEFT JOIN ModPagamento ON finanzia.ModPagamento_Id = ModPagamento.id) LEFT JOIN Bank ON " \
    "finanzia.Banca_ID = Bank.Id) LEFT JOIN TipologiaPrimaNota ON finanzia.Tipologia_ID = " \
    "TipologiaPrimaNota.Id) LEFT JOIN ContabilitaConti ON finanzia.ContabilitaConti_ID = " \
    "ContabilitaConti.ID"

#define SQL_COSTI_PERSONALE \
    "SELECT PersonaleCosti.Data, PersonaleCosti.TipologiaCosto, PersonaleCosti.Note, " \
    "PersonaleCosti.Importo, Personale.Personale, CategoriePersonale.Descrizione as " \
    "CategoriaPersonale FROM (PersonaleCosti INNER JOIN Personale ON PersonaleCosti.Personale_ID = " \
    "Personale.Id) LEFT JOIN CategoriePersonale ON Personale.CategoriaPersonale_ID = " \
    "CategoriePersonale.Id"

#define SQL_SCADENZE_PERSONALE \
    "SELECT Personale.Personale, Personale.Iva as PartitaIva, Personale.CodFisc as CodiceFiscale, " \
    "PersonaleScadenze.Tipologia, PersonaleScadenze.Descrizione as Scadenza, " \
    "PersonaleScadenze.DataScadenza, PersonaleScadenze.Validato as Effettuato, " \
    "PersonaleScadenze.Note as PersonaleScadenzeNote, " \
    "PersonaleScadenze.DataAvviso,Personale.DataAssunzione FROM PersonaleScadenze INNER JOIN " \
    "Personale ON PersonaleScadenze.Personale_ID = Personale.Id "

#define SQL_VETTURA \
    "SELECT Vetture.Targa, Vetture.NumTelaio, Vetture.Modello AS Marca, Veicoli.Descrizione AS " \
    "Veicolo, Vetture.Note, Vetture.DataImmatricolazione, Vetture.Cilindrata, Vetture.Colore, " \
    "Vetture.Chilometri, Personale.Personale AS Trasportatore, Vetture.VeicoloDesc FROM (Vetture " \
    "LEFT JOIN Veicoli ON Vetture.Veicolo_ID = Veicoli.Id) LEFT JOIN Personale ON " \
    "Vetture.Personale_ID = Personale.Id"

#define SQL_SCADENZE_VETTURE \
    "SELECT Vetture.Targa, Vetture.NumTelaio, Vetture.Modello AS Marca, Veicoli.Descrizione AS " \
    "Veicolo, Vetture.Note, Vetture.DataImmatricolazione, Vetture.Cilindrata, Vetture.Colore, " \
    "Vetture.Chilometri, Personale.Personale AS Trasportatore, Vetture.VeicoloDesc, " \
    "VettureScadenze.DataScadenza, VettureScadenze.Descrizione AS ScadenzaDescrizione, " \
    "VettureScadenze.Validato, VettureScadenze.Note,VettureScadenze.DataAvviso FROM VettureScadenze " \
    "LEFT JOIN ((Vetture LEFT JOIN Veicoli ON Vetture.Veicolo_ID = Veicoli.Id) LEFT JOIN Personale " \
    "ON Vetture.Personale_ID = Personale.Id) ON VettureScadenze.Vettura_ID = Vetture.ID"

#define SQL_ETICHETTE_CLIENTI \
    "SELECT Clienti.Codice, Clienti.NominativoDocumenti as Descrizione, Clienti.Via, Clienti.Citta, " \
    "Clienti.Provincia, Clienti.Cap, Clienti.Numero as NumCasa  FROM Clienti WHERE " \
    "(((Clienti.Annullato)=0))"

#define SQL_STIPENDI \
    "SELECT Personale.Personale, PersonaleStipendi.Mese, PersonaleStipendi.Anno, " \
    "PersonaleStipendi.Base, PersonaleStipendi.Giorni, PersonaleStipendi.DataPagamento, " \
    "PersonaleStipendi.ImportoBonifico, PersonaleStipendi.Trasferta, PersonaleStipendi.Assegni, " \
    "PersonaleStipendi.Note, PersonaleStipendi.Addebiti, PersonaleStipendi.Accrediti, " \
    "PersonaleStipendi.Addebiti_Descrizione, PersonaleStipendi.Accrediti_Descrizione FROM " \
    "PersonaleStipendi INNER JOIN Personale ON PersonaleStipendi.Personale_ID = Personale.Id order " \
    "by Anno desc, Mese, Personale"

// One row per report code. The placeholders of the SQL texts are listed in kSegnaposti below.
const std::vector<Voce> kCatalogo = {
    {.codice = 1, .report = "Clienti", .filtro = true,
     .query = "SELECT Clienti.NominativoDocumenti, Clienti.Cliente as RagioneSociale,Clienti.Cognome, "
         "Clienti.Nome, Clienti.Via, Clienti.Telefono, Clienti.Fax, Clienti.Cellulare, "
         "Clienti.EMail, Clienti.Citta, Clienti.Iva, Clienti.Provincia, Clienti.Cap, "
         "Clienti.CodFiscale, Clienti.Numero, Clienti.Codice, Clienti.SaldoInizioAnno FROM Clienti "
         "WHERE (((Clienti.Annullato)=0))"},
    {.codice = 2, .report = "Tariffe", .filtro = true,
     .query = "SELECT prezziar.Codice, prezziar.Descrizione, prezziar.Prezzo, prezziar.PrezzoCompleto, "
         "prezziar.Sconto, prezziar.AliquotaIva, prezziar.Reparto, prezziar.Note, "
         "prezziar.DataInserimento, prezziar.Cliente, UnitaMisura.Descrizione AS UnitaMisura, "
         "prezziar.Tariffa, TipoFatturazione.Descrizione AS TipoFatturazione FROM ((prezziar LEFT "
         "JOIN Clienti ON prezziar.Cliente_ID = Clienti.Id) LEFT JOIN UnitaMisura ON prezziar.Um_Id "
         "= UnitaMisura.Id) LEFT JOIN TipoFatturazione ON prezziar.TipoFatturazione_Id = "
         "TipoFatturazione.id WHERE (((prezziar.Annullato)=0)) ORDER BY prezziar.Cliente, "
         "prezziar.Descrizione"},
    {.codice = 3, .report = "Fornitori", .filtro = true,
     .query = "SELECT Fornitor.Fornitore, Fornitor.VIA, Fornitor.Comune, Fornitor.Cap, Fornitor.Numero, "
         "Fornitor.Telefono, Fornitor.Fax, Fornitor.Iva, Fornitor.Email, Fornitor.CodFiscale, "
         "Fornitor.Provincia, Fornitor.Cellulare, Fornitor.Codice, Fornitor.SaldoInizioAnno FROM "
         "Fornitor WHERE (((Fornitor.Annullato)=0))"},
    {.codice = 4, .report = "NoteCredito", .variante = Variante::RigaIva, .richiede = Richiede::NotaCreditoCorrente,
     .query = "SELECT NotaCreditoRighe.Um, NotaCreditoRighe.ValoreUnitario, NotaCreditoRighe.Sconto, "
         "NotaCreditoRighe.ValoreTotale, NotaCreditoRighe.AliquotaIva, NotaCreditoRighe.Reparto, "
         "NotaCreditoRighe.Scaffale, NotaCreditoRighe.Descrizione, fattura.Data AS FatturaData, "
         "fattura.Num, fattura.TotImposta, fattura.TotFattura, fattura.TotImponibile, "
         "fattura.Cliente, fattura.NCFattNumRif, fattura.NCFattDataRif, fattura.Note, Bank.Banca, "
         "Bank.Comune, Bank.Provincia, Bank.Cap, Bank.Via, Bank.Numero AS BancaNumero, Bank.Iban, "
         "Iva.ID AS Iva_Id, Iva.Descrizione AS IVA_Descrizione, Iva.Pa_Natura_Codice AS IvaNatura, NotaCreditoRighe.Codice, "
         "ModPagamento.Descrizione AS ModPagamento, fattura.ID AS Fatt_ID, Clienti.Via AS CliVia, "
         "Clienti.Citta AS CliCitta, Clienti.Iva  AS CliIva, Clienti.Provincia AS CliProvincia, "
         "Clienti.Cap AS CliCap, Clienti.CodFiscale AS CliCodFiscale, Clienti.Numero AS CliNumero, "
         "Clienti.Codice AS CliCodice, fattura.SerieFatturazione, fattura.NCFatSerieRif, "
         "NotaCreditoRighe.Targa1, UnitaMisura.Descrizione AS UnitaMisura, Nazioni.DENOMINAZ, "
         "Clienti.DestinazioneMerce as CliDestMerce, fattura.Causale,NotaCreditoRighe.NumeroRiga "
         "FROM (((((NotaCreditoRighe INNER JOIN (fattura LEFT JOIN Bank ON fattura.Banca_ID = "
         "Bank.Id) ON NotaCreditoRighe.NotaCredito_ID = fattura.ID) LEFT JOIN Iva ON "
         "NotaCreditoRighe.Iva_Id = Iva.ID) LEFT JOIN ModPagamento ON fattura.ModPagamento_Id = "
         "ModPagamento.id) LEFT JOIN Clienti ON fattura.Cliente_ID = Clienti.Id) LEFT JOIN "
         "UnitaMisura ON NotaCreditoRighe.Um_ID = UnitaMisura.Id) LEFT JOIN (Comuni LEFT JOIN "
         "Nazioni ON Comuni.Nazione_ID = Nazioni.IDNazione) ON Clienti.Comune_id = Comuni.ID WHERE "
         "fattura.ID = {NotaCredito} Order by NotaCreditoRighe.NumeroRiga",
     .sottoreport1 = "SELECT FatturaScadenze.Numero, FatturaScadenze.DataScadenza, FatturaScadenze.Operazione, "
         "FatturaScadenze.DataPagamento, FatturaScadenze.Importo, ModPagamento.Descrizione AS "
         "ModPagamento, FatturaScadenze.Note, FatturaScadenze.Dettagli, Bank.Banca, Bank.Iban, "
         "FatturaScadenze.Fattura_ID,ModPagamento.NonVisualizzareStampa FROM (FatturaScadenze LEFT "
         "JOIN ModPagamento ON FatturaScadenze.ModPagamento_Id = ModPagamento.id) LEFT JOIN Bank ON "
         "FatturaScadenze.Banca_ID = Bank.Id Where FatturaScadenze.Fattura_ID = {NotaCredito} order "
         "by FatturaScadenze.Numero, FatturaScadenze.DataScadenza"},
    {.codice = 5, .report = "Preventivi", .variante = Variante::Preventivo,
     .query = "SELECT PreventiTestata.TotalePreventivo, PreventiTestata.Numero, PreventiTestata.Cliente, "
         "PreventiTestata.Data, PreventiRighe.ValoreTotale, PreventiRighe.Descrizione AS Articolo, "
         "PreventiRighe.Um AS Quantità, PreventiRighe.Reparto, PreventiRighe.Scaffale, "
         "PreventiRighe.ValoreUnitario, PreventiRighe.AliquotaIva, PreventiRighe.Sconto, "
         "PreventiRighe.Codice, PreventiTestata.TotImponibile, PreventiTestata.TotImposta, "
         "UnitaMisura.Descrizione AS UnitaMisura, PreventiTestata.DataIngressoVeicolo, "
         "PreventiTestata.DataUscitaVeicolo, PreventiTestata.Giorni, PreventiTestata.ProcPen, "
         "PreventiTestata.Gip, Clienti.Via AS CliVia, Clienti.Telefono AS CliTelefono, Clienti.Fax "
         "AS CliFax, Clienti.Citta AS CliCitta, Clienti.Iva AS CliIva, Clienti.Provincia AS "
         "CliProvincia, Clienti.Cap AS CliCap, Clienti.CodFiscale AS CliCodFiscale, Clienti.Numero "
         "AS CliNumero, Clienti.Codice AS CliCodice, Clienti.DestinazioneMerce AS CliDestMerce, "
         "Sequestri.AutoModello, Sequestri.Proprietario, PreventiTestata.Targa1 as AutoTarga, "
         "Iva.Descrizione as IvaDescrizione, Iva.Pa_Natura_Codice AS IvaNatura,PreventiRighe.NumeroRiga  FROM Sequestri RIGHT JOIN "
         "((((PreventiRighe INNER JOIN PreventiTestata ON PreventiRighe.Prev_ID = "
         "PreventiTestata.ID) LEFT JOIN UnitaMisura ON PreventiRighe.Um_ID = UnitaMisura.Id) LEFT "
         "JOIN Clienti ON PreventiTestata.Cliente_ID = Clienti.Id) LEFT JOIN Iva ON "
         "PreventiRighe.Iva_ID = Iva.ID) ON Sequestri.Preventivo_Id = PreventiTestata.ID "
         "{CondizionePreventivo} Order by PreventiRighe.NumeroRiga"},
    {.codice = 6, .report = "Sequestri", .filtro = true,
     .query = "SELECT Sequestri.Data, Sequestri.Numero, Sequestri.DataDissequestro, "
         "Sequestri.EnteSequestratore, Sequestri.Proprietario, Sequestri.TipoSequestro, "
         "Sequestri.AutoModello, Sequestri.Matricola, Sequestri.AutoTarga, Sequestri.Confisca, "
         "Sequestri.Note FROM Sequestri ORDER BY Sequestri.Data, Sequestri.Numero"},
    {.codice = 7, .report = "PrimaNotaSituazioneClienti",
     .query = "SELECT fattura.Data AS DataFattura, Clienti.Id AS Cliente_ID,  Clienti.NominativoDocumenti "
         "as Cliente, fattura.Num AS Numero, fattura.SerieFatturazione, ModPagamento.Descrizione AS "
         "ModalitaPagamento, fattura.TotImposta, fattura.TotImponibile, fattura.TotFattura, "
         "Bank.Banca, fattura.FattNota, fattura.ID AS IdeFattura, Clienti.SaldoInizioAnno, "
         "fattura.ScissionePagamenti FROM ((fattura LEFT JOIN Bank ON fattura.Banca_ID = Bank.Id) "
         "LEFT JOIN ModPagamento ON fattura.ModPagamento_Id = ModPagamento.id) RIGHT JOIN Clienti ON "
         "fattura.Cliente_ID = Clienti.Id {CriteriFattureClienti} ORDER BY "
         "Clienti.NominativoDocumenti, fattura.Data",
     .sottoreport1 = "SELECT finanzia.Data, finanzia.Operazione, finanzia.Entrata, finanzia.Uscita, "
         "finanzia.Cliente_id, finanzia.Fornitore_id, ModPagamento.Descrizione AS ModPagamento FROM "
         "finanzia LEFT JOIN ModPagamento ON finanzia.ModPagamento_Id = "
         "ModPagamento.id{CriteriPrimaNotaClienti} order by finanzia.Data"},
    {.codice = 8, .report = "Fatture", .variante = Variante::RigaIva, .richiede = Richiede::FatturaCorrente,
     .query = "SELECT fattdett.Codice, fattdett.TipoRiga, Iva.ID AS Iva_ID, Iva.Descrizione AS "
         "IVA_Descrizione, Iva.Pa_Natura_Codice AS IvaNatura, fattdett.Reparto, fattdett.AliquotaIva, fattdett.ValoreTotale, "
         "fattdett.Sconto, fattdett.ValoreUnitario, fattdett.Um, fattdett.Descrizione, fattura.Num, "
         "fattura.TotImposta, fattura.TotFattura, fattura.TotImponibile, Bank.Banca, Bank.Comune, "
         "Bank.Provincia, Bank.Cap, Bank.Via, Bank.Numero AS BancaNumero, fattura.Data AS "
         "FatturaData, fattdett.note AS RigheNote, fattura.Note AS TestataNote, "
         "ModPagamento.Descrizione AS ModPagamento, fattdett.note, fattura.ConaiAssolto, "
         "FatturaAspetto.Descrizione AS Aspetto, FatturaPorto.Descrizione AS Porto, "
         "Personale.Personale, Personale.Iva AS PersIva, Personale.CodFisc AS PersCodFisc,  "
         "Personale.Tel AS PerTels, Personale.Fax AS PersFax, Personale.Cell AS PersCell, "
         "Personale.Numero AS PersNum, Personale.Codice AS PersCodice, Comuni.Comune AS PersComune, "
         "Personale.Indirizzo AS PersIndirizzo, Comuni.Provincia AS PersProvincia, "
         "Vettore.Descrizione AS VettoreDesc, Clienti.NominativoDocumenti as Cliente, Clienti.Via AS "
         "CliVia, Clienti.Telefono AS CliTelefono, Clienti.Fax AS CliFax, Clienti.Citta AS CliCitta, "
         "Clienti.Iva AS CliIva, Clienti.Provincia AS CliProvincia, Clienti.Cap AS CliCap, "
         "Clienti.CodFiscale AS CliCodFiscale, Clienti.Numero AS CliNumero, Clienti.Codice AS "
         "CliCodice, Clienti.DestinazioneMerce AS CliDestMerce, Vettore.VettoreVisibile, Comuni.CAP "
         "AS PersCap, fattura.SerieFatturazione, fattdett.RIFDDT, fattdett.DataDDT,  "
         "fattdett.Targa1, fattura.ReferenteIva, UnitaMisura.Descrizione AS UnitaMisura, Bank.Iban "
         "AS IbanAzienda, fattura.TipoTariffa_Id, fattura.TipoFatturazione_Id, "
         "fattura.ComuneFermo_ID, fattura.ComuneDestinazione_ID, fattura.Targa, "
         "fattura.DataIngressoVeicolo, fattura.DataUscitaVeicolo, TipoTariffe.Descrizione AS "
         "TipoTariffa, TipoFatturazione.Descrizione AS TipoFatturazione, Comuni_1.Comune AS "
         "ComuneRitiro, Comuni_2.Comune AS ComuneDestinazione, fattura.Km, fattura.Giorni, "
         "fattura.Causale,fattdett.NumeroRiga FROM (((((Vettore RIGHT JOIN (((((((fattdett LEFT JOIN "
         "Iva ON fattdett.Iva_ID = Iva.ID) INNER JOIN ((fattura LEFT JOIN Bank ON fattura.Banca_ID = "
         "Bank.Id) LEFT JOIN ModPagamento ON fattura.ModPagamento_Id = ModPagamento.id) ON "
         "fattdett.NumFatt = fattura.ID) LEFT JOIN Clienti ON fattura.Cliente_ID = Clienti.Id) LEFT "
         "JOIN FatturaAspetto ON fattura.Aspetto_ID = FatturaAspetto.id) LEFT JOIN FatturaPorto ON "
         "fattura.Porto_ID = FatturaPorto.id) LEFT JOIN Personale ON fattura.Personale_ID = "
         "Personale.Id) LEFT JOIN Comuni ON Personale.Comune_Id = Comuni.ID) ON Vettore.id = "
         "fattura.Vettore_ID) LEFT JOIN UnitaMisura ON fattdett.Um_ID = UnitaMisura.Id) LEFT JOIN "
         "TipoTariffe ON fattura.TipoTariffa_Id = TipoTariffe.id) LEFT JOIN TipoFatturazione ON "
         "fattura.TipoFatturazione_Id = TipoFatturazione.id) LEFT JOIN Comuni AS Comuni_1 ON "
         "fattura.ComuneFermo_ID = Comuni_1.ID) LEFT JOIN Comuni AS Comuni_2 ON "
         "fattura.ComuneDestinazione_ID = Comuni_2.ID WHERE fattura.ID = {Fattura} Order by "
         "fattdett.NumeroRiga",
     .sottoreport1 = "SELECT FatturaScadenze.Numero, FatturaScadenze.DataScadenza, FatturaScadenze.Operazione, "
         "FatturaScadenze.DataPagamento, FatturaScadenze.Importo, ModPagamento.Descrizione AS "
         "ModPagamento, FatturaScadenze.Note, FatturaScadenze.Dettagli, Bank.Banca, Bank.Iban, "
         "FatturaScadenze.Fattura_ID,ModPagamento.NonVisualizzareStampa FROM ((FatturaScadenze LEFT "
         "JOIN ModPagamento ON FatturaScadenze.ModPagamento_Id = ModPagamento.id) LEFT JOIN Bank ON "
         "FatturaScadenze.Banca_ID = Bank.Id) INNER JOIN fattura ON FatturaScadenze.Fattura_ID = "
         "fattura.ID Where FatturaScadenze.Fattura_ID = {Fattura} order by FatturaScadenze.Numero, "
         "FatturaScadenze.DataScadenza",
     .sottoreport2 = "SELECT OrdiniClienti.Data, OrdiniClienti.Numero, OrdiniClienti.CodiceCig, "
         "OrdiniClienti.CodiceCup, OrdiniClienti.CodiceCommessaConvenzione, OrdiniClienti.Note FROM "
         "OrdiniClienti INNER JOIN fattura ON OrdiniClienti.Fattura_ID = fattura.ID WHERE fattura.ID "
         "= {Fattura} order by OrdiniClienti.Data"},
    {.codice = 9, .report = "PrimaNota", .filtro = true, .parametro = Parametro::SaldoPrimaNota,
     .query = SQL_PRIMA_NOTA
         " ORDER BY finanzia.Tipologia_ID,finanzia.Data, finanzia.Operazione"},
    {.codice = 10, .report = "PrimaNotaClienti", .filtro = true, .parametro = Parametro::SaldoPrimaNota,
     .query = SQL_PRIMA_NOTA
         " ORDER BY finanzia.Tipologia_ID,finanzia.Data, finanzia.Operazione"},
    {.codice = 11, .report = "PrimaNotaFornitori", .filtro = true, .parametro = Parametro::SaldoPrimaNota,
     .query = SQL_PRIMA_NOTA
         " ORDER BY finanzia.Tipologia_ID,finanzia.Data, finanzia.Operazione"},
    {.codice = 12, .report = "SituazioneClienti", .filtro = true,
     .query = "SELECT fattura.Data AS DataFattura, Clienti.NominativoDocumenti as Cliente, "
         "ClientiCategoria.Descrizione AS CategoriaCliente, fattura.Num AS Numero, "
         "ModPagamento.Descrizione AS ModalitaPagamento, fattura.TotImposta, fattura.TotImponibile, "
         "fattura.TotFattura, fattura.SerieFatturazione, fattura.FattNota, FatturaScadenze.Importo "
         "AS ImportoPagamento, FatturaScadenze.Dettagli AS DettagliPagamento, "
         "FatturaScadenze.DataPagamento, fattura.ID AS IdeFattura, FatturaScadenze.Pagato, "
         "Bank.Banca, Bank.Iban, fattura.ScissionePagamenti FROM ((((FatturaScadenze RIGHT JOIN "
         "fattura ON FatturaScadenze.Fattura_ID = fattura.ID) LEFT JOIN Clienti ON "
         "fattura.Cliente_ID = Clienti.Id) LEFT JOIN ClientiCategoria ON Clienti.Categoria_ID = "
         "ClientiCategoria.ID) LEFT JOIN Bank ON FatturaScadenze.Banca_ID = Bank.Id) LEFT JOIN "
         "ModPagamento ON FatturaScadenze.ModPagamento_Id = ModPagamento.id Where "
         "Fattura.Carico=false ORDER BY fattura.Cliente, fattura.Data"},
    {.codice = 13, .report = "SituazioneFornitori", .filtro = true,
     .query = "SELECT fattura.Fornitore, fattura.DataRegistrazione, fattura.ProgressivoCarico AS "
         "NumeroRegistrazione, fattura.NumeroCarico AS NumeroFattura, fattura.Data AS DataFattura, "
         "ModPagamento.Descrizione AS ModalitaPagamento, fattura.TotImposta, fattura.TotImponibile, "
         "fattura.TotFattura, fattura.FattNota, FornitorCategoria.Descrizione AS CategoriaFornitore, "
         "FatturaScadenze.Importo AS ImportoPagamento, FatturaScadenze.Dettagli AS "
         "DettagliPagamento, FatturaScadenze.DataPagamento, fattura.ID AS IdeFattura, "
         "FatturaScadenze.Pagato, Bank.Banca, Bank.Iban FROM ((FatturaScadenze RIGHT JOIN ((fattura "
         "LEFT JOIN Fornitor ON fattura.Fornitore_ID = Fornitor.Id) LEFT JOIN FornitorCategoria ON "
         "Fornitor.Categoria_ID = FornitorCategoria.ID) ON FatturaScadenze.Fattura_ID = fattura.ID) "
         "LEFT JOIN Bank ON FatturaScadenze.Banca_ID = Bank.Id) LEFT JOIN ModPagamento ON "
         "FatturaScadenze.ModPagamento_Id = ModPagamento.id Where Fattura.Carico=true ORDER BY "
         "fattura.Fornitore, fattura.DataRegistrazione"},
    {.codice = 14, .report = "NotaCreditoFornitoreLista", .filtro = true,
     .query = "SELECT fattura.DataRegistrazione, fattura.ProgressivoCarico as Progressivo,fattura.Data, "
         "fattura.NumeroCarico AS Numero, ModPagamento.Descrizione AS ModalitaPagamento, "
         "fattura.TotImposta, fattura.TotImponibile, fattura.TotFattura, Bank.Banca, "
         "fattura.Fornitore FROM (fattura LEFT JOIN Bank ON fattura.Banca_ID = Bank.Id) LEFT JOIN "
         "ModPagamento ON fattura.ModPagamento_Id = ModPagamento.id WHERE fattura.Carico=True and "
         "fattura.FattNota=true ORDER BY fattura.Data, fattura.NumeroCarico"},
    {.codice = 15, .report = "Bilancio", .filtro = true,
     .query = "SELECT TempBilancio.DescrizioneData,TempBilancio.Carico, TempBilancio.Corrispettivi, "
         "TempBilancio.TotaleIva, TempBilancio.TotaleImponibile, ContabilitaConti.Descrizione as "
         "Conto, ContabilitaRaggruppamenti.Descrizione as Raggruppamento, "
         "ContabilitaClassi.Descrizione as Classe,ContabilitaClassi.Id as IdeClasse FROM "
         "((TempBilancio LEFT JOIN ContabilitaConti ON TempBilancio.ContabilitaConti_ID = "
         "ContabilitaConti.ID) LEFT JOIN ContabilitaRaggruppamenti ON "
         "ContabilitaConti.Raggruppamento_ID = ContabilitaRaggruppamenti.Id) LEFT JOIN "
         "ContabilitaClassi ON ContabilitaRaggruppamenti.Classe_ID = ContabilitaClassi.Id where "
         "TempBilancio.NomeComputer = '{Postazione}'"},
    {.codice = 16, .report = "ChiusuraIva", .filtro = true,
     .query = "SELECT ContabilitaChiusuraIvaTrimestre.Anno, ContabilitaChiusuraIvaTrimestre.Trimestre, "
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
    {.codice = 17, .report = "PrimaNotaSituazioneFornitori",
     .query = "SELECT fattura.Data AS DataFattura, fattura.NumeroCarico AS "
         "Numero,ModPagamento.Descrizione AS ModalitaPagamento, fattura.TotImposta, "
         "fattura.TotImponibile, fattura.TotFattura, Bank.Banca, fattura.FattNota, fattura.ID AS "
         "IdeFattura, Fornitor.Fornitore, fattura.DataRegistrazione, "
         "fattura.ProgressivoCarico,Fornitor.Id as Fornitore_ID,Fornitor.SaldoInizioAnno FROM "
         "((fattura LEFT JOIN Bank ON fattura.Banca_ID = Bank.Id) LEFT JOIN ModPagamento ON "
         "fattura.ModPagamento_Id = ModPagamento.id) RIGHT JOIN Fornitor ON fattura.Fornitore_ID = "
         "Fornitor.Id {CriteriFattureFornitori} ORDER BY Fornitor.Fornitore,fattura.DataRegistrazione",
     .sottoreport1 = "SELECT finanzia.Data, finanzia.Operazione, finanzia.Entrata, finanzia.Uscita, "
         "finanzia.Cliente_id, finanzia.Fornitore_id, ModPagamento.Descrizione AS ModPagamento FROM "
         "finanzia LEFT JOIN ModPagamento ON finanzia.ModPagamento_Id = "
         "ModPagamento.id{CriteriPrimaNotaFornitori} order by finanzia.Data"},
    {.codice = 18, .report = "PersonaleCosti",
     .query = SQL_COSTI_PERSONALE
         " WHERE Personale.ID = {Personale} Order by Data"},
    {.codice = 19, .report = "PersonaleCosti", .filtro = true,
     .query = SQL_COSTI_PERSONALE
         " Order by Personale,Data"},
    {.codice = 20, .report = "Scadenziario", .filtro = true,
     .query = "SELECT FatturaScadenze.DataScadenza, Clienti.NominativoDocumenti as Cliente, "
         "ClientiCategoria.Descrizione as CategoriaCliente, ModPagamento.Descrizione AS "
         "ModalitaPagamento, FatturaScadenze.Importo, fattura.Data AS DataFattura, fattura.Num AS "
         "NumeroFattura, FatturaScadenze.Operazione, fattura.SerieFatturazione, fattura.FattNota, "
         "Bank.Banca, Bank.Iban, Clienti.Telefono, Clienti.Cellulare FROM ((((FatturaScadenze INNER "
         "JOIN fattura ON FatturaScadenze.Fattura_ID = fattura.ID) LEFT JOIN Clienti ON "
         "FatturaScadenze.Cliente_id = Clienti.Id) LEFT JOIN Bank ON FatturaScadenze.Banca_ID = "
         "Bank.Id) LEFT JOIN ModPagamento ON FatturaScadenze.ModPagamento_Id = ModPagamento.id) LEFT "
         "JOIN ClientiCategoria ON Clienti.Categoria_ID = ClientiCategoria.ID WHERE "
         "FatturaScadenze.DataPagamento Is Null AND FatturaScadenze.Tipo <> 'C' AND "
         "FatturaScadenze.Tipo <> 'B' ORDER BY FatturaScadenze.DataScadenza"},
    {.codice = 21, .report = "Pagamenti", .filtro = true,
     .query = "SELECT FatturaScadenze.DataScadenza, Clienti.NominativoDocumenti as Cliente, "
         "ClientiCategoria.Descrizione AS CategoriaCliente, ModPagamento.Descrizione AS "
         "ModalitaPagamento, FatturaScadenze.Importo, fattura.Data AS DataFattura, fattura.Num AS "
         "NumeroFattura, FatturaScadenze.Operazione, fattura.SerieFatturazione, "
         "FatturaScadenze.DataPagamento, FatturaScadenze.Dettagli, fattura.FattNota, Bank.Banca, "
         "Bank.Iban FROM ((((FatturaScadenze INNER JOIN fattura ON FatturaScadenze.Fattura_ID = "
         "fattura.ID) LEFT JOIN Clienti ON FatturaScadenze.Cliente_id = Clienti.Id) LEFT JOIN Bank "
         "ON FatturaScadenze.Banca_ID = Bank.Id) LEFT JOIN ModPagamento ON "
         "FatturaScadenze.ModPagamento_Id = ModPagamento.id) LEFT JOIN ClientiCategoria ON "
         "Clienti.Categoria_ID = ClientiCategoria.ID WHERE FatturaScadenze.DataPagamento Is Not Null "
         "AND FatturaScadenze.Tipo <> 'C' AND FatturaScadenze.Tipo <> 'B' ORDER BY "
         "FatturaScadenze.DataScadenza"},
    {.codice = 22, .report = "Cisterne", .filtro = true,
     .query = "SELECT Cisterne.Descrizione AS Cisterna, Cisterne.Litri, Carburanti.Descrizione AS "
         "Carburante, Carburanti.Prezzo AS PrezzoCarburante, Cisterne.id as Cisterna_ID FROM "
         "Cisterne LEFT JOIN Carburanti ON Cisterne.Carburante_ID = Carburanti.id order by "
         "Cisterne.Descrizione",
     .sottoreport1 = "SELECT CisterneCarico.Data, CisterneCarico.Importo, CisterneCarico.Litri, "
         "CisterneCarico.Cisterna_ID, fattura.Data as FatturaData, fattura.Num as FatturaNumero, "
         "fattura.Fornitore FROM (CisterneCarico INNER JOIN Cisterne ON CisterneCarico.Cisterna_ID = "
         "Cisterne.id) LEFT JOIN fattura ON CisterneCarico.Fattura_ID = fattura.ID order by "
         "Cisterne.Descrizione,CisterneCarico.Data",
     .sottoreport2 = "SELECT VettureCarburante.Cisterna_ID, VettureCarburante.Data, VettureCarburante.Litri, "
         "VettureCarburante.Importo, VettureCarburante.Note, Vetture.Targa, Vetture.NumTelaio, "
         "Personale.Personale, Personale.CodFisc FROM ((VettureCarburante INNER JOIN Cisterne ON "
         "VettureCarburante.Cisterna_ID = Cisterne.id) INNER JOIN Vetture ON "
         "VettureCarburante.Vettura_ID = Vetture.ID) LEFT JOIN Personale ON "
         "VettureCarburante.Personale_ID = Personale.Id order by "
         "Cisterne.Descrizione,VettureCarburante.Data"},
    {.codice = 23, .report = "Calendario", .filtro = true,
     .query = "SELECT Calendario.Id, Calendario.Data, Calendario.TipologiaCalendario, Calendario.Note, "
         "Calendario.Personale, Calendario.Cliente, prezziar.Descrizione as Tariffa FROM Calendario "
         "LEFT JOIN prezziar ON Calendario.Tariffa_ID = prezziar.Id ORDER BY Calendario.Data, "
         "Calendario.Personale"},
    {.codice = 24, .report = "PrimaNotaBanca", .parametro = Parametro::SaldoDigitato,
     .query = SQL_PRIMA_NOTA
         " where Month(Finanzia.Data)={Mese} and Year(Finanzia.Data)= {Anno} and "
         "Finanzia.Banca_ID={Banca} ORDER BY finanzia.Data, finanzia.Operazione"},
    {.codice = 25, .report = "Personale", .filtro = true,
     .query = "SELECT Personale.Personale,  CategoriePersonale.Descrizione as Categoria, Personale.Iva AS "
         "PartitaIva, Personale.CodFisc AS CodiceFiscale, Personale.Tel AS telefono, Personale.Fax, "
         "Personale.Cell AS Cellulare, Personale.Indirizzo, Personale.Numero, Comuni.Comune, "
         "Comuni.Provincia, Comuni.CAP, Personale.DataNascita, Personale.Documento, "
         "Personale.DocTipo, Personale.PagaMensile, Personale.TariffaGiornaliera, "
         "Personale.DataAssunzione, Personale.CQC, Personale.Tachigrafo, Personale.DataFineRapporto "
         "FROM (Personale LEFT JOIN Comuni ON Personale.Comune_Id = Comuni.ID) LEFT JOIN "
         "CategoriePersonale ON Personale.CategoriaPersonale_ID = CategoriePersonale.Id WHERE "
         "(((Personale.Annullato)=False))"},
    {.codice = 26, .report = "Etichette", .landscape = false, .testata = false,
     .query = "SELECT TempoEtichetteStatiche.Descrizione, TempoEtichetteStatiche.Prezzo, "
         "TempoEtichetteStatiche.Barre, prezziar.Codice FROM TempoEtichetteStatiche INNER JOIN "
         "prezziar ON TempoEtichetteStatiche.Articolo_ID = prezziar.Id WHERE NomeComputer "
         "='{Postazione}'"},
    {.codice = 27, .report = "PrimaNotaMese", .parametro = Parametro::SaldoDigitato,
     .query = SQL_PRIMA_NOTA
         " where Month(Finanzia.Data)={Mese} and Year(Finanzia.Data)= {Anno} ORDER BY "
         "finanzia.Tipologia_ID,finanzia.Data, finanzia.Operazione"},
    {.codice = 28, .report = "ContabilitaSituazioneConto",
     .query = "SELECT TempContabilitaConto.DescrizioneData, ContabilitaConti.Descrizione AS Conto, "
         "ContabilitaRaggruppamenti.Descrizione AS Raggruppamento, ContabilitaClassi.Descrizione AS "
         "Classe, ContabilitaClassi.Id AS IdeClasse, TempContabilitaConto.TotaleImponibile, "
         "TempContabilitaConto.Descrizione, TempContabilitaConto.Tipologia, "
         "TempContabilitaConto.NumeroDocumento, TempContabilitaConto.SerieFatturazione, "
         "TempContabilitaConto.DataDocumento, TempContabilitaConto.DataRegistrazione, "
         "TempContabilitaConto.ProgressivoCarico, TempContabilitaConto.DescrizioneTipologia FROM "
         "((TempContabilitaConto LEFT JOIN ContabilitaConti ON "
         "TempContabilitaConto.ContabilitaConti_ID = ContabilitaConti.ID) LEFT JOIN "
         "ContabilitaRaggruppamenti ON ContabilitaConti.Raggruppamento_ID = "
         "ContabilitaRaggruppamenti.Id) LEFT JOIN ContabilitaClassi ON "
         "ContabilitaRaggruppamenti.Classe_ID = ContabilitaClassi.Id where "
         "TempContabilitaConto.NomeComputer = '{Postazione}' order by "
         "TempContabilitaConto.DescrizioneTipologia,TempContabilitaConto.NumeroDocumento"},
    {.codice = 29, .report = "SequestriNonDissequestrati", .filtro = true,
     .query = "SELECT Sequestri.Data, Sequestri.Numero, Sequestri.EnteSequestratore, "
         "Sequestri.Proprietario, Sequestri.TipoSequestro, Sequestri.AutoModello, "
         "Sequestri.Matricola, Sequestri.AutoTarga, Sequestri.Confisca, Sequestri.Note FROM "
         "Sequestri where Sequestri.DataDissequestro is null or "
         "Sequestri.DataDissequestro<#01/01/1900# ORDER BY Sequestri.Data, Sequestri.Numero"},
    {.codice = 30, .report = "FattureLista", .filtro = true,
     .query = "SELECT fattura.Data AS DataFattura, ClientiCategoria.Descrizione AS CategoriaCliente, "
         "fattura.Num AS Numero, fattura.SerieFatturazione, fattura.Cliente, fattura.Targa, "
         "fattura.DataIngressoVeicolo, fattura.DataUscitaVeicolo, ModPagamento.Descrizione AS "
         "ModoPagamento,Comuni_1.Comune as ComuneFermo, Comuni.Comune as ComuneDestinazione, "
         "TipoFatturazione.Descrizione as TipoFattura, TipoTariffe.Descrizione as Tariffa,  "
         "fattura.TotImposta, fattura.TotFattura, fattura.TotImponibile, fattura.Note, Bank.Banca, "
         "Bank.Iban, fattura.Km, fattura.Giorni, fattura.Depositata, fattura.ScissionePagamenti FROM "
         "(((((((fattura LEFT JOIN ModPagamento ON fattura.ModPagamento_Id = ModPagamento.id) LEFT "
         "JOIN Bank ON fattura.Banca_ID = Bank.Id) LEFT JOIN Clienti ON fattura.Cliente_ID = "
         "Clienti.Id) LEFT JOIN ClientiCategoria ON Clienti.Categoria_ID = ClientiCategoria.ID) LEFT "
         "JOIN TipoTariffe ON fattura.TipoTariffa_Id = TipoTariffe.id) LEFT JOIN TipoFatturazione ON "
         "fattura.TipoFatturazione_Id = TipoFatturazione.id) LEFT JOIN Comuni AS Comuni_1 ON "
         "fattura.ComuneFermo_ID = Comuni_1.ID) LEFT JOIN Comuni ON fattura.ComuneDestinazione_ID = "
         "Comuni.ID WHERE (((fattura.Carico)=False) AND ((fattura.FattNota)=False)) ORDER BY "
         "fattura.Data, fattura.Num"},
    {.codice = 31, .report = "CaricoLista", .filtro = true,
     .query = "SELECT fattura.DataRegistrazione, fattura.ProgressivoCarico, fattura.NumeroCarico AS "
         "Numero, fattura.Data AS DataFattura, ModPagamento.Descrizione AS ModalitaPagamento, "
         "fattura.TotImposta, fattura.TotImponibile, fattura.TotFattura, Bank.Banca, "
         "fattura.Fornitore, FornitorCategoria.Descrizione AS Categoria, Personale.Personale, "
         "Personale.CodFisc, Vetture.Targa, Vetture.VeicoloDesc as Vettura,fattura.RitenutaAcconto "
         "FROM ((((fattura LEFT JOIN Bank ON fattura.Banca_ID = Bank.Id) LEFT JOIN ModPagamento ON "
         "fattura.ModPagamento_Id = ModPagamento.id) LEFT JOIN (Fornitor LEFT JOIN FornitorCategoria "
         "ON Fornitor.Categoria_ID = FornitorCategoria.ID) ON fattura.Fornitore_ID = Fornitor.Id) "
         "LEFT JOIN Personale ON fattura.Personale_ID = Personale.Id) LEFT JOIN Vetture ON "
         "fattura.Vettura_ID = Vetture.ID WHERE fattura.Carico=True and fattura.FattNota=false ORDER "
         "BY fattura.Data, fattura.NumeroCarico"},
    {.codice = 32, .report = "Avvisi",
     .query = "SELECT Clienti.NominativoDocumenti as Cliente, Clienti.Via AS AssociatoIndirizzo, "
         "Clienti.Telefono AS AssociatoTelefono, Clienti.Cellulare AS AssociatoCellulare, "
         "Clienti.Citta AS AssociatoComune, Clienti.Provincia AS AssociatoProvincia, Clienti.Cap AS "
         "AssociatoCap, Clienti.CodFiscale AS AssociatoCodFiscale, Clienti.Numero AS "
         "AssociatoCivico, TempAvvisi.Testo, Clienti.Iva as PartitaIva FROM (TempAvvisiClienti INNER "
         "JOIN Clienti ON TempAvvisiClienti.Cliente_ID = Clienti.Id) INNER JOIN TempAvvisi ON "
         "TempAvvisiClienti.NomeComputer = TempAvvisi.NomeComputer WHERE "
         "TempAvvisiClienti.NomeComputer ='{Postazione}' ORDER BY Clienti.NominativoDocumenti"},
    {.codice = 33, .report = "NoteCreditoLista", .filtro = true,
     .query = "SELECT fattura.Data, fattura.Num AS Numero, ModPagamento.Descrizione AS ModalitaPagamento, "
         "fattura.TotImposta, fattura.TotImponibile, fattura.TotFattura, fattura.Cliente, "
         "fattura.SerieFatturazione, fattura.Depositata, fattura.ScissionePagamenti FROM (fattura "
         "LEFT JOIN Bank ON fattura.Banca_ID = Bank.Id) LEFT JOIN ModPagamento ON "
         "fattura.ModPagamento_Id = ModPagamento.id WHERE fattura.Carico=False and fattnota=true "
         "ORDER BY fattura.Data, fattura.Num"},
    {.codice = 34, .report = "ChiusuraIvaMensile", .filtro = true,
     .query = "SELECT ContabilitaChiusuraIvaMensile.Anno, ContabilitaChiusuraIvaMensile.Mese, "
         "ContabilitaChiusuraIvaMensile.DescrizioneMese, "
         "ContabilitaChiusuraIvaMensile.AcquistiImponibile, "
         "ContabilitaChiusuraIvaMensile.AcquistiImposta, "
         "ContabilitaChiusuraIvaMensile.VenditaImponibile, "
         "ContabilitaChiusuraIvaMensile.VenditaImposta, "
         "ContabilitaChiusuraIvaMensile.CorrispettiviImponibile, "
         "ContabilitaChiusuraIvaMensile.CorrispettiviImposta, "
         "ContabilitaChiusuraIvaMensile.TotaleIvaDebito, "
         "ContabilitaChiusuraIvaMensile.TotaleIvaCredito, "
         "ContabilitaChiusuraIvaMensile.CreditoResiduoMesePassato, "
         "ContabilitaChiusuraIvaMensileRighe.Iva_ID, ContabilitaChiusuraIvaMensileRighe.Carico, "
         "ContabilitaChiusuraIvaMensileRighe.Corrispettivi, "
         "ContabilitaChiusuraIvaMensileRighe.IvaDescrizione, "
         "ContabilitaChiusuraIvaMensileRighe.TotaleIva, "
         "ContabilitaChiusuraIvaMensileRighe.TotaleImponibile FROM "
         "(ContabilitaChiusuraIvaMensileRighe INNER JOIN ContabilitaChiusuraIvaMensile ON "
         "ContabilitaChiusuraIvaMensileRighe.ContabilitaChiusuraIvaMensile_ID = "
         "ContabilitaChiusuraIvaMensile.id) INNER JOIN Iva ON "
         "ContabilitaChiusuraIvaMensileRighe.Iva_ID = Iva.ID ORDER BY "
         "ContabilitaChiusuraIvaMensileRighe.Carico, ContabilitaChiusuraIvaMensileRighe.Corrispettivi"},
    {.codice = 35, .report = "PreventiviLista", .filtro = true,
     .query = "SELECT PreventiTestata.Numero, PreventiTestata.Data, PreventiTestata.TotImposta, "
         "PreventiTestata.TotImponibile, PreventiTestata.TotalePreventivo, PreventiTestata.Cliente, "
         "PreventiTestata.DataIngressoVeicolo, PreventiTestata.DataUscitaVeicolo, "
         "PreventiTestata.Giorni, PreventiTestata.ProcPen, PreventiTestata.Gip FROM PreventiTestata "
         "order by PreventiTestata.Data, PreventiTestata.Numero"},
    {.codice = 36, .report = "EtichetteClienti", .landscape = false, .filtro = true,
     .query = SQL_ETICHETTE_CLIENTI},
    {.codice = 37, .report = "EtichetteClienti", .landscape = false, .filtro = true,
     .query = SQL_ETICHETTE_CLIENTI},
    {.codice = 38, .report = "EtichetteClienti", .landscape = false, .filtro = true, .testata = false,
     .query = SQL_ETICHETTE_CLIENTI},
    {.codice = 41, .report = "EtichetteAzienda", .landscape = false, .testata = false,
     .query = "SELECT ditta.RagSoc AS Descrizione, ditta.Via, ditta.Comune AS Citta, ditta.Provincia, "
         "ditta.Cap, ditta.Numero AS NumCasa FROM ditta"},
    {.codice = 42, .report = "ScadenziarioFornitori", .filtro = true,
     .query = "SELECT FatturaScadenze.DataScadenza, Fornitor.Fornitore, FornitorCategoria.Descrizione as "
         "CategoriaFornitore, ModPagamento.Descrizione AS ModalitaPagamento, "
         "FatturaScadenze.Importo, fattura.Data AS DataFattura, fattura.NumeroCarico AS "
         "NumeroFattura, FatturaScadenze.Operazione, fattura.SerieFatturazione, fattura.FattNota, "
         "Bank.Banca, Bank.Iban FROM ((((FatturaScadenze INNER JOIN fattura ON "
         "FatturaScadenze.Fattura_ID = fattura.ID) INNER JOIN Fornitor ON "
         "FatturaScadenze.Fornitore_id = Fornitor.Id) LEFT JOIN Bank ON FatturaScadenze.Banca_ID = "
         "Bank.Id) LEFT JOIN ModPagamento ON FatturaScadenze.ModPagamento_Id = ModPagamento.id) LEFT "
         "JOIN FornitorCategoria ON Fornitor.Categoria_ID = FornitorCategoria.ID WHERE "
         "FatturaScadenze.DataPagamento Is Null AND (FatturaScadenze.Tipo = 'C' or "
         "FatturaScadenze.Tipo = 'B') ORDER BY FatturaScadenze.DataScadenza"},
    {.codice = 43, .report = "PagamentiFornitori", .filtro = true,
     .query = "SELECT FatturaScadenze.DataScadenza, Fornitor.Fornitore, FornitorCategoria.Descrizione as "
         "CategoriaFornitore, ModPagamento.Descrizione AS ModalitaPagamento, "
         "FatturaScadenze.Importo, fattura.Data AS DataFattura, fattura.NumeroCarico AS "
         "NumeroFattura, FatturaScadenze.Operazione, fattura.SerieFatturazione, "
         "FatturaScadenze.DataPagamento, FatturaScadenze.Dettagli, fattura.FattNota, Bank.Banca, "
         "Bank.Iban FROM ((((FatturaScadenze INNER JOIN fattura ON FatturaScadenze.Fattura_ID = "
         "fattura.ID) INNER JOIN Fornitor ON FatturaScadenze.Fornitore_id = Fornitor.Id) LEFT JOIN "
         "Bank ON FatturaScadenze.Banca_ID = Bank.Id) LEFT JOIN ModPagamento ON "
         "FatturaScadenze.ModPagamento_Id = ModPagamento.id) LEFT JOIN FornitorCategoria ON "
         "Fornitor.Categoria_ID = FornitorCategoria.ID WHERE FatturaScadenze.DataPagamento Is Not "
         "Null AND (FatturaScadenze.Tipo = 'C' or FatturaScadenze.Tipo = 'B') ORDER BY "
         "FatturaScadenze.DataScadenza"},
    {.codice = 44, .report = "VettureCosti",
     .query = "SELECT VettureCosti.Data, VettureCosti.TipologiaCosto, VettureCosti.Note, Vetture.Targa, "
         "Vetture.NumTelaio, Vetture.Modello AS Marca, Veicoli.Descrizione AS Veicolo, "
         "VettureCosti.Importo, Vetture.DataImmatricolazione, Vetture.Cilindrata, Vetture.Colore, "
         "Vetture.Chilometri, Personale.Personale AS Trasportatore, Vetture.VeicoloDesc FROM "
         "VettureCosti INNER JOIN ((Vetture LEFT JOIN Veicoli ON Vetture.Veicolo_ID = Veicoli.Id) "
         "LEFT JOIN Personale ON Vetture.Personale_ID = Personale.Id) ON VettureCosti.Vettura_ID = "
         "Vetture.ID WHERE Vetture.ID = {Vettura} Order by Data"},
    {.codice = 45, .report = "VettureCarburante",
     .query = "SELECT Vetture.Targa, Vetture.NumTelaio, Vetture.Modello AS Marca, Veicoli.Descrizione AS "
         "TipoVeicolo, Vetture.DataImmatricolazione, Vetture.Cilindrata, Vetture.Colore, "
         "Vetture.Chilometri, Personale.Personale AS Trasportatore, Vetture.VeicoloDesc, "
         "VettureCarburante.Data, VettureCarburante.Litri, VettureCarburante.Importo, "
         "VettureCarburante.Note, VettureSchede.Scheda, Rifornimenti.Descrizione AS Rifornimento, "
         "VettureCarburante.KmArrivo, VettureCarburante.KmPartenza, VettureCarburante.KmDifferenza "
         "FROM (((VettureCarburante INNER JOIN (Vetture LEFT JOIN Veicoli ON Vetture.Veicolo_ID = "
         "Veicoli.Id) ON VettureCarburante.Vettura_ID = Vetture.ID) LEFT JOIN Personale ON "
         "VettureCarburante.Personale_ID = Personale.Id) LEFT JOIN VettureSchede ON "
         "VettureCarburante.VettureScheda_ID = VettureSchede.Id) LEFT JOIN Rifornimenti ON "
         "VettureCarburante.Rifornimento_ID = Rifornimenti.id WHERE Vetture.ID = {Vettura} ORDER BY "
         "VettureCarburante.Data Desc"},
    {.codice = 46, .report = "VettureCostiElenco", .filtro = true,
     .query = "SELECT VettureCosti.Data, VettureCosti.Importo, VettureCosti.TipologiaCosto, "
         "VettureCosti.Note, Vetture.Targa, Vetture.NumTelaio, Vetture.Modello AS Marca, "
         "Veicoli.Descrizione AS Veicolo, Vetture.DataImmatricolazione, Vetture.Cilindrata, "
         "Vetture.Colore, Vetture.Chilometri, Personale.Personale AS Trasportatore, "
         "Vetture.VeicoloDesc FROM VettureCosti INNER JOIN ((Vetture LEFT JOIN Veicoli ON "
         "Vetture.Veicolo_ID = Veicoli.Id) LEFT JOIN Personale ON Vetture.Personale_ID = "
         "Personale.Id) ON VettureCosti.Vettura_ID = Vetture.ID"},
    {.codice = 47, .report = "VettureCarburanteElenco", .filtro = true,
     .query = "SELECT VettureCarburante.Data, VettureCarburante.Litri, VettureCarburante.Importo, "
         "VettureCarburante.KmArrivo, VettureCarburante.KmPartenza, VettureCarburante.KmDifferenza, "
         "VettureSchede.Scheda,VettureSchede.Numero as NumeroScheda, Rifornimenti.Descrizione AS "
         "Rifornimento, VettureCarburante.Note, Carburanti.Descrizione AS TipoCarburante, "
         "Vetture.Targa, Vetture.NumTelaio, Vetture.Modello AS Marca, Veicoli.Descrizione AS "
         "TipoVeicolo, Vetture.DataImmatricolazione, Vetture.Cilindrata, Vetture.Colore, "
         "Personale.Personale AS Autista, Vetture.VeicoloDesc, Vetture.ID AS Vettura_ID FROM "
         "((((VettureCarburante INNER JOIN (Vetture LEFT JOIN Veicoli ON Vetture.Veicolo_ID = "
         "Veicoli.Id) ON VettureCarburante.Vettura_ID = Vetture.ID) LEFT JOIN Carburanti ON "
         "Vetture.Carburante_id = Carburanti.id) LEFT JOIN Personale ON "
         "VettureCarburante.Personale_ID = Personale.Id) LEFT JOIN VettureSchede ON "
         "VettureCarburante.VettureScheda_ID = VettureSchede.Id) LEFT JOIN Rifornimenti ON "
         "VettureCarburante.Rifornimento_ID = Rifornimenti.id Order by "
         "Vetture.ID,VettureCarburante.Data"},
    {.codice = 48, .report = "VettureGenerale",
     .query = SQL_VETTURA
         " WHERE Vetture.ID = {Vettura}"},
    {.codice = 49, .report = "VettureScadenze",
     .query = SQL_SCADENZE_VETTURE
         " WHERE Vetture.ID = {Vettura}"},
    {.codice = 50, .report = "VettureSchede",
     .query = "SELECT Vetture.Targa, Vetture.NumTelaio, Vetture.Modello AS Marca, Veicoli.Descrizione AS "
         "Veicolo, Vetture.Note, Vetture.DataImmatricolazione, Vetture.Cilindrata, Vetture.Colore, "
         "Vetture.Chilometri, Personale.Personale AS Trasportatore, Vetture.VeicoloDesc, "
         "VettureSchede.Scheda, VettureSchede.Numero, VettureSchede.Pin, VettureSchede.Note FROM "
         "VettureSchede LEFT JOIN ((Vetture LEFT JOIN Veicoli ON Vetture.Veicolo_ID = Veicoli.Id) "
         "LEFT JOIN Personale ON Vetture.Personale_ID = Personale.Id) ON VettureSchede.Vettura_ID = "
         "Vetture.ID WHERE Vetture.ID = {Vettura}"},
    {.codice = 51, .report = "VettureScadenzeElenco", .filtro = true,
     .query = SQL_SCADENZE_VETTURE
         " WHERE VettureScadenze.Validato = false "},
    {.codice = 52, .report = "VettureElenco", .filtro = true,
     .query = SQL_VETTURA},
    {.codice = 53, .report = "PersonaleScadenze",
     .query = SQL_SCADENZE_PERSONALE
         " WHERE Personale.ID = {Personale} Order by DataScadenza"},
    {.codice = 54, .report = "PersonaleScadenze",
     .query = SQL_SCADENZE_PERSONALE
         " WHERE Personale.ID = {Personale} Order by DataScadenza"},
    {.codice = 55, .report = "PersonaleScadenze", .filtro = true,
     .query = SQL_SCADENZE_PERSONALE
         " Order by Personale,DataScadenza"},
    {.codice = 57, .report = "VettureCaricoRighe", .filtro = true,
     .query = "SELECT Movimenti.Data, Movimenti.Imputazione, Movimenti.Chilometri, Movimenti.Um, "
         "Movimenti.ValoreUnitario, Movimenti.Sconto, Movimenti.AliquotaIva, "
         "Movimenti.PrezzoCompleto, ContabilitaConti.Descrizione as ContabilitaConto FROM Movimenti "
         "INNER JOIN ContabilitaConti ON Movimenti.ContabilitaConti_ID = ContabilitaConti.ID WHERE "
         "Movimenti.Scarico=False and Movimenti.Vettura_ID={Vettura}"},
    {.codice = 58, .report = "PrivacyClienti",
     .query = "SELECT Clienti.NominativoDocumenti as Cliente, Clienti.Via, Clienti.Telefono, Clienti.Fax, "
         "Clienti.Cellulare, Clienti.EMail, Clienti.Citta, Clienti.Iva, Clienti.Provincia, "
         "Clienti.Cap, Clienti.CodFiscale, Clienti.Numero, Clienti.Codice, Clienti.Internet From "
         "Clienti WHERE Id = {Cliente}"},
    {.codice = 59, .report = "PrivacyFornitori",
     .query = "SELECT Fornitor.Fornitore, Fornitor.VIA, Fornitor.Comune, Fornitor.Cap, Fornitor.Numero, "
         "Fornitor.Telefono, Fornitor.Fax, Fornitor.Email, Fornitor.Iva, Fornitor.CodFiscale, "
         "Fornitor.Provincia, Fornitor.Cellulare, Fornitor.Codice, Fornitor.Internet FROM Fornitor "
         "WHERE Id = {Fornitore}"},
    {.codice = 60, .report = "PrivacyPersonale",
     .query = "SELECT Personale.Personale, Personale.Iva, Personale.CodFisc, Personale.Tel, "
         "Personale.Fax, Personale.Cell, Personale.Indirizzo, Personale.Numero, Personale.Email, "
         "Personale.Codice, Comuni.Comune, Comuni.Provincia, Comuni.CAP FROM Personale LEFT JOIN "
         "Comuni ON Personale.Comune_Id = Comuni.ID WHERE Personale.Id = {Personale}"},
    {.codice = 65, .report = "PersonaleStipendi", .filtro = true,
     .query = SQL_STIPENDI},
    {.codice = 66, .report = "PersonaleStipendiMese", .filtro = true,
     .query = SQL_STIPENDI},
    {.codice = 67, .report = "PersonaleStipendiDescrizioni", .filtro = true,
     .query = SQL_STIPENDI},
};

#undef SQL_PRIMA_NOTA
#undef SQL_COSTI_PERSONALE
#undef SQL_SCADENZE_PERSONALE
#undef SQL_VETTURA
#undef SQL_SCADENZE_VETTURE
#undef SQL_ETICHETTE_CLIENTI
#undef SQL_STIPENDI

// A typed value that cannot be placed in SQL: the message tells the user what to correct.
struct CriterioNonValido {
    QString messaggio;
};

// A lookup key or a typed number: only its digits reach the SQL.
QString intero(const QString &testo, qint64 minimo, qint64 massimo, const QString &messaggio)
{
    bool ok = false;
    const qint64 n = testo.trimmed().toLongLong(&ok);
    if (!ok || n < minimo || n > massimo) throw CriterioNonValido{messaggio};
    return QString::number(n);
}

bool dataVuota(const QString &testo)
{
    return std::all_of(testo.begin(), testo.end(), [](QChar c) { return c.isSpace() || c == u'/' || c == u'_'; });
}

QString dataSql(const QString &testo)
{
    try {
        return common::DataSql(testo.trimmed());
    } catch (const std::invalid_argument &) {
        throw CriterioNonValido{QStringLiteral("Attenzione data non valida: %1").arg(testo.trimmed())};
    }
}

// The person and date conditions of codes 7 and 17. Each query collects its own: the person
// condition begins with its own " where ", the dates join with " where " or " and ".
struct PezziCriteri {
    const char *soggetto;
    const char *daData;
    const char *aData;
};

QString criteri(const CriteriStampa &c, const PezziCriteri &p)
{
    QString sql;
    if (!c.soggetto.trimmed().isEmpty())
        sql += QLatin1String(p.soggetto)
            + intero(c.soggetto, 1, std::numeric_limits<qint64>::max(),
                     QStringLiteral("Attenzione il cliente o fornitore scelto non è valido."));
    const auto congiunzione = [&sql] { return sql.isEmpty() ? QStringLiteral(" where ") : QStringLiteral(" and "); };
    if (!dataVuota(c.daData)) sql += congiunzione() + QLatin1String(p.daData) + dataSql(c.daData) + u'#';
    if (!dataVuota(c.aData)) sql += congiunzione() + QLatin1String(p.aData) + dataSql(c.aData) + QLatin1String(" 23.59.59#");
    return sql;
}

struct Contesto {
    const Chiavi &chiavi;
    const CriteriStampa &criteri;
    const QString &postazione;
};

// The placeholders of the SQL texts and how each is filled.
struct Segnaposto {
    const char *nome;
    QString (*valore)(const Contesto &);
};

// A key that is not there reads 0: the report comes out empty.
QString numero(const std::optional<qint64> &n) { return QString::number(n.value_or(0)); }

const Segnaposto kSegnaposti[] = {
    {"Postazione", [](const Contesto &c) { return common::RaddoppiaApici(c.postazione); }},
    {"NotaCredito", [](const Contesto &c) { return numero(c.chiavi.notaCredito); }},
    // The quote open in the quote editor, or the one linked to the current seizure.
    {"CondizionePreventivo", [](const Contesto &c) -> QString {
         if (c.chiavi.daSequestro) return QStringLiteral(" WHERE PreventiTestata.Id=") + numero(c.chiavi.preventivo);
         return QStringLiteral(" WHERE PreventiTestata.ID = ") + numero(c.chiavi.preventivo);
     }},
    // From a seizure, the invoice linked to it: its instalments and orders, not those of every
    // invoice with the same plate.
    {"Fattura", [](const Contesto &c) { return numero(c.chiavi.fattura); }},
    {"Cliente", [](const Contesto &c) { return numero(c.chiavi.cliente); }},
    {"Fornitore", [](const Contesto &c) { return numero(c.chiavi.fornitore); }},
    {"Vettura", [](const Contesto &c) { return numero(c.chiavi.vettura); }},
    {"Personale", [](const Contesto &c) { return numero(c.chiavi.personale); }},
    {"Mese", [](const Contesto &c) { return intero(c.criteri.mese, 1, 12, QStringLiteral("Attenzione scegliere il mese.")); }},
    {"Anno", [](const Contesto &c) {
         return intero(c.criteri.anno, 1000, 9999, QStringLiteral("Attenzione scrivere l'anno con quattro cifre."));
     }},
    {"Banca", [](const Contesto &c) {
         return intero(c.criteri.banca, 1, std::numeric_limits<qint64>::max(), QStringLiteral("Attenzione scegliere la banca."));
     }},
    {"CriteriFattureClienti", [](const Contesto &c) {
         return criteri(c.criteri, {" where Clienti.ID=", " fattura.Data>=#", "\tfattura.Data <=#"});
     }},
    {"CriteriPrimaNotaClienti", [](const Contesto &c) {
         return criteri(c.criteri, {" where Finanzia.Cliente_id=", " finanzia.Data>=#", "\tfinanzia.Data <=#"});
     }},
    {"CriteriFattureFornitori", [](const Contesto &c) {
         return criteri(c.criteri, {" where Fornitor.ID=", " fattura.DataRegistrazione>=#", " fattura.DataRegistrazione <=#"});
     }},
    {"CriteriPrimaNotaFornitori", [](const Contesto &c) {
         return criteri(c.criteri, {" where finanzia.Fornitore_id=", " finanzia.Data >=#", " finanzia.Data <=#"});
     }},
};

// The SQL text with each {placeholder} replaced by its value; a null text stays null.
QString espandi(const char *testo, const Contesto &c)
{
    if (!testo) return QString();
    const QString t = QString::fromUtf8(testo);
    QString sql;
    qsizetype da = 0;
    for (qsizetype a = t.indexOf(u'{'); a >= 0; a = t.indexOf(u'{', da)) {
        const qsizetype b = t.indexOf(u'}', a);
        const QString nome = t.mid(a + 1, b - a - 1);
        const auto s = std::find_if(std::begin(kSegnaposti), std::end(kSegnaposti),
                                    [&nome](const Segnaposto &p) { return nome == QLatin1String(p.nome); });
        if (s == std::end(kSegnaposti)) throw std::logic_error("segnaposto sconosciuto: " + nome.toStdString());
        sql += QStringView(t).mid(da, a - da) + s->valore(c);
        da = b + 1;
    }
    return sql + QStringView(t).mid(da);
}

// Landscape templates carry "Lan" before the suffix: "ClientiLan.rpt", "PreventiviLan2.rpt".
void nomiReport(const Voce &v, const Opzioni &opzioni, const QString &cartella, Richiesta &r)
{
    QString nome = QString::fromLatin1(v.report);
    QString suffisso;
    if (v.variante == Variante::Preventivo && !opzioni.prezzoPreventivo)
        suffisso = QStringLiteral("2");
    else if (v.variante != Variante::Unica && !opzioni.documentiRigaIvato)
        nome += QLatin1String("NoRigaIva");
    const QDir dir(cartella);
    r.nomeReport = dir.filePath(nome + suffisso + QLatin1String(".rpt"));
    r.nomeReportLandscape = v.landscape ? dir.filePath(nome + QLatin1String("Lan") + suffisso + QLatin1String(".rpt"))
                                        : r.nomeReport;
}

std::optional<double> saldoDigitato(const QString &testo)
{
    const QString t = testo.trimmed();
    if (t.isEmpty()) return std::nullopt;
    bool ok = false;
    double saldo = QLocale(QLocale::Italian, QLocale::Italy).toDouble(t, &ok);
    if (!ok) saldo = QLocale::c().toDouble(t, &ok);
    if (!ok) throw CriterioNonValido{QStringLiteral("Attenzione il saldo iniziale non è un numero valido: %1").arg(t)};
    return saldo;
}

bool manca(const Voce &v, const Chiavi &k)
{
    switch (v.richiede) {
    case Richiede::NotaCreditoCorrente:
        return !k.notaCredito;
    case Richiede::FatturaCorrente:
        return !k.daSequestro && !k.fattura;
    case Richiede::Niente:
        break;
    }
    return false;
}

} // namespace

const std::vector<Voce> &catalogo() { return kCatalogo; }

const Voce *voce(int codice)
{
    const auto v = std::find_if(kCatalogo.begin(), kCatalogo.end(), [codice](const Voce &e) { return e.codice == codice; });
    return v == kCatalogo.end() ? nullptr : &*v;
}

Opzioni leggiOpzioni(db::Connection &c)
{
    db::Query q(&c);
    q.setSql(QStringLiteral("select top 1 PrezzoPreventivo, DocumentiRigaIvato, SaldoInizialePrimaNota, StampanteDefault, "
                            "TipoEsportazione from opzioni"));
    q.open();
    Opzioni o;
    if (q.isEmpty()) return o;
    o.prezzoPreventivo = q.fieldByName(QStringLiteral("PrezzoPreventivo")).asBoolean();
    o.documentiRigaIvato = q.fieldByName(QStringLiteral("DocumentiRigaIvato")).asBoolean();
    o.saldoInizialePrimaNota = q.fieldByName(QStringLiteral("SaldoInizialePrimaNota")).asFloat();
    o.stampanteDefault = q.fieldByName(QStringLiteral("StampanteDefault")).asBoolean();
    o.tipoEsportazione = q.fieldByName(QStringLiteral("TipoEsportazione")).asInteger();
    return o;
}

Esito prepara(int codice, const Chiavi &chiavi, const CriteriStampa &criteri, const Opzioni &opzioni, const QString &postazione,
              const QString &cartellaReport)
{
    Esito esito;
    const Voce *v = voce(codice);
    if (!v) return esito; // a code without an entry: a request with no report and no query
    if (manca(*v, chiavi)) {
        esito.tipo = Esito::NienteDaStampare;
        return esito;
    }
    Richiesta &r = esito.richiesta;
    try {
        const Contesto c{chiavi, criteri, postazione};
        r.query = espandi(v->query, c);
        r.sottoreport1 = espandi(v->sottoreport1, c);
        r.sottoreport2 = espandi(v->sottoreport2, c);
        if (v->parametro == Parametro::SaldoPrimaNota) r.parametro = opzioni.saldoInizialePrimaNota;
        if (v->parametro == Parametro::SaldoDigitato) r.parametro = saldoDigitato(criteri.saldoIniziale);
    } catch (const CriterioNonValido &e) {
        return Esito{Esito::CriteriNonValidi, Richiesta(), e.messaggio};
    }
    nomiReport(*v, opzioni, cartellaReport, r);
    r.filtro = v->filtro;
    r.presenzaTestata = v->testata;
    return esito;
}

void scriviRichiesta(db::Connection &c, const QString &postazione, const Richiesta *r, const Scrittura &w)
{
    // Only this workstation's request is replaced; nothing to print leaves none at all.
    return db::inTransaction(c, [&] {
        db::Command::execute(&c, QStringLiteral("delete * from TempStampa where NomeComputer = :postazione"), {{":postazione", postazione}});
        if (r) {
            db::Query q(&c);
            q.setSql(QStringLiteral("select * from TempStampa where Id = 0"));
            q.open();
            const auto campo = [&q](const char *nome) { return q.fieldByName(QString::fromLatin1(nome)); };
            q.append();
            campo("NomeProgramma").setAsString(QStringLiteral("Pellavantoria"));
            if (!r->query.isNull()) campo("Query").setAsString(r->query);
            if (!r->sottoreport1.isNull()) campo("QuerySottoreport1").setAsString(r->sottoreport1);
            if (!r->sottoreport2.isNull()) campo("QuerySottoreport2").setAsString(r->sottoreport2);
            campo("Filtro").setAsBoolean(r->filtro);
            if (r->parametro) campo("Parametro").setAsFloat(*r->parametro);
            campo("Setup").setAsBoolean(w.setup);
            campo("NomeReportLandscape").setAsString(r->nomeReportLandscape);
            campo("NomeReport").setAsString(r->nomeReport);
            campo("PresenzaTestata").setAsBoolean(r->presenzaTestata);
            campo("NomeComputer").setAsString(postazione);
            if (w.esporta) {
                campo("Esportazione").setAsBoolean(true);
                campo("FileEsportazione").setAsString(w.file);
                campo("TipoEsportazione").setAsInteger(w.tipoEsportazione);
            }
            if (!q.post()) throw db::DbError(q.lastError());
        }
    });
}

} // namespace stampe
