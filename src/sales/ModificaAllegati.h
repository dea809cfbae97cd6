#pragma once
// One file attached to a sales invoice or credit note for its e-invoice (Fattura_Allegati):
// name, compression, format, description and the full path of the file, which must exist when
// the attachment is saved. The documents' "Allegati" pages show it modally on the current row
// of TableFatturaAllegati.
#include "forms/DetailForm.h"

class TfrmModifica_Fattura_Allegati : public forms::DetailForm {
    Q_OBJECT
public:
    explicit TfrmModifica_Fattura_Allegati(QWidget *parent = nullptr);

    ui::DBEdit *DBNomeAttachment;
    ui::DBEdit *DBAlgoritmoCompressione;
    ui::DBEdit *DBFormatoAttachment;
    ui::DBEdit *DBDescrizioneAttachment;
    ui::DBEdit *DBPercorsoCompleto;
    QToolButton *Cerca;

    // Shows the form on an attachment its opener has just stored, with "Annulla" when asked.
    // Left with "Indietro" before anything was typed or chosen, the empty attachment is removed
    // again: a row without name and path would only make the e-invoice export fail.
    int mostraNuovo(bool conAnnulla = true);

public Q_SLOTS:
    void CercaClick();
    void spdIndietroClick() override;

protected:
    bool controllaSalvataggio() override;

private:
    bool m_nuovo = false;
};

inline TfrmModifica_Fattura_Allegati *frmModifica_Fattura_Allegati = nullptr;
