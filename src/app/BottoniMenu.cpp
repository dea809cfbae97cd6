#include "BottoniMenu.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace {

// A tool button whose caption wraps between words, so that a long caption does not make
// the whole menu wider than the screen.
class BottoneMenu : public QToolButton {
public:
    using QToolButton::QToolButton;

    QSize sizeHint() const override
    {
        const QFontMetrics fm(font());
        const int larghezza = qBound(minimumWidth(), fm.horizontalAdvance(text()) + 16, kLarghezzaMassima);
        const int testo = fm.boundingRect(QRect(0, 0, larghezza - 8, 1000), Qt::TextWordWrap, text()).height();
        return {larghezza, iconSize().height() + qMax(testo, 2 * fm.height()) + 18};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QStylePainter p(this);
        QStyleOptionToolButton opt;
        initStyleOption(&opt);
        opt.text.clear();
        opt.icon = QIcon();
        p.drawComplexControl(QStyle::CC_ToolButton, opt);
        const QRect area = rect().adjusted(4, 6, -4, -4);
        const QIcon::Mode modo = isEnabled() ? QIcon::Normal : QIcon::Disabled;
        const QPixmap px = icon().pixmap(iconSize(), devicePixelRatio(), modo);
        p.drawPixmap(area.left() + (area.width() - iconSize().width()) / 2, area.top(), px);
        const QRect testo(area.left(), area.top() + iconSize().height() + 2, area.width(),
                          area.height() - iconSize().height() - 2);
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        p.drawText(testo, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap, text());
    }

private:
    static constexpr int kLarghezzaMassima = 130;
};

} // namespace

QToolButton *bigButton(QWidget *parent, const QString &name, const QString &caption, const QIcon &icon)
{
    auto *b = new BottoneMenu(parent);
    b->setObjectName(name);
    b->setText(caption);
    b->setIcon(icon);
    b->setIconSize(QSize(40, 40));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setCursor(Qt::PointingHandCursor);
    b->setMinimumWidth(100);
    b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    QFont f = b->font();
    f.setBold(true);
    b->setFont(f);
    return b;
}

QGroupBox *gruppoPulsanti(QWidget *page, const QString &titolo, const QColor &colore,
                          const std::vector<std::vector<PulsanteGruppo>> &righe)
{
    auto *box = new QGroupBox(titolo, page);
    if (colore.isValid()) {
        box->setAutoFillBackground(true);
        QPalette p = box->palette();
        p.setColor(QPalette::Window, colore);
        box->setPalette(p);
    }
    QFont f = box->font();
    f.setBold(true);
    f.setPixelSize(13);
    box->setFont(f);
    auto *grid = new QGridLayout(box);
    for (int r = 0; r < int(righe.size()); ++r) {
        for (int c = 0; c < int(righe[r].size()); ++c) {
            const PulsanteGruppo &d = righe[r][c];
            QToolButton *b = bigButton(box, QString::fromLatin1(d.nome), QString::fromUtf8(d.testo),
                                       themeIcon(d.icona, QStyle::SP_FileIcon));
            if (d.azione) QObject::connect(b, &QToolButton::clicked, box, d.azione);
            else segnaInAttesa(b);
            if (d.senzaArchivio) b->setProperty("senzaArchivio", true);
            grid->addWidget(b, r, c);
        }
    }
    return box;
}
