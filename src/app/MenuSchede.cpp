#include "BottoniMenu.h"
#include "Frm1.h"
#include "MenuStampe.h"
#include "widgets/MaskedDateEdit.h"
#include "widgets/Seams.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QColor kRosso(255, 128, 128);
const QColor kAzzurro(128, 255, 255);
const QColor kArancio(255, 128, 64);

// The web site that serves the tutorial videos missing beside the program.
const char *const kSitoFilmati = "https://www.pellavantoria.it";

ui::MaskedDateEdit *casellaData(QWidget *page, QHBoxLayout *riga, const char *nome, const char *etichetta)
{
    auto *l = new QLabel(QString::fromUtf8(etichetta), page);
    auto *e = new ui::MaskedDateEdit(page);
    e->setObjectName(QString::fromLatin1(nome));
    e->setMaxLength(10);
    l->setBuddy(e);
    riga->addWidget(l);
    riga->addWidget(e);
    return e;
}

} // namespace

void costruisciMenuStorico(TForm1 *form, QWidget *page, QVBoxLayout *layout)
{
    auto *date = new QHBoxLayout;
    form->maskDa = casellaData(page, date, "maskDa", "Dalla data");
    date->addSpacing(24);
    form->maskA = casellaData(page, date, "maskA", "Alla data");
    date->addStretch(1);
    layout->addLayout(date);
    // The suppliers' lists are built with the purchase documents; until then their buttons wait.
    auto *gruppi = new QHBoxLayout;
    gruppi->addWidget(gruppoPulsanti(page, QStringLiteral("Clienti"), kRosso,
                                     {{{"btnStoricoFattureClienti", "Fatture", "x-office-document", [form] { form->btnStoricoFattureClientiClick(); }},
                                       {"btnStoricoNoteCreditoClienti", "Note Credito", "edit-undo", [form] { form->btnStoricoNoteCreditoClientiClick(); }},
                                       {"btnStoricoPreventiviClienti", "Preventivi", "document-edit", [form] { form->btnStoricoPreventiviClientiClick(); }}}}));
    gruppi->addWidget(gruppoPulsanti(page, QStringLiteral("Fornitori"), kAzzurro,
                                     {{{"btnStoricoFattureFornitori", "Fatture", "x-office-document", {}},
                                       {"btnStoricoNoteCreditoFornitori", "Note Credito", "edit-undo", {}}}}));
    gruppi->addWidget(gruppoPulsanti(page, QStringLiteral("Altro"), kArancio,
                                     {{{"btnStoricoArchivio", "Calendario", "x-office-calendar", [form] { form->btnStoricoArchivioClick(); }},
                                       {"BitBtn1", "Prima Nota", "accessories-text-editor", [form] { form->BitBtn1Click(); }}}}));
    gruppi->addStretch(1);
    layout->addLayout(gruppi);
}

void costruisciMenuScadenziario(TForm1 *form, QWidget *page, QVBoxLayout *layout)
{
    auto *gruppi = new QHBoxLayout;
    gruppi->addWidget(gruppoPulsanti(
        page, QStringLiteral("Scadenze"), kRosso,
        {{{"btnScadenziarioScadenzeClienti", "Clienti", "system-users", [form] { form->btnScadenziarioScadenzeClientiClick(); }},
          {"btnScadenziarioScadenzeFornitori", "Fornitori", "system-users",
           [form] { form->btnScadenziarioScadenzeFornitoriClick(); }}}}));
    gruppi->addWidget(gruppoPulsanti(
        page, QStringLiteral("Pagamenti"), kAzzurro,
        {{{"btnScadenziarioPagamentiClienti", "Clienti", "wallet-open", [form] { form->btnScadenziarioPagamentiClientiClick(); }},
          {"btnScadenziarioPagamentiFornitori", "Fornitori", "wallet-open",
           [form] { form->btnScadenziarioPagamentiFornitoriClick(); }}}}));
    gruppi->addStretch(1);
    layout->addLayout(gruppi);
}

QString indirizzoFilmato(const QString &nomeFile)
{
    const QString locale = QDir(ui::Workstation::instance().installFolder()).filePath(nomeFile);
    if (QFileInfo::exists(locale)) return locale;
    return QString::fromLatin1(kSitoFilmati) + QStringLiteral("/FilmatoLocale.php?Video=/Video/") + nomeFile;
}

void costruisciMenuVideo(QWidget *page, QVBoxLayout *layout)
{
    struct Filmato {
        const char *nome, *testo, *file;
    };
    struct Gruppo {
        const char *titolo;
        std::vector<Filmato> filmati;
    };
    static const std::vector<Gruppo> gruppi = {
        {"Generale",
         {{"BitBtn2", "Introduzione", "Pellavantoria_Introduzione.mp4"},
          {"BitBtn6", "Griglie", "Griglie.mp4"},
          {"BitBtn27", "Utilizzo reports", "Stampe_Reports.mp4"},
          {"BitBtn7", "Archivio clienti", "Archivio_Clienti.mp4"},
          {"BitBtn8", "Archivio tariffe", "Pellavantoria_Archivio_Tariffe.mp4"},
          {"BitBtn16", "Scadenziario", "Scadenziario.mp4"},
          {"BitBtn17", "Stampe", "Stampe.mp4"},
          {"BitBtn18", "Storico", "Storico.mp4"},
          {"BitBtn19", "Utility", "Utility.mp4"}}},
        {"Attività",
         {{"BitBtn9", "Avvisi clienti", "Attivita_Avvisi_clienti.mp4"},
          {"BitBtn10", "Calendario", "Attivita_Calendario.mp4"},
          {"BitBtn11", "Chiusura iva", "Attivita_Chiusura_Iva.mp4"},
          {"BitBtn12", "Esportazioni", "Attivita_Esportazioni.mp4"},
          {"BitBtn13", "Fatturazione elettronica estesa", "Attivita_Fatturazione_Elettronica_Estesa.mp4"},
          {"BitBtn15", "Opzioni", "Pellavantoria_Attivita_Opzioni.mp4"},
          {"BitBtn14", "Prima nota", "Attivita_PrimaNota.mp4"}}},
        {"Documenti clienti",
         {{"BitBtn20", "Fatture", "Pellavantoria_Documenti_Clienti_Fatture.mp4"},
          {"BitBtn21", "Note credito", "Documenti_Clienti_Note_Credito.mp4"},
          {"BitBtn22", "Preventivi", "Pellavantoria_Documenti_Clienti_Preventivi.mp4"},
          {"BitBtn23", "Sequestri", "Pellavantoria_Documenti_Clienti_Sequestri.mp4"}}},
        {"Documenti fornitori",
         {{"BitBtn24", "Fatture", "Documenti_Fornitori_Fatture.mp4"},
          {"BitBtn25", "Importazione automatica xml", "Documenti_Fornitori_Importa_fattura_elettronica_xml.mp4"},
          {"BitBtn26", "Note credito", "Documenti_Fornitori_NoteCredito.mp4"}}},
    };
    // Two groups a row; inside a group the buttons run left to right, wrapping after `perRiga`.
    QHBoxLayout *fila = nullptr;
    for (int i = 0; i < int(gruppi.size()); ++i) {
        const Gruppo &g = gruppi[i];
        const int perRiga = i == 0 ? 3 : 4;
        std::vector<std::vector<PulsanteGruppo>> righe;
        for (int k = 0; k < int(g.filmati.size()); ++k) {
            if (k % perRiga == 0) righe.emplace_back();
            const Filmato &f = g.filmati[k];
            const QString file = QString::fromLatin1(f.file);
            righe.back().push_back({f.nome, f.testo, "video-x-generic",
                                    [file] { ui::Launcher::instance().open(indirizzoFilmato(file)); }, true});
        }
        QGroupBox *box = gruppoPulsanti(page, QString::fromUtf8(g.titolo), QColor(), righe);
        for (QToolButton *b : box->findChildren<QToolButton *>()) {
            b->setIconSize(QSize(24, 24));
            b->setMinimumSize(110, 60);
        }
        if (i % 2 == 0) {
            fila = new QHBoxLayout;
            layout->addLayout(fila);
        }
        fila->addWidget(box, 0, Qt::AlignTop);
        if (i % 2 == 1) fila->addStretch(1);
    }
}
