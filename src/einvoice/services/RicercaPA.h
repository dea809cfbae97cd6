#pragma once
// The search of the public-administration offices' register (the finder's query), without widgets.
#include <QString>
#include <array>
#include <optional>

namespace db {
class Connection;
}

namespace ricerca_pa {

// The eight search boxes, in their order: town, administration, unique code, office, tax code,
// province, address, category.
enum Casella { Comune, DescrizionePA, CodiceUnivoco, Ufficio, CodiceFiscale, Provincia, Indirizzo, Tipologia };
inline constexpr int NumeroCaselle = 8;
using Criteri = std::array<QString, NumeroCaselle>;

// The finder's SQL for the boxes' texts, used as typed: a box counts when it is neither empty
// nor "*" and matches values that contain its text ("*" inside it is any text); the province
// box counts only with exactly two characters and matches the whole code. Apostrophes are
// doubled inside the literals. Nothing when no box counts.
std::optional<QString> sql(const Criteri &criteri);

// True when the register holds no office (a new archive: its rows are not shipped).
bool registroVuoto(db::Connection &c);

} // namespace ricerca_pa
