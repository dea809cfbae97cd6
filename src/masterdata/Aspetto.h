#pragma once
#include "TabellaSingola.h"

// The outward appearance of the goods on the transport data of sales documents.
class TfrmAspetto : public masterdata::TabellaSingola {
    Q_OBJECT
public:
    explicit TfrmAspetto(QWidget *parent = nullptr);
};

inline TfrmAspetto *frmAspetto = nullptr;
