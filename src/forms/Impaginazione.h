#pragma once
// Small layout helpers the document editors share: fields laid side by side, rows moved into
// groups, number-only boxes, icon-only buttons.
class QEvent;
class QFormLayout;
class QHBoxLayout;
class QLineEdit;
class QToolButton;
class QWidget;

namespace forms {

// The last row of a page's form moves into another form (a column or a group).
void spostaUltimaRiga(QWidget *pagina, QFormLayout *verso);
// The row `riga` of a form moves to the end of another form.
void spostaRiga(QFormLayout *da, int riga, QFormLayout *verso);
// The field's row gets a box that holds the field and what is laid beside it.
QHBoxLayout *rigaAccanto(QWidget *pagina, QWidget *campo);
// The box takes only a number: whole or with decimals ("." or ","), with or without a sign.
void soloNumeri(QLineEdit *e, bool decimali, bool negativi = true);
// An icon-only small button beside a field.
void piccolo(QToolButton *b);
// Backspace or Delete pressed.
bool tastoCancella(QEvent *e);

} // namespace forms
