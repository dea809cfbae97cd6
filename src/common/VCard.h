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

// The text of one card as RFC 6350 writes it: CR LF line ends, lines folded at 75 octets,
// text values escaped, TYPE= and PREF= parameters, an ADR of 7 components (no post-office box,
// extended address or country), FN always (the organisation, else the given and family names,
// else empty). Dates (birthday, revision) given as yyyymmdd or yyyy-mm-dd are written as dates;
// a birthday that is no such date is written as text; REV, a timestamp by the standard, is
// written at midnight UTC and left out when slot 43 is no date. The label goes in X-LABEL
// (vCard 4.0 has no LABEL property). A photo path becomes a file: address.
QString ScriviVCard(const Vcard4 &scheda);

// The cards of a .vcf file in file order; none when the file is missing or holds no card.
// Reads what ScriviVCard writes and the older forms: LF or CR LF, folded lines, escapes,
// parameters with or without TYPE=, an ADR of 6 components, cards of version 2.1 and 3.0.
// Reading stops at a card that does not begin within 5000 characters of the previous one or
// has no END:VCARD on a line of its own. Street numbers stay inside the street, slot 40 inside slot 39; dates come
// back as the file writes them, without a time.
QList<Vcard4> LeggiVCard(const QString &percorso);

} // namespace common
