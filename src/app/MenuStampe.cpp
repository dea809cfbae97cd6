#include "MenuStampe.h"

#include "BottoniMenu.h"
#include "Frm1.h"
#include "accounting/StampaContabilita.h"
#include "accounting/StampaScadenziario.h"
#include "accounting/StampePrimaNota.h"
#include "data/DB.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

struct Pulsante {
    const char *nome; // component name
    const char *testo;
    const char *icona;
    int codice;       // report printed at once; 0: opens a print form, disabled until it is built
};

struct Gruppo {
    const char *titolo;
    QColor colore;
    std::vector<std::vector<Pulsante>> righe;
};

// The first two groups side by side, "Altro" below them.
const std::vector<Gruppo> &gruppi()
{
    static const std::vector<Gruppo> g = {
        {"Doc. Clienti", QColor(255, 128, 128),
         {{{"btnStampeFattureClienti", "Fatture", "x-office-document", 30},
           {"btnStampeNoteCreditoClienti", "Note Credito", "edit-undo", 33},
           {"btnStampePreventiviClienti", "Preventivi", "document-edit", 35},
           {"btnStampaSequestri", "Sequestri", "emblem-readonly", 6},
           {"btnStampaSequestriNonDissequestrati", "Sequestri non dissequestrati", "emblem-important", 29}}}},
        {"Doc. Fornitori", QColor(128, 255, 255),
         {{{"btnStampeFattureFornitori", "Fatture", "x-office-document", 31},
           {"btnStampeNoteCreditoFornitori", "Note Credito", "edit-undo", 14}}}},
        {"Altro", QColor(255, 128, 64),
         {{{"BitBtn4", "Calendario", "x-office-calendar", 23},
           {"btnStampeCisterne", "Cisterne", "drive-harddisk", 22},
           {"btnStampeClienti", "Clienti", "system-users", 1},
           {"btnStampeContabilita", "Contabilità", "accessories-calculator", 0},
           {"btnStampeFornitori", "Fornitori", "system-users", 3},
           {"btnStampePersonale", "Personale", "user-info", 0}},
          {{"btnStampePrimaNota", "Prima nota", "accessories-text-editor", 0},
           {"btnStampeTariffe", "Tariffe", "view-list-details", 2},
           {"btnStampeScadenziario", "Scadenziario", "x-office-calendar", 0},
           {"btnStampeVetture", "Vetture", "applications-system", 52},
           {"btnStampeVettureCarburante", "Vetture Carburante", "weather-showers", 47},
           {"btnStampeVettureCosti", "Vetture Costi", "wallet-open", 46}}}},
    };
    return g;
}

QGroupBox *riquadro(QWidget *page, const Gruppo &g)
{
    std::vector<std::vector<PulsanteGruppo>> righe;
    for (const auto &riga : g.righe) {
        righe.emplace_back();
        for (const Pulsante &d : riga) {
            std::function<void()> azione;
            if (QLatin1String(d.nome) == QLatin1String("btnStampePrimaNota")) {
                // The cash book's print menu, shown without waiting.
                azione = [] {
                    frmStampaPrimNota->show();
                    frmStampaPrimNota->raise();
                    frmStampaPrimNota->activateWindow();
                };
            } else if (QLatin1String(d.nome) == QLatin1String("btnStampePersonale")) {
                azione = [] { Form1->btnStampePersonaleClick(); };
            } else if (QLatin1String(d.nome) == QLatin1String("btnStampeContabilita")) {
                // The accounting print form on the current calendar year, shown without waiting.
                azione = [] {
                    if (frmStampaContabilita) frmStampaContabilita->apri(form_DB->Connessione.now().date().year());
                };
            } else if (QLatin1String(d.nome) == QLatin1String("btnStampeScadenziario")) {
                // The schedule's print menu, shown without waiting.
                azione = [] {
                    if (!frmStampaScadenziario) return;
                    frmStampaScadenziario->show();
                    frmStampaScadenziario->raise();
                    frmStampaScadenziario->activateWindow();
                };
            } else if (d.codice) {
                const int codice = d.codice;
                azione = [codice] {
                    CodiceStampa = codice;
                    form_DB->Button2Click();
                };
            }
            righe.back().push_back({d.nome, d.testo, d.icona, azione});
        }
    }
    return gruppoPulsanti(page, QString::fromUtf8(g.titolo), g.colore, righe);
}

} // namespace

void costruisciMenuStampe(QWidget *page, QVBoxLayout *layout)
{
    const auto &g = gruppi();
    auto *documenti = new QHBoxLayout;
    documenti->addWidget(riquadro(page, g[0]));
    documenti->addWidget(riquadro(page, g[1]));
    documenti->addStretch(1);
    layout->addLayout(documenti);
    auto *altro = new QHBoxLayout;
    altro->addWidget(riquadro(page, g[2]));
    altro->addStretch(1);
    layout->addLayout(altro);
}
