#pragma once
#include <QList>
#include <QString>
#include <array>

namespace common {

// One contact of a vCard 4.0 file in 48 text slots, all empty in a new record:
//  0-4 name (family, given, additional, prefixes, suffixes)   5 organisation   6 title
//  7 photo file or address      8, 9 home telephones    10 home fax     11, 12 work telephones
//  13 work fax                  14, 15 home mobiles     16, 17 work mobiles
//  18-21 home e-mails           22-25 work e-mails      26 home web address   27 work web address
//  28/29 home/work street       30/31 home/work region  32/33 home/work locality
//  34/35 home/work street number (written after the street, " N°")   36/37 home/work postal code
//  38 label   39 unique identifier (40: its prefix, written in front of it)   41 note   42 role
//  43 revision date   44 birthday   45 key   46 geographic position   47 categories
struct Vcard4 {
    static constexpr int NumeroCampi = 48;
    std::array<QString, NumeroCampi> campi;
};

// The text of one card, lines ending with a line feed and the card beginning with an empty
// line. Semicolons in values become commas (the home web address loses commas as well); values
// are not escaped or folded.
QString ScriviVCard(const Vcard4 &scheda);

// The cards of a .vcf file in file order; none when the file is missing or holds no card.
// Reading stops at a card that does not begin within 5000 characters of the previous one or
// has no END:VCARD. Street numbers stay inside the street, slot 40 inside slot 39.
QList<Vcard4> LeggiVCard(const QString &percorso);

} // namespace common
