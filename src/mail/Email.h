#pragma once
// The e-mail windows: the compose window (one message per recipient, sent by the SMTP service
// with the options' settings), the box that asks for one address, and the list of addresses to
// copy. The lists and documents open them through `posta::componiEmail` and `posta::mostraIndirizzi`.
#include <QDialog>
#include <QStringList>

class QListWidget;
class QLineEdit;
class QTextEdit;
class QToolButton;

namespace posta {
// Fills the compose window (recipients, attachments with their full paths, subject, text; what
// it held before is cleared) and shows it modally. Empty lines are left out.
void componiEmail(const QStringList &destinatari, const QStringList &allegati = {}, const QString &oggetto = {},
                  const QString &testo = {});
// Shows the addresses, one a line followed by ", ", in the window that copies them.
void mostraIndirizzi(const QStringList &indirizzi);
} // namespace posta

class TfrmEmail : public QDialog {
    Q_OBJECT
public:
    explicit TfrmEmail(QWidget *parent = nullptr);

    QListWidget *txtDestinatario = nullptr;
    QLineEdit *txtOggetto = nullptr;
    QTextEdit *txtTesto = nullptr;
    QListWidget *txtAllegati = nullptr;
    QToolButton *spdEmail = nullptr;      // "Invia"
    QToolButton *BitBtn1 = nullptr;       // "Azzera"
    QToolButton *SpeedButton1 = nullptr;  // appends the standard text
    QToolButton *SpeedButton3 = nullptr;  // removes every attachment
    QToolButton *SpeedButton4 = nullptr;  // removes the selected attachment
    QToolButton *SpeedButton5 = nullptr;  // adds an attachment
    QToolButton *SpeedButton6 = nullptr;  // removes every recipient
    QToolButton *spdEliminaPiccolo = nullptr;
    QToolButton *spdInserisciPiccolo = nullptr;
    QToolButton *spdHelp = nullptr;
    QToolButton *spdIndietro = nullptr;

    // Builds and sends one message with the options' settings; true only when the server
    // accepted it. A failure is shown to the user.
    bool InviaMail(const QStringList &destinatari, const QStringList &cc, const QString &oggetto, const QString &testo,
                   const QStringList &allegati);
    void spdEmailClick();

private:
    QStringList righe(QListWidget *l) const;
};

class TfrmInsEmail : public QDialog {
    Q_OBJECT
public:
    explicit TfrmInsEmail(QWidget *parent = nullptr);
    QLineEdit *txtEmail = nullptr;
    QToolButton *spdIndietro = nullptr;
};

class TfrmIndirizziEmail : public QDialog {
    Q_OBJECT
public:
    explicit TfrmIndirizziEmail(QWidget *parent = nullptr);
    QTextEdit *RichEdit1 = nullptr;
    QToolButton *spdHelp = nullptr;
    QToolButton *spdIndietro = nullptr;
    void copiaTutto();
    void copia();
};

inline TfrmEmail *frmEmail = nullptr;
inline TfrmInsEmail *frmInsEmail = nullptr;
inline TfrmIndirizziEmail *frmIndirizziEmail = nullptr;
