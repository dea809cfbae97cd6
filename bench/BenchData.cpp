#include "BenchData.h"

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Schema.h"
#include "db/SqliteFunctions.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QCoreApplication>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <string_view>

namespace bench {

namespace {

using namespace std::chrono;

// Bumped whenever the rows change, so cached files of an older generator are made again.
constexpr int kGeneratorVersion = 1;

// The file's application id records generator and year: a cached file of last year would
// have its current year rolled into history by the program at start-up.
// A file made for an older schema (an index added since) is made again too.
int stamp(int year) { return (kGeneratorVersion * 100 + db::schema::currentVersion()) * 10000 + year; }

// splitmix64: the same numbers on every platform and library, unlike std's distributions.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : m_s(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (m_s += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::int64_t below(std::int64_t n) { return n <= 0 ? 0 : std::int64_t(next() % std::uint64_t(n)); }
    std::int64_t between(std::int64_t lo, std::int64_t hi) { return lo + below(hi - lo + 1); }
    bool chance(double p) { return double(next() >> 11) * (1.0 / 9007199254740992.0) < p; }
    double money(double lo, double hi) { return std::round((lo + (hi - lo) * double(next() >> 11) * (1.0 / 9007199254740992.0)) * 100) / 100; }
    template <typename T, size_t N> const T &pick(const T (&a)[N]) { return a[below(N)]; }
    template <typename T> const T &pick(const std::vector<T> &v) { return v[size_t(below(std::int64_t(v.size())))]; }

private:
    std::uint64_t m_s;
};

std::string fmt(const char *f, auto... args)
{
    char buf[256];
    std::snprintf(buf, sizeof buf, f, args...);
    return buf;
}

std::string dateText(sys_days d, int hour = 0, int minute = 0)
{
    const year_month_day ymd{d};
    return fmt("%04d-%02u-%02u %02d:%02d:00", int(ymd.year()), unsigned(ymd.month()), unsigned(ymd.day()), hour, minute);
}

std::string dayFirst(sys_days d)
{
    const year_month_day ymd{d};
    return fmt("%02u/%02u/%04d", unsigned(ymd.day()), unsigned(ymd.month()), int(ymd.year()));
}

int yearOf(sys_days d) { return int(year_month_day{d}.year()); }

// The k-th of n rows in date order: 90% over the nine years before `year`, the rest in `year`.
sys_days spreadDate(std::int64_t k, std::int64_t n, int y)
{
    const std::int64_t past = n * 9 / 10;
    sys_days from, to;
    double f;
    if (k < past) {
        from = sys_days{year{y - 9} / January / 1};
        to = sys_days{year{y} / January / 1};
        f = double(k) / double(past);
    } else {
        from = sys_days{year{y} / January / 1};
        to = sys_days{year{y + 1} / January / 1};
        f = double(k - past) / double(std::max<std::int64_t>(1, n - past));
    }
    return from + days{int(f * double((to - from).count()))};
}

// A prepared INSERT whose values are bound in column order, then written by row().
class Insert {
public:
    Insert(sqlite3 *h, const char *table, std::initializer_list<const char *> cols) : m_h(h), m_n(int(cols.size()))
    {
        std::string sql = std::string("INSERT INTO \"") + table + "\" (";
        std::string marks;
        for (const char *c : cols) {
            if (!marks.empty()) {
                sql += ',';
                marks += ',';
            }
            sql += std::string("\"") + c + "\"";
            marks += '?';
        }
        sql += ") VALUES (" + marks + ")";
        if (sqlite3_prepare_v2(h, sql.c_str(), -1, &m_st, nullptr) != SQLITE_OK)
            throw db::DbError(QString::fromUtf8(sqlite3_errmsg(h)) + QStringLiteral(": ") + QString::fromStdString(sql));
    }
    ~Insert() { sqlite3_finalize(m_st); }
    Insert(const Insert &) = delete;
    Insert &operator=(const Insert &) = delete;

    Insert &text(std::string_view s)
    {
        sqlite3_bind_text(m_st, m_i++, s.data(), int(s.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Insert &textOrNull(bool present, std::string_view s) { return present ? text(s) : null(); }
    Insert &integer(std::int64_t v)
    {
        sqlite3_bind_int64(m_st, m_i++, v);
        return *this;
    }
    Insert &real(double v)
    {
        sqlite3_bind_double(m_st, m_i++, v);
        return *this;
    }
    Insert &null()
    {
        sqlite3_bind_null(m_st, m_i++);
        return *this;
    }
    void row()
    {
        if (m_i != m_n + 1) throw db::DbError(QStringLiteral("bench data: %1 values bound for %2 columns").arg(m_i - 1).arg(m_n));
        if (sqlite3_step(m_st) != SQLITE_DONE) throw db::DbError(QString::fromUtf8(sqlite3_errmsg(m_h)));
        sqlite3_reset(m_st);
        m_i = 1;
    }

private:
    sqlite3 *m_h;
    sqlite3_stmt *m_st = nullptr;
    int m_n;
    int m_i = 1;
};

// ---- Names and places -------------------------------------------------------------------

const char *kMaschili[] = {"Niccolò", "Nicolò", "Mattia", "Luca", "Marco", "Giuseppe", "Giovanni", "Antonio", "Francesco",
                           "Alessandro", "Andrea", "Lorenzo", "Gabriele", "Riccardo", "Tommaso", "Leonardo", "Davide",
                           "Stefano", "Paolo", "Roberto", "Salvatore", "Vincenzo", "Gioele", "Noè", "Elia", "Raffaele",
                           "Pietro", "Emanuele", "Michele", "Federico", "Ettore", "Gianluca"};
const char *kFemminili[] = {"Maria", "Giulia", "Francesca", "Chiara", "Sara", "Martina", "Alessia", "Elena", "Valentina",
                            "Federica", "Anna", "Laura", "Silvia", "Beatrice", "Aurora", "Sofia", "Giorgia", "Noemi",
                            "Ginevra", "Zoè", "Benedetta", "Ludovica", "Carlotta", "Irene", "Matilde", "Gaia", "Emma",
                            "Annalisa"};
const char *kCognomi[] = {
    "Rossi", "Russo", "Ferrari", "Esposito", "Bianchi", "Romano", "Colombo", "Ricci", "Marino", "Greco", "Bruno", "Gallo",
    "Conti", "De Luca", "Mancini", "Costa", "Giordano", "Rizzo", "Lombardi", "Moretti", "Barbieri", "Fontana", "Santoro",
    "Mariani", "Rinaldi", "Caruso", "Ferrara", "Galli", "Martini", "Leone", "Longo", "Gentile", "Martinelli", "Vitale",
    "Lombardo", "Serra", "Coppola", "De Santis", "D'Angelo", "Marchetti", "Parisi", "Villa", "Conte", "Ferraro", "Fabbri",
    "Bianco", "Marini", "Grasso", "Valentini", "Messina", "Sala", "De Angelis", "Gatti", "Pellegrini", "Palumbo", "Sanna",
    "Farina", "Rizzi", "Monti", "Cattaneo", "Morelli", "Amato", "Silvestri", "Mazza", "Testa", "Grassi", "Carbone",
    "Giuliani", "Benedetti", "Barone", "Caputo", "Montanari", "Guerra", "Palmieri", "Bernardi", "Fiore", "De Rosa",
    "Ferretti", "Bellini", "Basile", "Riva", "Donati", "Piras", "Battaglia", "Sartori", "Neri", "Milani", "Pagano",
    "Ruggiero", "Sorrentino", "D'Amico", "Orlando", "Negri", "Cantù", "Mazzà", "Pipitò", "Fiumanò", "Modè", "Corrò",
    "Zanè", "Borrè", "Lo Bianco", "Dell'Acqua", "Casadei", "Zoffoli", "Baldacci", "Garavini"};
const char *kAttivita[] = {"Autotrasporti", "Officina", "Carrozzeria", "Autoricambi", "Logistica", "Autonoleggio",
                           "Concessionaria", "Gommista", "Elettrauto", "Soccorso", "Costruzioni", "Assicurazioni"};
const char *kForme[] = {"S.r.l.", "S.n.c.", "S.p.A.", "S.a.s.", "& Figli S.n.c.", "S.r.l.s.", "di {n} & C. S.a.s."};
const char *kVie[] = {"Via Giuseppe Garibaldi", "Via Roma", "Corso Vittorio Emanuele II", "Piazza della Libertà",
                      "Viale dell'Università", "Via XX Settembre", "Via Niccolò Machiavelli", "Via dei Mille",
                      "Largo Nicolò Tommaseo", "Via Forlì", "Via della Repubblica", "Strada Statale 16 Adriatica",
                      "Via Sant'Antonio", "Via Città di Cascia", "Via Papa Giovanni XXIII", "Viale Trieste", "Via Cavour",
                      "Via Dante Alighieri", "Via Mazzini", "Via Guglielmo Marconi", "Via Emilia Levante", "Via Cesenatico",
                      "Via Ravegnana", "Piazzale Aurelio Saffi", "Via Ca' Ossi", "Via dell'Artigianato"};
const char *kNote[] = {"Cliente abituale, preferisce essere contattato al mattino.",
                       "Fatturare sempre con riferimento al numero di sinistro.",
                       "Attenzione: pagamenti spesso in ritardo, chiedere anticipo.",
                       "Convenzione con l'assicurazione: tariffe concordate a parte.",
                       "Ritiro veicolo solo con delega scritta del proprietario.",
                       "Più veicoli in flotta: avvisare il responsabile mezzi."};
const char *kBanche[] = {"Banca di Forlì Credito Cooperativo", "Intesa Sanpaolo", "UniCredit", "BPER Banca",
                         "Crédit Agricole Italia", "La BCC ravennate forlivese e imolese"};
const char *kServizi[] = {"Traino veicolo leggero entro 20 km", "Recupero veicolo fuori strada", "Custodia giornaliera veicolo",
                          "Supplemento notturno", "Supplemento festivo", "Uscita carro attrezzi", "Soccorso stradale in autostrada",
                          "Trasporto motociclo", "Km eccedenti", "Traino veicolo pesante", "Sollevamento con gru",
                          "Rimozione veicolo su disposizione della Polizia Locale", "Messa in sicurezza dell'area",
                          "Trasferimento in officina convenzionata", "Pulizia carreggiata dopo sinistro"};
const char *kOperazioniCassa[] = {"Rifornimento gasolio carro attrezzi", "Pedaggio autostradale", "Acquisto cancelleria",
                                  "Versamento contanti in banca", "Prelievo per piccola cassa", "Pagamento F24",
                                  "Canone noleggio attrezzatura", "Riparazione pneumatici", "Spese postali",
                                  "Caffè e rinfreschi per i clienti"};

// Upper-case ASCII of a name, accents dropped (codes and e-mail addresses).
std::string ascii(std::string_view s, bool lower)
{
    static const std::pair<const char *, char> accents[] = {{"à", 'a'}, {"á", 'a'}, {"è", 'e'}, {"é", 'e'}, {"ì", 'i'},
                                                            {"í", 'i'}, {"ò", 'o'}, {"ó", 'o'}, {"ù", 'u'}, {"ú", 'u'},
                                                            {"À", 'A'}, {"È", 'E'}, {"É", 'E'}, {"Ì", 'I'}, {"Ò", 'O'},
                                                            {"Ù", 'U'}};
    std::string out;
    for (size_t i = 0; i < s.size();) {
        bool done = false;
        for (const auto &[from, to] : accents) {
            const size_t n = std::strlen(from);
            if (s.compare(i, n, from) == 0) {
                out += to;
                i += n;
                done = true;
                break;
            }
        }
        if (done) continue;
        const char c = s[i++];
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) out += c;
    }
    for (char &c : out) c = lower ? char(std::tolower(c)) : char(std::toupper(c));
    return out;
}

// The three letters of a surname or a first name in an Italian tax code.
std::string cfPart(std::string_view name, bool firstName)
{
    const std::string a = ascii(name, false);
    std::string cons, vow;
    for (char c : a)
        if (c >= 'A' && c <= 'Z') (std::strchr("AEIOU", c) ? vow : cons) += c;
    if (firstName && cons.size() >= 4) return std::string{cons[0], cons[2], cons[3]};
    return (cons + vow + "XXX").substr(0, 3);
}

std::string codiceFiscale(std::string_view cognome, std::string_view nome, bool donna, sys_days nascita, std::string_view belfiore)
{
    static const char mesi[] = "ABCDEHLMPRST";
    const year_month_day ymd{nascita};
    std::string cf = cfPart(cognome, false) + cfPart(nome, true)
        + fmt("%02d%c%02u", int(ymd.year()) % 100, mesi[unsigned(ymd.month()) - 1], unsigned(ymd.day()) + (donna ? 40 : 0))
        + std::string(belfiore.size() == 4 ? belfiore : "H199");
    static const int dispari[] = {1, 0, 5, 7, 9, 13, 15, 17, 19, 21, 2, 4, 18, 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
    int sum = 0;
    for (size_t i = 0; i < 15; ++i) {
        const char c = cf[i];
        const int v = (c >= '0' && c <= '9') ? c - '0' : c - 'A';
        sum += (i % 2 == 0) ? dispari[v] : v;
    }
    return cf + char('A' + sum % 26);
}

std::string partitaIva(Rng &r)
{
    std::string p = fmt("%07lld%03lld", (long long)r.below(10000000), (long long)r.between(1, 100));
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        int d = p[size_t(i)] - '0';
        if (i % 2 == 1) {
            d *= 2;
            if (d > 9) d -= 9;
        }
        sum += d;
    }
    return p + char('0' + (10 - sum % 10) % 10);
}

std::string iban(Rng &r)
{
    return fmt("IT%02lldX%05lld%05lld%012lld", (long long)r.between(10, 99), (long long)r.between(1000, 9999),
               (long long)r.between(10000, 99999), (long long)r.below(1000000000000ll));
}

std::string telefono(Rng &r, bool cellulare)
{
    return cellulare ? fmt("3%02lld %07lld", (long long)r.between(20, 93), (long long)r.below(10000000))
                     : fmt("0%lld %06lld", (long long)r.between(2, 99) * 10 + 3, (long long)r.below(1000000));
}

std::string targa(Rng &r)
{
    static const char l[] = "ABCDEFGHJKLMNPRSTVWXYZ";
    auto c = [&] { return l[r.below(22)]; };
    return fmt("%c%c%03lld%c%c", c(), c(), (long long)r.below(1000), c(), c());
}

struct Comune {
    std::int64_t id;
    std::string nome, provincia, belfiore, cap;
};

std::vector<Comune> leggiComuni(sqlite3 *h)
{
    std::vector<Comune> out;
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(h, "SELECT ID, Comune, Provincia, CODICE_F FROM Comuni ORDER BY ID", -1, &st, nullptr);
    auto col = [&](int i) {
        const unsigned char *t = sqlite3_column_text(st, i);
        return t ? std::string(reinterpret_cast<const char *>(t)) : std::string();
    };
    while (sqlite3_step(st) == SQLITE_ROW) {
        const std::int64_t id = sqlite3_column_int64(st, 0);
        out.push_back({id, col(1), col(2), col(3), fmt("%05lld", (long long)(10000 + (id * 7919) % 89990))});
    }
    sqlite3_finalize(st);
    if (out.empty()) throw db::DbError(QStringLiteral("bench data: the schema came without municipalities"));
    return out;
}

// A company or a person, as the customer and supplier lists hold them.
struct Anagrafica {
    bool azienda = false, donna = false;
    std::string cognome, nome, ragioneSociale, titolo, cf, piva, email, pec, sdi, via, civico;
    const Comune *comune = nullptr;
};

// Towns: most customers live around the company (Romagna), the rest anywhere in Italy.
struct Luoghi {
    std::vector<Comune> tutti, vicini;
    const Comune &pick(Rng &r) const { return r.chance(0.6) && !vicini.empty() ? r.pick(vicini) : r.pick(tutti); }
};

Anagrafica anagrafica(Rng &r, const Luoghi &luoghi, double quoteAziende, std::int64_t n)
{
    Anagrafica a;
    a.azienda = r.chance(quoteAziende);
    a.comune = &luoghi.pick(r);
    a.donna = r.chance(0.45);
    a.cognome = r.pick(kCognomi);
    a.nome = a.donna ? r.pick(kFemminili) : r.pick(kMaschili);
    a.via = r.pick(kVie);
    a.civico = r.chance(0.1) ? fmt("%lld/%c", (long long)r.between(1, 200), char('A' + r.below(4))) : fmt("%lld", (long long)r.between(1, 250));
    if (a.azienda) {
        std::string forma = r.pick(kForme);
        if (const auto at = forma.find("{n}"); at != std::string::npos) forma.replace(at, 3, a.nome + " " + a.cognome);
        a.ragioneSociale = r.chance(0.3) ? std::string(r.pick(kAttivita)) + " " + a.comune->nome + " " + forma
                                         : std::string(r.pick(kAttivita)) + " " + a.cognome + " " + forma;
        a.titolo = "Spett.le";
        a.piva = partitaIva(r);
        a.cf = a.piva;
        const std::string dominio = ascii(a.cognome, true) + ascii(r.pick(kAttivita), true).substr(0, 6) + ".it";
        a.email = (r.chance(0.5) ? "info@" : "amministrazione@") + dominio;
        a.pec = ascii(a.cognome, true) + fmt("%lld", (long long)n) + "@pec.it";
        a.sdi = fmt("%c%c%c%04lld", 'A' + char(r.below(26)), 'A' + char(r.below(26)), '0' + char(r.below(10)), (long long)r.below(10000));
    } else {
        a.titolo = a.donna ? "Sig.ra" : (r.chance(0.1) ? "Dott." : "Sig.");
        const sys_days nascita = sys_days{year{1940} / January / 1} + days{int(r.below(365 * 65))};
        a.cf = codiceFiscale(a.cognome, a.nome, a.donna, nascita, a.comune->belfiore);
        a.email = ascii(a.nome, true) + "." + ascii(a.cognome, true) + fmt("%lld", (long long)(n % 100))
            + (r.chance(0.5) ? "@gmail.com" : r.chance(0.5) ? "@libero.it" : "@alice.it");
        a.sdi = "0000000";
    }
    return a;
}

std::string nominativo(const Anagrafica &a)
{
    return a.azienda ? a.ragioneSociale : a.cognome + " " + a.nome;
}

// ---- Tables ------------------------------------------------------------------------------

struct Riferimenti {
    int modPagamento = 0, iva = 0, banche = 0, categorieClienti = 0, categorieFornitori = 0, unita = 0, personale = 0;
};

Riferimenti scriviTabelleDiBase(sqlite3 *h, Rng &r, const Luoghi &comuni)
{
    Riferimenti ref;
    {
        Insert ins(h, "ModPagamento", {"Descrizione", "FatturaFineMese", "GG1Scadenza", "GG2Scadenza", "NumeroScadenze", "FlagCassa",
                                       "PA_ModalitaPagamento_Codice"});
        const struct {
            const char *d;
            int fm, g1, g2, n, cassa;
            const char *mp;
        } mod[] = {{"Rimessa diretta", 0, 0, 0, 1, 1, "MP01"},         {"Contanti alla consegna", 0, 0, 0, 1, 1, "MP01"},
                   {"Bonifico bancario 30 gg d.f.", 0, 30, 0, 1, 0, "MP05"}, {"Bonifico bancario 60 gg d.f.f.m.", 1, 60, 0, 1, 0, "MP05"},
                   {"Ri.Ba. 30/60 gg", 1, 30, 60, 2, 0, "MP12"},        {"Assegno bancario", 0, 0, 0, 1, 1, "MP02"},
                   {"Carta di credito", 0, 0, 0, 1, 1, "MP08"},          {"Bancomat / POS", 0, 0, 0, 1, 1, "MP08"}};
        for (const auto &m : mod) {
            ins.text(m.d).integer(m.fm).integer(m.g1).integer(m.g2).integer(m.n).integer(m.cassa).text(m.mp).row();
            ++ref.modPagamento;
        }
    }
    {
        Insert ins(h, "Iva", {"Descrizione", "Iva", "Pa_Natura_Codice", "NonEliminabile"});
        const struct {
            const char *d;
            double v;
            const char *n;
        } iva[] = {{"22%", 22, ""}, {"10%", 10, ""}, {"4%", 4, ""}, {"Esente art. 10", 0, "N4"},
                   {"Non imponibile art. 8", 0, "N3.1"}, {"Fuori campo IVA art. 15", 0, "N1"}};
        for (const auto &v : iva) {
            ins.text(v.d).real(v.v).textOrNull(*v.n, v.n).integer(1).row();
            ++ref.iva;
        }
    }
    {
        Insert ins(h, "Bank", {"Banca", "Iban", "Via", "Numero", "Comune", "Cap", "Provincia", "Telefono", "Email", "SaldoInizioAnno",
                               "Beneficiario"});
        for (const char *b : kBanche) {
            const Comune &c = comuni.pick(r);
            ins.text(b).text(iban(r)).text(r.pick(kVie)).text(fmt("%lld", (long long)r.between(1, 90))).text(c.nome).text(c.cap)
                .text(c.provincia).text(telefono(r, false)).text("filiale@" + ascii(b, true).substr(0, 12) + ".it")
                .real(r.money(1000, 90000)).text("Soccorso Stradale Città di Forlì S.r.l.").row();
            ++ref.banche;
        }
    }
    auto semplice = [&](const char *table, std::initializer_list<const char *> values) {
        Insert ins(h, table, {"Descrizione"});
        for (const char *v : values) ins.text(v).row();
        return int(values.size());
    };
    ref.categorieClienti = semplice("ClientiCategoria", {"Privati", "Aziende", "Assicurazioni", "Enti pubblici", "Officine convenzionate"});
    ref.categorieFornitori = semplice("FornitorCategoria", {"Ricambi", "Carburanti", "Manutenzione mezzi", "Servizi", "Utenze"});
    ref.unita = semplice("UnitaMisura", {"Nr", "Km", "Ore", "Giorni", "Kg"});
    semplice("TipoFatturazione", {"Ordinaria", "Convenzione assicurazioni", "Pubblica amministrazione"});
    {
        Insert ins(h, "Personale", {"Personale", "Numero", "Cell", "CodFisc", "Codice", "Annullato"});
        for (int i = 0; i < 14; ++i) {
            const bool donna = i % 5 == 4;
            const std::string cognome = r.pick(kCognomi), nome = donna ? r.pick(kFemminili) : r.pick(kMaschili);
            const sys_days nascita = sys_days{year{1965} / January / 1} + days{int(r.below(365 * 35))};
            ins.text(cognome + " " + nome).text(fmt("%d", i + 1)).text(telefono(r, true))
                .text(codiceFiscale(cognome, nome, donna, nascita, comuni.pick(r).belfiore)).text(fmt("AUT%02d", i + 1))
                .integer(i == 13).row();
            ++ref.personale;
        }
    }
    sqlite3_exec(h,
                 "UPDATE ditta SET RagSoc = 'Soccorso Stradale Città di Forlì S.r.l.', PIva = '03456780401', "
                 "CodFisc = '03456780401', Via = 'Via Ravegnana', Numero = '281', Comune = 'Forlì', Cap = '47122', "
                 "Provincia = 'FC', IdPaese = 'IT', Tel = '0543 123456', Email = 'info@soccorsoforli.it', "
                 "Pec = 'soccorsoforli@pec.it', RegimeFiscale = 'RF01'",
                 nullptr, nullptr, nullptr);
    return ref;
}

void scriviClienti(sqlite3 *h, Rng &r, std::int64_t n, const Luoghi &comuni, const Riferimenti &ref,
                   std::vector<std::string> &nomi)
{
    Insert ins(h, "Clienti",
               {"Annullato", "Pagamento_ID", "EMail", "NominativoVisualizzato", "Cliente", "Cognome", "Nome", "Titolo", "CodEORI",
                "IdPaese", "Iva", "CodFiscale", "Telefono", "Telefono2", "Contatto", "Fax", "DescBanca", "Iban", "Cellulare", "Skype",
                "Km", "SaldoInizioAnno", "Sconto", "Internet", "DestinazioneMerce", "Note", "PrivacyFirmata", "Categoria_ID",
                "ColoreCategoria", "NumeroColore", "NominativoDocumenti", "Sede_Nazione", "Via", "Numero", "Citta", "Cap",
                "Provincia", "Comune_id", "Codice", "CodiceUnivocoUfficio", "Pec", "PubblicaAmministrazione", "ScissionePagamenti",
                "StabileOrganizzazione", "StabileOrganizzazione_Indirizzo", "StabileOrganizzazione_NumeroCivico",
                "StabileOrganizzazione_Comune", "StabileOrganizzazione_CAP", "StabileOrganizzazione_Provincia",
                "StabileOrganizzazione_Nazione", "RappresentanteFiscale", "RappresentanteFiscale_Nazione",
                "RappresentanteFiscale_IdCodice", "RappresentanteFiscale_Denominazione", "RappresentanteFiscale_Cognome",
                "RappresentanteFiscale_Nome"});
    static const char *paesi[] = {"DE", "FR", "AT", "SI", "CH", "ES"};
    nomi.reserve(size_t(n));
    for (std::int64_t i = 0; i < n; ++i) {
        const Anagrafica a = anagrafica(r, comuni, 0.3, i);
        const bool estero = r.chance(0.01);
        const bool pa = a.azienda && r.chance(0.02);
        const std::string paese = estero ? r.pick(paesi) : "IT";
        const std::string nom = nominativo(a);
        nomi.push_back(nom);
        const Comune &c = *a.comune;
        const int categoria = pa ? 4 : a.azienda ? int(r.between(2, ref.categorieClienti)) : 1;
        ins.integer(r.chance(0.02))
            .integer(r.between(1, ref.modPagamento))
            .textOrNull(r.chance(0.85), a.email)
            .text(nom)
            .text(nom)
            .textOrNull(!a.azienda, a.cognome)
            .textOrNull(!a.azienda, a.nome)
            .text(a.titolo)
            .textOrNull(a.azienda && r.chance(0.05), "IT" + a.piva)
            .text(paese)
            .textOrNull(a.azienda, a.piva)
            .text(a.cf)
            .text(telefono(r, false))
            .textOrNull(r.chance(0.2), telefono(r, false))
            .textOrNull(a.azienda, std::string(r.pick(kMaschili)) + " " + r.pick(kCognomi))
            .textOrNull(a.azienda && r.chance(0.3), telefono(r, false))
            .textOrNull(r.chance(0.3), r.pick(kBanche))
            .textOrNull(r.chance(0.3), iban(r))
            .textOrNull(r.chance(0.9), telefono(r, true))
            .textOrNull(r.chance(0.02), ascii(nom, true).substr(0, 14) + ".skype")
            .real(double(r.below(120)))
            .real(r.chance(0.2) ? r.money(-500, 3000) : 0.0)
            .real(r.chance(0.1) ? double(5 * r.between(1, 3)) : 0.0)
            .textOrNull(a.azienda && r.chance(0.5), "www." + ascii(a.cognome, true) + ".it")
            .textOrNull(a.azienda && r.chance(0.1), std::string(r.pick(kVie)) + ", " + comuni.pick(r).nome)
            .textOrNull(r.chance(0.08), r.pick(kNote))
            .integer(r.chance(0.7))
            .integer(categoria)
            .integer(0)
            .integer(r.below(6))
            .text(a.azienda ? nom : a.titolo + " " + a.nome + " " + a.cognome)
            .text(paese)
            .text(a.via)
            .text(a.civico)
            .text(c.nome)
            .text(c.cap)
            .text(c.provincia)
            .integer(c.id)
            .text(fmt("C%06lld", (long long)(i + 1)))
            .text(pa ? fmt("UF%05lld", (long long)(i % 100000)) : a.sdi)
            .textOrNull(a.azienda, a.pec)
            .integer(pa)
            .integer(pa)
            .integer(estero && a.azienda)
            .textOrNull(estero && a.azienda, r.pick(kVie))
            .textOrNull(estero && a.azienda, "12")
            .textOrNull(estero && a.azienda, c.nome)
            .textOrNull(estero && a.azienda, c.cap)
            .textOrNull(estero && a.azienda, c.provincia)
            .textOrNull(estero && a.azienda, "IT")
            .integer(estero && !a.azienda)
            .textOrNull(estero && !a.azienda, "IT")
            .textOrNull(estero && !a.azienda, partitaIva(r))
            .textOrNull(estero && !a.azienda, "Studio " + std::string(r.pick(kCognomi)) + " S.r.l.")
            .textOrNull(estero && !a.azienda, r.pick(kCognomi))
            .textOrNull(estero && !a.azienda, r.pick(kMaschili))
            .row();
    }
}

void scriviFornitori(sqlite3 *h, Rng &r, std::int64_t n, const Luoghi &comuni, const Riferimenti &ref,
                     std::vector<std::string> &nomi)
{
    Insert ins(h, "Fornitor", {"Annullato", "Pagamento_ID", "Fornitore", "Categoria_ID", "Titolo", "Codice", "PrivacyFirmata", "Iva",
                               "CodFiscale", "IdPaese", "VIA", "Numero", "Comune", "Cap", "Provincia", "Comune_id", "Telefono",
                               "Cellulare", "Email", "Pec", "Internet", "Note", "Iban", "DescBanca", "SaldoInizioAnno"});
    for (std::int64_t i = 0; i < n; ++i) {
        const Anagrafica a = anagrafica(r, comuni, 0.95, 900000 + i);
        const std::string nom = nominativo(a);
        nomi.push_back(nom);
        const Comune &c = *a.comune;
        ins.integer(r.chance(0.03)).integer(r.between(1, ref.modPagamento)).text(nom).integer(r.between(1, ref.categorieFornitori))
            .text(a.titolo).text(fmt("F%05lld", (long long)(i + 1))).integer(1).textOrNull(a.azienda, a.piva).text(a.cf).text("IT")
            .text(a.via).text(a.civico).text(c.nome).text(c.cap).text(c.provincia).integer(c.id).text(telefono(r, false))
            .textOrNull(r.chance(0.5), telefono(r, true)).text(a.email).textOrNull(a.azienda, a.pec)
            .textOrNull(a.azienda && r.chance(0.4), "www." + ascii(a.cognome, true) + ".it").textOrNull(r.chance(0.05), r.pick(kNote))
            .text(iban(r)).text(r.pick(kBanche)).real(0).row();
    }
}

void scriviTariffe(sqlite3 *h, Rng &r, std::int64_t n, const std::vector<std::string> &clienti, const Luoghi &comuni,
                   const Riferimenti &ref, int anno)
{
    Insert ins(h, "prezziar", {"Annullato", "DataInserimento", "AliquotaIva", "Iva_Id", "Tariffa", "Um_Id", "Descrizione",
                               "PrezzoCompleto", "Prezzo", "Sconto", "Cliente", "Cliente_ID", "Codice", "TipoTariffa_Id",
                               "TipoFatturazione_Id", "PrezzoFornitore", "Reparto", "Note", "PartenzaCitta", "FineCitta", "Chilometri"});
    for (std::int64_t i = 0; i < n; ++i) {
        const bool perCliente = r.chance(0.4);
        const std::int64_t cliente = perCliente ? r.below(std::int64_t(clienti.size())) : -1;
        const double prezzo = r.money(15, 900);
        const bool tratta = r.chance(0.2);
        ins.integer(r.chance(0.05)).text(dateText(sys_days{year{anno - 9} / January / 1} + days{int(r.below(3650))}))
            .real(22).integer(1).text(fmt("T%05lld", (long long)(i + 1))).integer(r.between(1, ref.unita))
            .text(std::string(kServizi[i % std::size(kServizi)]) + (i >= std::int64_t(std::size(kServizi)) ? fmt(" - listino %lld", (long long)(i / std::int64_t(std::size(kServizi)))) : ""))
            .real(std::round(prezzo * 122) / 100).real(prezzo).real(0)
            .textOrNull(perCliente, perCliente ? clienti[size_t(cliente)] : std::string()).integer(perCliente ? cliente + 1 : 0)
            .text(fmt("%03lld", (long long)(i % 1000))).integer(r.chance(0.1) ? 5 : 0).integer(r.between(1, 3))
            .real(std::round(prezzo * 60) / 100).text(r.chance(0.5) ? "Soccorso" : "Custodia").textOrNull(r.chance(0.05), r.pick(kNote))
            .textOrNull(tratta, comuni.pick(r).nome).textOrNull(tratta, comuni.pick(r).nome).real(tratta ? double(r.between(5, 400)) : 0.0)
            .row();
    }
}

// What the cash book needs to know of each document, kept while the documents are written.
struct Documento {
    std::int32_t cliente = 0, fornitore = 0, scadenza = 0;
    char tipo = 'F'; // F sales invoice, N sales credit note, C purchase invoice, B supplier credit note
    double totale = 0;
};

void scriviDocumenti(sqlite3 *h, Rng &r, const Counts &n, int anno, const std::vector<std::string> &clienti,
                     const std::vector<std::string> &fornitori, const Luoghi &comuni, const Riferimenti &ref,
                     std::vector<Documento> &documenti)
{
    Insert fattura(h, "fattura",
                   {"ID", "Num", "Data", "Cliente_ID", "Cliente", "FattNota", "Carico", "DatiTrasmissione_FormatoTrasmissione",
                    "Fornitore_ID", "Fornitore", "DataRegistrazione", "ProgressivoCarico", "Storico", "NumeroCarico", "Banca_ID",
                    "Causale", "ComuneDestinazione_ID", "ComuneFermo_ID", "DataIngressoVeicolo", "DataUscitaVeicolo", "Depositata",
                    "Giorni", "Km", "ModPagamento_Id", "NCFattDataRif", "NCFattNumRif", "NCFattIDRif", "Note", "Personale_ID",
                    "ScissionePagamenti", "Targa", "TipoFatturazione_Id", "TotFattura", "TotImponibile", "TotImposta",
                    "ImportoMarcaBollo", "DatiTrasmissione_ProgressivoInvio", "DatiGenerali_Divisa", "EsportatoXml", "ImportatoXml",
                    "NumOrdine"});
    Insert riga(h, "fattdett", {"Storico", "NumeroRiga", "Sconto", "ValoreUnitario", "Um", "TotaleImponibile", "AliquotaIva",
                                "Articolo_ID", "Codice", "Descrizione", "Iva_ID", "Note", "NumFatt", "Reparto", "Targa1", "TipoRiga",
                                "Um_ID", "ValoreTotale", "Data"});
    Insert scadenza(h, "FatturaScadenze", {"Fattura_ID", "Cliente_id", "Fornitore_id", "Pagato", "DataScadenza", "Importo",
                                           "DataPagamento", "Banca_ID", "Numero", "Operazione", "Dettagli", "ModPagamento_Id", "Tipo"});
    // Payments are decided against a fixed day, not the day of generation: same rows all year.
    const sys_days oggi = sys_days{year{anno} / December / 1};
    const sys_days inizioAnno = sys_days{year{anno} / January / 1};
    // Numbering starts again every year: sales by document date, purchases by registration date.
    int annoVendite = 0, annoAcquisti = 0, numVendite = 0, numNote = 0, progressivo = 0;
    std::int64_t ultimaFattura = 0;
    std::int64_t scadenzeScritte = 0;
    const std::int64_t vendite = std::max<std::int64_t>(1, n.fatture * 65 / 100); // sales documents in the mix below
    documenti.resize(size_t(n.fatture));
    for (std::int64_t k = 0; k < n.fatture; ++k) {
        const std::int64_t id = k + 1;
        const sys_days data = spreadDate(k, n.fatture, anno);
        const int y = yearOf(data);
        const double u = double(r.below(1000)) / 1000;
        const bool carico = u >= 0.65;
        const bool nota = (u >= 0.60 && u < 0.65) || u >= 0.95;
        Documento &d = documenti[size_t(k)];
        d.tipo = carico ? (nota ? 'B' : 'C') : (nota ? 'N' : 'F');
        sys_days registrazione = data;
        int num = 0, prog = 0;
        if (carico) {
            registrazione = std::min(data + days{int(r.below(12))}, sys_days{year{y} / December / 31});
            if (yearOf(registrazione) != annoAcquisti) annoAcquisti = yearOf(registrazione), progressivo = 0;
            prog = ++progressivo;
            d.fornitore = std::int32_t(1 + r.below(std::int64_t(fornitori.size())));
        } else {
            if (y != annoVendite) annoVendite = y, numVendite = 0, numNote = 0;
            num = nota ? ++numNote : ++numVendite;
            d.cliente = std::int32_t(1 + r.below(std::int64_t(clienti.size())));
        }
        const bool storico = (carico ? registrazione : data) < inizioAnno;
        // Sales documents carry the rows: as many on average as the scale asks, a few more or less each.
        int nRighe = 0;
        if (!carico) {
            const double media = double(n.righe) / double(vendite);
            nRighe = int(media) + (r.chance(media - std::floor(media)) ? 1 : 0);
            if (nRighe > 3) nRighe += int(r.between(-2, 2));
        }
        const std::string targ = targa(r);
        double imponibile = 0;
        const int ivaId = r.chance(0.9) ? 1 : int(r.between(2, ref.iva));
        const double aliquota = ivaId == 1 ? 22 : ivaId == 2 ? 10 : ivaId == 3 ? 4 : 0;
        for (int j = 0; j < nRighe; ++j) {
            const int servizio = int(r.below(std::int64_t(std::size(kServizi))));
            const double quantita = servizio == 2 ? double(r.between(1, 60)) : servizio == 8 ? double(r.between(5, 120)) : 1.0;
            const double prezzo = servizio == 2 ? r.money(8, 25) : servizio == 8 ? r.money(0.8, 2.5) : r.money(30, 350);
            const double sconto = r.chance(0.1) ? 10.0 : 0.0;
            const double totale = std::round(quantita * prezzo * (100 - sconto)) / 100;
            imponibile += totale;
            riga.integer(storico).integer(j + 1).real(sconto).real(prezzo).real(quantita).real(totale).real(aliquota)
                .integer(1 + servizio).text(fmt("%03d", servizio)).text(kServizi[servizio]).integer(ivaId)
                .textOrNull(r.chance(0.03), r.pick(kNote)).integer(id).text(servizio == 2 ? "Custodia" : "Soccorso").text(targ)
                .text("S").integer(servizio == 2 ? 4 : servizio == 8 ? 2 : 1).real(std::round(totale * (100 + aliquota)) / 100)
                .text(dateText(data)).row();
        }
        if (carico) imponibile = r.money(20, 4000);
        imponibile = std::round(imponibile * 100) / 100;
        const double imposta = std::round(imponibile * aliquota) / 100;
        d.totale = imponibile + imposta;
        const bool custodia = !carico && r.chance(0.2);
        const int giorni = custodia ? int(r.between(1, 90)) : 0;
        const int modPag = int(r.between(1, ref.modPagamento));
        const int banca = int(r.between(1, ref.banche));
        fattura.integer(id)
            .integer(num)
            .text(dateText(data))
            .integer(d.cliente)
            .textOrNull(!carico, carico ? std::string() : clienti[size_t(d.cliente - 1)])
            .integer(nota)
            .integer(carico)
            .text(carico ? "FPR12" : (r.chance(0.02) ? "FPA12" : "FPR12"))
            .integer(d.fornitore)
            .textOrNull(carico, carico ? fornitori[size_t(d.fornitore - 1)] : std::string())
            .textOrNull(carico, dateText(registrazione))
            .integer(prog)
            .integer(storico)
            .textOrNull(carico, fmt("%lld/%d", (long long)r.between(1, 9999), y))
            .integer(banca)
            .textOrNull(!carico && r.chance(0.3), "Intervento di soccorso stradale")
            .integer(custodia ? comuni.pick(r).id : 0)
            .integer(custodia ? comuni.pick(r).id : 0)
            .textOrNull(custodia, dateText(data - days{giorni}, int(r.below(24)), int(r.below(60))))
            .textOrNull(custodia, dateText(data, int(r.below(24)), int(r.below(60))))
            .integer(custodia)
            .integer(giorni)
            .real(carico ? 0.0 : double(r.below(150)))
            .integer(modPag)
            .textOrNull(nota && ultimaFattura > 0, dateText(data - days{int(r.below(60))}))
            .integer(nota ? std::max(1, num) : 0)
            .integer(nota ? ultimaFattura : 0)
            .textOrNull(r.chance(0.05), r.pick(kNote))
            .integer(carico ? 0 : r.between(1, ref.personale))
            .integer(0)
            .textOrNull(!carico, targ)
            .integer(carico ? 0 : r.between(1, 3))
            .real(d.totale)
            .real(imponibile)
            .real(imposta)
            .real(aliquota == 0 && d.totale > 77.47 ? 2.0 : 0.0)
            .integer(carico ? 0 : k)
            .text("EUR")
            .integer(!carico && storico)
            .integer(carico)
            .textOrNull(r.chance(0.02), fmt("ORD-%lld", (long long)r.below(100000)))
            .row();
        if (!carico && !nota) ultimaFattura = id;
        // Half the documents have an instalment; the older ones are paid.
        if (k % 2 == 0 && scadenzeScritte < n.scadenze) {
            const sys_days scade = data + days{30 * int(1 + r.below(2))};
            const bool pagato = scade < oggi - days{60} ? !r.chance(0.02) : r.chance(0.3);
            const std::string numero = carico ? fmt("fornitore prot. %d", prog) : fmt("%d/%d", num, y);
            d.scadenza = std::int32_t(++scadenzeScritte);
            scadenza.integer(id).integer(d.cliente).integer(d.fornitore).integer(pagato).text(dateText(scade)).real(d.totale)
                .textOrNull(pagato, dateText(scade + days{int(r.below(20))})).integer(banca).integer(1)
                .text((nota ? "Nota di credito n. " : "Fattura n. ") + numero + " del " + dayFirst(data))
                .textOrNull(pagato && r.chance(0.3), "Pagamento ricevuto con " + std::string(r.chance(0.5) ? "bonifico" : "Ri.Ba."))
                .integer(modPag).text(std::string(1, d.tipo)).row();
        }
    }
}

void scriviPrimaNota(sqlite3 *h, Rng &r, const Counts &n, int anno, const std::vector<Documento> &documenti, const Riferimenti &ref)
{
    Insert ins(h, "finanzia", {"Storico", "Data", "Operazione", "Entrata", "Uscita", "Note", "Tipologia_ID", "Tipo", "Fattura_ID",
                               "Cliente_id", "Fornitore_id", "ModPagamento_Id", "Banca_ID", "AliquotaIva", "ContabilitaConti_ID",
                               "Corrispettivi", "FatturaScadenze_Id", "Iva_id"});
    const sys_days inizioAnno = sys_days{year{anno} / January / 1};
    for (std::int64_t k = 0; k < n.primaNota; ++k) {
        const sys_days data = spreadDate(k, n.primaNota, anno);
        // The document of about the same day: both lists are in date order.
        const std::int64_t di = documenti.empty() ? -1 : std::min<std::int64_t>(k * std::int64_t(documenti.size()) / n.primaNota,
                                                                              std::int64_t(documenti.size()) - 1);
        const double u = double(r.below(100)) / 100;
        std::string tipo = "A", operazione;
        std::int64_t fatturaId = 0, scadenzaId = 0, cliente = 0, fornitore = 0;
        double entrata = 0, uscita = 0;
        if (di >= 0 && u < 0.6) {
            const Documento &d = documenti[size_t(di)];
            fatturaId = di + 1;
            cliente = d.cliente;
            fornitore = d.fornitore;
            const bool incasso = d.tipo == 'F' || d.tipo == 'B';
            (incasso ? entrata : uscita) = d.totale;
            if (u < 0.3 && d.scadenza) {
                tipo = std::string(1, d.tipo);
                scadenzaId = d.scadenza;
                operazione = std::string(incasso ? "Incasso" : "Pagamento") + " scadenza documento " + fmt("%lld", (long long)fatturaId);
            } else {
                tipo = d.tipo == 'F' ? "1" : d.tipo == 'N' ? "2" : d.tipo == 'C' ? "3" : "4";
                operazione = std::string(d.tipo == 'F' ? "Fattura" : d.tipo == 'C' ? "Fattura fornitore" : "Nota di credito") + " del "
                    + dayFirst(data);
            }
        } else {
            operazione = r.pick(kOperazioniCassa);
            (r.chance(0.2) ? entrata : uscita) = r.money(2, 600);
        }
        ins.integer(data < inizioAnno).text(dateText(data)).text(operazione).real(entrata).real(uscita)
            .textOrNull(r.chance(0.05), r.pick(kNote)).integer(r.between(1, 3)).text(tipo).integer(fatturaId).integer(cliente)
            .integer(fornitore).integer(r.between(1, ref.modPagamento)).integer(r.between(1, ref.banche)).real(22).integer(0)
            .integer(r.chance(0.05)).integer(scadenzaId).integer(1).row();
    }
}

void exec(sqlite3 *h, const std::string &sql)
{
    char *err = nullptr;
    if (sqlite3_exec(h, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : sqlite3_errmsg(h));
        sqlite3_free(err);
        throw db::DbError(msg);
    }
}

} // namespace

Counts countsFor(double scala)
{
    auto at = [scala](double n, std::int64_t least) { return std::max<std::int64_t>(least, std::int64_t(std::llround(n * scala))); };
    Counts c;
    c.clienti = at(20000, 10);
    c.fornitori = at(500, 5);
    c.tariffe = at(1000, 20);
    c.primaNota = at(200000, 20);
    c.fatture = at(100000, 20);
    c.righe = at(400000, 40);
    c.scadenze = at(50000, 10);
    return c;
}

void generate(const QString &path, double scala, int anno)
{
    if (QFileInfo::exists(path)) throw db::DbError(QStringLiteral("bench data: %1 exists already").arg(path));
    const Counts n = countsFor(scala);
    {
        db::Connection schema;
        if (!schema.open(path)) throw db::DbError(schema.error());
        db::schema::createNew(schema);
    }
    // The rows go in through plain sqlite3 with the program's collation and functions, the
    // fastest way to write millions of them.
    sqlite3 *h = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &h, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        throw db::DbError(QStringLiteral("bench data: cannot open %1").arg(path));
    const std::unique_ptr<sqlite3, int (*)(sqlite3 *)> chiudi(h, sqlite3_close_v2);
    db::registerAccessFunctions(h, nullptr);
    // A file made from scratch: nothing to lose to a crash while it is written.
    exec(h, "PRAGMA synchronous = OFF; PRAGMA journal_mode = MEMORY; PRAGMA cache_size = -262144; PRAGMA threads = 4");
    exec(h, "BEGIN");
    // The large tables' indexes are built once at the end: faster than keeping them up to date
    // row by row. They are the schema's own statements, taken back as they were.
    std::vector<std::string> indexes;
    {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(h,
                           "SELECT name, sql FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL AND tbl_name IN "
                           "('Clienti', 'Fornitor', 'prezziar', 'fattura', 'fattdett', 'FatturaScadenze', 'finanzia')",
                           -1, &st, nullptr);
        std::vector<std::string> names;
        while (sqlite3_step(st) == SQLITE_ROW) {
            names.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
            indexes.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(st, 1)));
        }
        sqlite3_finalize(st);
        for (const std::string &name : names) exec(h, "DROP INDEX \"" + name + "\"");
    }
    Luoghi comuni;
    comuni.tutti = leggiComuni(h);
    for (const Comune &c : comuni.tutti)
        if (c.provincia == "FC" || c.provincia == "RA" || c.provincia == "RN" || c.provincia == "BO") comuni.vicini.push_back(c);
    Rng r(0x5EED0000ull + std::uint64_t(anno));
    const Riferimenti ref = scriviTabelleDiBase(h, r, comuni);
    std::vector<std::string> clienti, fornitori;
    scriviClienti(h, r, n.clienti, comuni, ref, clienti);
    scriviFornitori(h, r, n.fornitori, comuni, ref, fornitori);
    scriviTariffe(h, r, n.tariffe, clienti, comuni, ref, anno);
    std::vector<Documento> documenti;
    scriviDocumenti(h, r, n, anno, clienti, fornitori, comuni, ref, documenti);
    scriviPrimaNota(h, r, n, anno, documenti, ref);
    for (const std::string &sql : indexes) exec(h, sql);
    exec(h, fmt("PRAGMA application_id = %d", stamp(anno)));
    exec(h, "COMMIT");
}

sqlite3 *openPlain(const QString &path)
{
    static const std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    sqlite3 *raw = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
        throw db::DbError(QStringLiteral("cannot open %1").arg(path));
    db::registerAccessFunctions(raw, &now);
    return raw;
}

QString dataFolder() { return QStringLiteral(PELLA_BENCH_DATA_DIR); }

QString database(double scala, double *seconds)
{
    if (seconds) *seconds = 0;
    const int anno = QDate::currentDate().year();
    QDir().mkpath(dataFolder());
    const QString path = QDir(dataFolder()).filePath(QStringLiteral("scala-%1.db").arg(scala));
    // Benchmarks run side by side wait for the one generating the file instead of replacing it
    // under the others' open connections. A lock left by a process that died is taken over.
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(0);
    if (!lock.lock()) throw db::DbError(QStringLiteral("bench data: cannot lock %1").arg(path));
    if (QFileInfo::exists(path)) {
        sqlite3 *h = nullptr;
        int id = 0;
        if (sqlite3_open_v2(path.toUtf8().constData(), &h, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            // Another benchmark may be committing a write: waiting keeps a busy file from being
            // taken for an old one and replaced under its connections.
            sqlite3_busy_timeout(h, 10000);
            sqlite3_stmt *st = nullptr;
            if (sqlite3_prepare_v2(h, "PRAGMA application_id", -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
                id = sqlite3_column_int(st, 0);
            sqlite3_finalize(st);
        }
        sqlite3_close(h);
        if (id == stamp(anno)) return path;
        QFile::remove(path);
    }
    // Written aside and renamed: an interrupted run leaves no half-made file under the name.
    const QString part = path + QStringLiteral(".part");
    QFile::remove(part);
    QElapsedTimer t;
    t.start();
    std::fprintf(stderr, "generating %s ...\n", qPrintable(path));
    generate(part, scala, anno);
    if (seconds) *seconds = t.nsecsElapsed() / 1e9;
    if (!QFile::rename(part, path)) throw db::DbError(QStringLiteral("bench data: cannot write %1").arg(path));
    return path;
}

double scalaArg(int argc, char **argv, double byDefault)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--scala") == 0) {
            const double x = std::atof(argv[i + 1]);
            if (x > 0) return x;
        }
    return byDefault;
}

int runsArg(int argc, char **argv, int byDefault)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--runs") == 0) return std::max(1, std::atoi(argv[i + 1]));
    return byDefault;
}

double median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

double memoryMb(const char *field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key)) return line.mid(key.size()).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

} // namespace bench
