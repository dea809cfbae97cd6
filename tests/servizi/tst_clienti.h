#pragma once
#include <QObject>

// The customers without windows: the two names, the addressee checks, the duplicate tax
// identifiers, what a save brings into documents, calendar, quotes and tariffs, the category
// delete and the postcodes of a town.
class TestServiziClienti : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nominativi_data();
    void nominativi();
    void validazione_data();
    void validazione();
    void duplicati();
    void propagazioneNominativo();
    void formatoSoloDocumentiNonEsportati();
    void salvataggioRifiutatoNonLasciaNulla();
    void eliminaCategoria();
    void capEcategorie();
};
