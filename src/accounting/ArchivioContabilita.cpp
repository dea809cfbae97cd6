#include "ArchivioContabilita.h"
#include "forms/Registro.h"

#include "GrigliaContabilitaClassi.h"
#include "GrigliaContabilitaConti.h"
#include "GrigliaContabilitaRaggruppamenti.h"
#include "db/Query.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The list is shown unfiltered, with the named boxes empty, and left so.
void mostra(forms::ListForm *lista, const QStringList &caselle)
{
    const auto svuota = [&] {
        for (const QString &nome : caselle)
            if (QLineEdit *b = lista->casella(nome)) {
                const QSignalBlocker quiet(b);
                b->clear();
            }
        lista->dataset()->setFilter(QString());
    };
    svuota();
    lista->exec();
    svuota();
}

} // namespace

TfrmArchivioContabilita::TfrmArchivioContabilita(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmArchivioContabilita"));
    setWindowTitle(QStringLiteral("Contabilità"));
    setProperty("helpContext", 3900);
    auto *layout = new QVBoxLayout(this);
    ToolBar2 = new QToolBar(this);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    spdHelp = ui::pulsanteAiuto(this);
    spdIndietro = ui::pulsanteIndietro(this);
    ToolBar2->addWidget(spdHelp);
    ToolBar2->addWidget(spdIndietro);
    layout->addWidget(ToolBar2);

    auto *riga = new QHBoxLayout;
    const auto pulsante = [this, riga](const char *nome, const QString &testo) {
        QToolButton *b = ui::toolButton(this, QString::fromLatin1(nome), testo, QString(), "view-list-details",
                                        QStyle::SP_FileDialogListView);
        b->setFocusPolicy(Qt::StrongFocus); // the hub is used from the keyboard too
        b->setMinimumWidth(150);
        riga->addWidget(b);
        return b;
    };
    btnContabilitaClassi = pulsante("btnContabilitaClassi", QStringLiteral("Classi"));
    btnContabilitaRaggruppamenti = pulsante("btnContabilitaRaggruppamenti", QStringLiteral("Raggruppamenti"));
    btnContabilitaConti = pulsante("btnContabilitaConti", QStringLiteral("Conti"));
    layout->addLayout(riga);
    layout->addStretch(1);

    connect(spdHelp, &QToolButton::clicked, this, &TfrmArchivioContabilita::spdHelpClick);
    connect(spdIndietro, &QToolButton::clicked, this, &TfrmArchivioContabilita::spdIndietroClick);
    connect(btnContabilitaClassi, &QToolButton::clicked, this, &TfrmArchivioContabilita::btnContabilitaClassiClick);
    connect(btnContabilitaRaggruppamenti, &QToolButton::clicked, this,
            &TfrmArchivioContabilita::btnContabilitaRaggruppamentiClick);
    connect(btnContabilitaConti, &QToolButton::clicked, this, &TfrmArchivioContabilita::btnContabilitaContiClick);
}

void TfrmArchivioContabilita::btnContabilitaClassiClick() { mostra(frmGrigliaContabilitaClassi, {QStringLiteral("Edit1")}); }

void TfrmArchivioContabilita::btnContabilitaRaggruppamentiClick()
{
    mostra(frmGrigliaContabilitaRaggruppamenti, {QStringLiteral("Edit1")});
}

void TfrmArchivioContabilita::btnContabilitaContiClick()
{
    // Opened to manage the accounts, not to pick one.
    frmGrigliaContabilitaConti->ModalitaScelta = false;
    frmGrigliaContabilitaConti->SceltaEffettuata = false;
    mostra(frmGrigliaContabilitaConti, {QStringLiteral("Edit1"), QStringLiteral("Edit2"), QStringLiteral("Edit3")});
}

void TfrmArchivioContabilita::spdIndietroClick() { close(); }

void TfrmArchivioContabilita::spdHelpClick() { ui::apriGuida(property("helpContext").toInt()); }

namespace {
// The hub opens the three lists, which come with it.
const bool registrato = forms::registra(frmArchivioContabilita, "frmArchivioContabilita");
} // namespace
