#pragma once
// The colour box of the customer and customer-category details: the 16 standard colours under
// their Italian names. A colour is stored as one integer, red + 256 * green + 65536 * blue;
// 0 or less, and white, mean no colour.
#include <QComboBox>
#include <QList>

namespace ui {

struct ColoreStandard {
    QString nome;
    int valore; // as stored
};

// The 16 colours in the box's order (two entries share the name "Verde acqua").
const QList<ColoreStandard> &ColoriStandardItaliani();

inline constexpr int kBianco = 16777215;

// The stored value as a colour to paint with; invalid when it means no colour.
QColor coloreVisualizzato(qint64 valore);

class ColorBox : public QComboBox {
    Q_OBJECT
public:
    explicit ColorBox(QWidget *parent = nullptr);

    // The chosen colour as stored.
    int colore() const;
    // Shows a stored colour: white for 0 or less. A value that is none of the 16 is kept as it
    // is (no entry chosen), so leaving the box untouched never changes a stored colour.
    void setColore(qint64 valore);

private:
    qint64 m_altro = -1;
};

} // namespace ui
