#pragma once

#include <QString>

class QVBoxLayout;
class QWidget;
class TForm1;

// The tabs of the main window made of coloured groups of buttons, each built into its page.
void costruisciMenuStampe(QWidget *page, QVBoxLayout *layout);
void costruisciMenuStorico(TForm1 *form, QWidget *page, QVBoxLayout *layout);
void costruisciMenuScadenziario(TForm1 *form, QWidget *page, QVBoxLayout *layout);
void costruisciMenuVideo(QWidget *page, QVBoxLayout *layout);

// What a tutorial-video button opens: the file beside the program when it is there, otherwise
// the video's page on the web.
QString indirizzoFilmato(const QString &nomeFile);
