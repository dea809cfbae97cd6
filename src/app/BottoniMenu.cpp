#include "BottoniMenu.h"

#include <QGridLayout>
#include <QGroupBox>

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
