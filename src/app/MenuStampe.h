#pragma once

class QVBoxLayout;
class QWidget;
class TForm1;

// Builds the print buttons of the main window's "Stampe" tab into its page.
void costruisciMenuStampe(TForm1 *form, QWidget *page, QVBoxLayout *layout);
