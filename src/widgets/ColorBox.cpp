#include "ColorBox.h"

#include <QPixmap>

namespace ui {

const QList<ColoreStandard> &ColoriStandardItaliani()
{
    static const QList<ColoreStandard> colori = {
        {QStringLiteral("Nero"), 0},
        {QStringLiteral("Marrone"), 128},
        {QStringLiteral("Verde"), 32768},
        {QStringLiteral("Oliva"), 32896},
        {QStringLiteral("Blu marino"), 8388608},
        {QStringLiteral("Viola"), 8388736},
        {QStringLiteral("Verde acqua"), 8421376},
        {QStringLiteral("Grigio"), 8421504},
        {QStringLiteral("Argento"), 12632256},
        {QStringLiteral("Rosso"), 255},
        {QStringLiteral("Verde lime"), 65280},
        {QStringLiteral("Giallo"), 65535},
        {QStringLiteral("Blu"), 16711680},
        {QStringLiteral("Fucsia"), 16711935},
        {QStringLiteral("Verde acqua"), 16776960},
        {QStringLiteral("Bianco"), kBianco},
    };
    return colori;
}

namespace {
QColor daValore(qint64 v) { return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)); }
} // namespace

QColor coloreVisualizzato(qint64 valore)
{
    if (valore <= 0 || valore >= kBianco) return QColor();
    return daValore(valore);
}

ColorBox::ColorBox(QWidget *parent) : QComboBox(parent)
{
    setMaxVisibleItems(16);
    for (const ColoreStandard &c : ColoriStandardItaliani()) {
        QPixmap campione(16, 16);
        campione.fill(daValore(c.valore));
        addItem(QIcon(campione), c.nome, c.valore);
    }
    setCurrentIndex(0);
    // A choice replaces a colour kept from outside the list.
    connect(this, &QComboBox::activated, this, [this] { m_altro = -1; });
}

int ColorBox::colore() const
{
    if (currentIndex() < 0) return int(m_altro);
    return itemData(currentIndex()).toInt();
}

void ColorBox::setColore(qint64 valore)
{
    if (valore <= 0) valore = kBianco;
    m_altro = -1;
    const int i = findData(int(valore));
    if (i >= 0) {
        setCurrentIndex(i);
        return;
    }
    m_altro = valore;
    setCurrentIndex(-1);
}

} // namespace ui
