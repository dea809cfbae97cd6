#include "support/TestMainCore.h"
#include "tst_aliquote.h"
#include "tst_avvio.h"
#include "tst_avvisi.h"
#include "tst_chiusuraiva.h"
#include "tst_clienti.h"
#include "tst_numerazione.h"
#include "tst_fatture.h"
#include "tst_pianoconti.h"
#include "tst_posta.h"
#include "tst_primanota.h"
#include "tst_ricercaprimanota.h"
#include "tst_scadenze.h"
#include "tst_scadenziario.h"
#include "tst_stampe.h"
#include "tst_totali.h"
#include "tst_scadenzepagamento.h"
#include "tst_vcardclienti.h"
#include "tst_fornitori.h"
#include "tst_cambiaivatariffe.h"
#include "tst_tariffe.h"
#include "tst_cisterne.h"
#include "tst_preventivifattura.h"
#include "tst_righefattura.h"
#include "tst_vetture.h"
#include "tst_pagamentoscadenze.h"
#include "tst_sequestri.h"
#include "tst_calendario.h"
#include "tst_notecredito.h"
#include "tst_documenti.h"
#include "tst_personale.h"
#include "tst_preventivi.h"
#include "tst_promemoria.h"
#include "tst_postazioni.h"
#include "tst_fatturapa.h"
#include "tst_acquisti.h"
#include "tst_importafatturapa.h"

PELLA_TEST_MAIN_CORE(TestServiziAliquote, TestServiziAvvio, TestServiziPianoConti, TestServiziPrimaNota, TestServiziRicercaPrimaNota, TestServiziStampe,
                     TestServiziTotali, TestServiziPosta, TestServiziPostaTlsVecchio, TestServiziAvvisi,
                     TestServiziClienti, TestServiziVCardClienti, TestServiziScadenze,
                     TestServiziNumerazione, TestDuePostazioni, TestServiziScadenzePagamento,
                     TestServiziFornitori, TestServiziCambiaIvaTariffe, TestServiziTariffe,
                     TestServiziCisterne, TestDuePostazioniCisterne,
                     TestServiziPreventiviFattura,
                     TestServiziRigheFattura,
                     TestServiziFatture,
                     TestServiziVetture, TestDuePostazioniCisterna,
                     TestServiziPagamentoScadenze,
                     TestServiziSequestri,
                     TestServiziCalendario,
                     TestServiziNoteCredito,
                     TestServiziDocumenti,
                     TestServiziPersonale,
                     TestServiziPreventivi,
                     TestServiziPromemoria,
                     TestServiziScadenziario,
                     TestGuardiePostazioni, TestStressPostazioni,
                     TestServiziFatturaPA, TestServiziChiusuraIva, TestServiziAcquisti, TestDuePostazioniAcquisti,
                     TestServiziImportaFatturaPA)
