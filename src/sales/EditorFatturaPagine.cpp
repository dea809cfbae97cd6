// The instalment grid and the side pages of the sales-invoice editor.
#include "EditorFattura.h"

#include <QWidget>

QWidget *TForm7::creaGrigliaScadenze() { return new QWidget(this); }

void TForm7::creaPaginaOrdini() {}

void TForm7::creaPaginaAccompagnatoria() {}

void TForm7::creaPaginaImportazioni() {}

void TForm7::creaPaginaAllegati() {}

void TForm7::ricaricaPreventivi() {}
