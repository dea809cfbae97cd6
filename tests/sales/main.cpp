#include "support/TestMain.h"
#include "tst_esportaxml.h"
#include "tst_ordiniallegati.h"
#include "tst_paginefattura.h"
#include "tst_editorfattura.h"
#include "tst_grigliafatture.h"
#include "tst_seriefatturazione.h"
#include "tst_righefattura.h"
#include "tst_modificafatture.h"
#include "tst_fatturaintera.h"
#include "tst_pagafatture.h"
#include "tst_editorpreventivo.h"
#include "tst_modificapreventivirighe.h"
#include "tst_trovafattura.h"
#include "tst_notecredito.h"
#include "tst_grigliapreventivi.h"
#include "tst_righepreventivo.h"
#include "tst_preventivointero.h"
#include "tst_notacreditoriferimento.h"

PELLA_TEST_MAIN(TestSerieFatturazione, TestPagineFattura, TestOrdiniAllegati, TestRigheFattura, TestModificaFatture,
                TestGrigliaFatture, TestEditorFattura, TestMenuFatture,
                TestFatturaIntera, TestPagaFatture,
                TestEditorPreventivo, TestStampaPreventivo, TestModificaPreventiviRighe,
                TestTrovaFattura, TestNotaCreditoIntera, TestEditorNotaCredito,
                TestMenuNoteCredito,
                TestGrigliaPreventivi, TestMenuPreventivi, TestRighePreventivo,
                TestPreventivoIntero,
                TestNotaCreditoRiferimento, TestEsportaXml)
