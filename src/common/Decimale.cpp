#include "Decimale.h"

#include "db/DbError.h"

#include <array>
#include <charconv>
#include <string>
#include <cmath>
#include <cstring>

namespace common {

namespace {

using i128 = __int128;

// 10^n for n from 0 to 38.
i128 potenza10(int n)
{
    static const auto tabella = [] {
        std::array<i128, 39> t{};
        t[0] = 1;
        for (size_t i = 1; i < t.size(); ++i) t[i] = t[i - 1] * 10;
        return t;
    }();
    return tabella[size_t(n)];
}

i128 valoreAssoluto(i128 v) { return v < 0 ? -v : v; }

// q = n / d rounded half away from zero (d != 0).
i128 divisioneArrotondata(i128 n, i128 d)
{
    i128 q = n / d;
    const i128 r = valoreAssoluto(n % d), ad = valoreAssoluto(d);
    if (r >= ad - r) q += ((n < 0) != (d < 0)) ? -1 : 1;
    return q;
}

[[noreturn]] void fuoriLimite()
{
    throw db::DbError(QStringLiteral("Importo fuori dai limiti del programma."));
}

// The digits of a magnitude, most significant first.
std::string cifre(i128 v)
{
    if (v == 0) return "0";
    std::string s;
    while (v > 0) {
        s.insert(s.begin(), char('0' + int(v % 10)));
        v /= 10;
    }
    return s;
}

} // namespace

Decimale Decimale::daScala(qint64 mantissa, int scala)
{
    Decimale d;
    d.m_m = mantissa;
    d.m_s = scala;
    if (scala > ScalaMassima) d.riduciScala(ScalaMassima);
    return d;
}

Decimale Decimale::daDouble(double valore)
{
    if (!std::isfinite(valore) || std::fabs(valore) >= 1e26) fuoriLimite();
    if (valore == 0) return {};
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, valore, std::chars_format::scientific);
    // d.ddddde±xx: the shortest digits that read back as the same double.
    const char *p = buf, *fine = r.ptr;
    const bool negativo = *p == '-';
    if (negativo) ++p;
    i128 m = 0;
    int decimali = 0;
    bool dopoPunto = false;
    for (; p < fine && *p != 'e'; ++p) {
        if (*p == '.') {
            dopoPunto = true;
            continue;
        }
        m = m * 10 + (*p - '0');
        if (dopoPunto) ++decimali;
    }
    int esponente = 0;
    if (p < fine) std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), fine, esponente);
    int scala = decimali - esponente;
    Decimale d;
    if (scala < 0) {
        d.m_m = m * potenza10(-scala);
        d.m_s = 0;
    } else if (scala > ScalaMassima + 17) {
        return {}; // far below the smallest decimal kept
    } else {
        d.m_m = m;
        d.m_s = scala;
        if (scala > ScalaMassima) d.riduciScala(ScalaMassima);
    }
    if (negativo) d.m_m = -d.m_m;
    return d;
}

Decimale Decimale::daVariant(const QVariant &valore)
{
    if (valore.isNull()) return {};
    switch (valore.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Bool: return Decimale(valore.toLongLong());
    case QMetaType::QString: {
        const QString t = valore.toString().trimmed();
        if (t.isEmpty()) return {};
        if (const auto d = daTesto(t)) return *d;
        bool ok = false;
        const double v = t.toDouble(&ok); // an engine's own text form, "1e-05"
        if (!ok) throw db::DbError(QStringLiteral("\"%1\" non è un numero.").arg(t));
        return daDouble(v);
    }
    default: {
        bool ok = false;
        const double v = valore.toDouble(&ok);
        if (!ok) throw db::DbError(QStringLiteral("\"%1\" non è un numero.").arg(valore.toString()));
        return daDouble(v);
    }
    }
}

std::optional<Decimale> Decimale::daTesto(QStringView testo)
{
    testo = testo.trimmed();
    qsizetype i = 0;
    bool negativo = false;
    if (i < testo.size() && (testo[i] == u'-' || testo[i] == u'+')) negativo = testo[i++] == u'-';
    i128 m = 0;
    int cifreLette = 0, cifreIntere = 0, decimali = 0;
    bool separatore = false, qualcheCifra = false;
    for (; i < testo.size(); ++i) {
        const QChar c = testo[i];
        if (c == u'.' || c == u',') {
            if (separatore) return std::nullopt;
            separatore = true;
            continue;
        }
        if (c < u'0' || c > u'9') return std::nullopt;
        qualcheCifra = true;
        if (m != 0 || c != u'0') {
            ++cifreLette;
            if (!separatore) ++cifreIntere;
        }
        if (cifreLette > 36) return std::nullopt; // beyond what 128 bits hold

        m = m * 10 + (c.unicode() - u'0');
        if (separatore) ++decimali;
    }
    if (!qualcheCifra || decimali > ScalaMassima || cifreIntere > 26) return std::nullopt;
    Decimale d;
    d.m_m = negativo ? -m : m;
    d.m_s = decimali;
    return d;
}

double Decimale::toDouble() const
{
    const std::string t = testoEsatto().toStdString();
    double v = 0;
    std::from_chars(t.data(), t.data() + t.size(), v);
    return v;
}

QString Decimale::testoEsatto() const
{
    std::string s = cifre(valoreAssoluto(m_m));
    if (m_s > 0) {
        if (int(s.size()) <= m_s) s.insert(0, size_t(m_s - int(s.size()) + 1), '0');
        s.insert(s.size() - size_t(m_s), 1, '.');
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    if (m_m < 0) s.insert(0, 1, '-');
    return QString::fromStdString(s);
}

QString Decimale::testo(int decimali) const
{
    const Decimale r = arrotonda(decimali);
    std::string s = cifre(valoreAssoluto(r.m_m) * potenza10(decimali - r.m_s));
    if (decimali > 0) {
        if (int(s.size()) <= decimali) s.insert(0, size_t(decimali - int(s.size()) + 1), '0');
        s.insert(s.size() - size_t(decimali), 1, '.');
    }
    if (r.m_m < 0) s.insert(0, 1, '-');
    return QString::fromStdString(s);
}

void Decimale::riduciScala(int scala)
{
    m_m = divisioneArrotondata(m_m, potenza10(m_s - scala));
    m_s = scala;
}

Decimale Decimale::arrotonda(int decimali) const
{
    Decimale d = *this;
    if (decimali < m_s) d.riduciScala(decimali);
    return d;
}

qint64 Decimale::centesimiInteri() const
{
    const Decimale c = centesimi();
    return qint64(c.m_m * potenza10(2 - c.m_s));
}

Decimale Decimale::abs() const { return segno() < 0 ? -*this : *this; }

Decimale Decimale::operator-() const
{
    Decimale d = *this;
    d.m_m = -d.m_m;
    return d;
}

Decimale &Decimale::operator+=(const Decimale &b)
{
    Decimale a = b;
    // Bring both to the larger scale; a sum that would not fit loses its smallest decimals.
    for (;;) {
        const int scala = std::max(m_s, a.m_s);
        i128 x, y, somma;
        if (!__builtin_mul_overflow(m_m, potenza10(scala - m_s), &x) && !__builtin_mul_overflow(a.m_m, potenza10(scala - a.m_s), &y)
            && !__builtin_add_overflow(x, y, &somma)) {
            m_m = somma;
            m_s = scala;
            return *this;
        }
        if (scala == 0) fuoriLimite();
        if (m_s == scala) riduciScala(scala - 1);
        if (a.m_s == scala) a.riduciScala(scala - 1);
    }
}

Decimale &Decimale::operator-=(const Decimale &b) { return *this += -b; }

Decimale &Decimale::operator*=(const Decimale &b)
{
    Decimale a = b;
    for (;;) {
        i128 p;
        if (!__builtin_mul_overflow(m_m, a.m_m, &p)) {
            m_m = p;
            m_s += a.m_s;
            if (m_s > ScalaMassima) riduciScala(ScalaMassima);
            return *this;
        }
        // Only products near 10^38 units get here: the factor with more decimals gives one up.
        if (m_s == 0 && a.m_s == 0) fuoriLimite();
        if (m_s >= a.m_s) riduciScala(m_s - 1);
        else a.riduciScala(a.m_s - 1);
    }
}

Decimale Decimale::percento(const Decimale &percento) const
{
    Decimale d = *this * percento;
    if (d.m_s + 2 <= ScalaMassima) d.m_s += 2;
    else d = dividi(d, Decimale(100), ScalaMassima);
    return d;
}

Decimale Decimale::dividi(const Decimale &a, const Decimale &b, int decimali)
{
    if (b.isZero()) return {};
    // a/b × 10^decimali = a.m × 10^(decimali + b.s - a.s) / b.m
    for (int n = decimali; n >= 0; --n) {
        const int e = n + b.m_s - a.m_s;
        i128 num = a.m_m, den = b.m_m;
        if (e >= 0 ? (e > 38 || __builtin_mul_overflow(num, potenza10(e), &num)) : (-e > 38 || __builtin_mul_overflow(den, potenza10(-e), &den)))
            continue; // too many decimals asked for this magnitude: fewer
        Decimale q;
        q.m_m = divisioneArrotondata(num, den);
        q.m_s = n;
        return q; // fewer decimals than asked only for magnitudes no amount reaches
    }
    fuoriLimite();
}

int Decimale::confronta(const Decimale &a, const Decimale &b)
{
    return (a - b).segno();
}

} // namespace common
