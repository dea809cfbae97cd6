#include "Scanner.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <sane/sane.h>

#include <cstring>
#include <vector>

namespace scansione {

namespace {

// The lines SANE hands over, turned into a picture (grey or colour, 1, 8 or 16 bits).
QImage immagineDa(const SANE_Parameters &p, const std::vector<unsigned char> &dati)
{
    if (p.bytes_per_line <= 0 || p.pixels_per_line <= 0) return {};
    const int righe = p.lines > 0 ? p.lines : int(dati.size() / size_t(p.bytes_per_line));
    if (righe <= 0 || dati.size() < size_t(righe) * size_t(p.bytes_per_line)) return {};
    QImage img(p.pixels_per_line, righe, QImage::Format_RGB32);
    const bool colore = p.format == SANE_FRAME_RGB;
    if (!colore && p.format != SANE_FRAME_GRAY) return {};
    const int passo = p.depth == 16 ? 2 : 1;
    // A 16-bit sample comes in the machine's own byte order: its top 8 bits make the pixel.
    const auto campione = [passo](const unsigned char *c) -> int {
        if (passo == 1) return *c;
        quint16 v;
        std::memcpy(&v, c, sizeof v);
        return v >> 8;
    };
    for (int y = 0; y < righe; ++y) {
        const unsigned char *riga = dati.data() + size_t(y) * size_t(p.bytes_per_line);
        auto *out = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < p.pixels_per_line; ++x) {
            if (p.depth == 1) {
                // In SANE a set bit is black.
                const bool nero = riga[x / 8] & (0x80 >> (x % 8));
                const int v = nero ? 0 : 255;
                out[x] = qRgb(v, v, v);
            } else if (colore) {
                const unsigned char *px = riga + size_t(x) * 3 * passo;
                out[x] = qRgb(campione(px), campione(px + passo), campione(px + 2 * passo));
            } else {
                const int v = campione(riga + size_t(x) * passo);
                out[x] = qRgb(v, v, v);
            }
        }
    }
    return img;
}

class Sane : public Scanner {
public:
    bool CaricaGestore() override
    {
        SANE_Int versione = 0;
        if (sane_init(&versione, nullptr) != SANE_STATUS_GOOD) return false;
        m_pronto = true;
        return true;
    }

    QImage AcquisisciImmagine(QWidget *) override
    {
        if (!m_pronto && !CaricaGestore()) return {};
        QImage risultato;
        const SANE_Device **dispositivi = nullptr;
        if (sane_get_devices(&dispositivi, SANE_FALSE) == SANE_STATUS_GOOD && dispositivi && dispositivi[0]) {
            SANE_Handle h = nullptr;
            if (sane_open(dispositivi[0]->name, &h) == SANE_STATUS_GOOD) {
                QGuiApplication::setOverrideCursor(Qt::WaitCursor);
                risultato = leggi(h);
                QGuiApplication::restoreOverrideCursor();
                sane_close(h);
            }
        }
        // The library is let go after each scan, so a scanner plugged in later is found.
        sane_exit();
        m_pronto = false;
        return risultato;
    }

private:
    static QImage leggi(SANE_Handle h)
    {
        if (sane_start(h) != SANE_STATUS_GOOD) {
            sane_cancel(h);
            return {};
        }
        SANE_Parameters p{};
        if (sane_get_parameters(h, &p) != SANE_STATUS_GOOD) {
            sane_cancel(h);
            return {};
        }
        std::vector<unsigned char> dati;
        if (p.lines > 0 && p.bytes_per_line > 0) dati.reserve(size_t(p.lines) * size_t(p.bytes_per_line));
        unsigned char buffer[32768];
        SANE_Status stato = SANE_STATUS_GOOD;
        for (;;) {
            SANE_Int letti = 0;
            stato = sane_read(h, buffer, sizeof buffer, &letti);
            if (stato != SANE_STATUS_GOOD) break;
            dati.insert(dati.end(), buffer, buffer + letti);
        }
        sane_cancel(h);
        // Only a whole single-frame picture is taken; a cancelled or failed scan gives none.
        if (stato != SANE_STATUS_EOF || !p.last_frame) return {};
        return immagineDa(p, dati);
    }

    bool m_pronto = false;
};

Scanner *g_installato = nullptr;

} // namespace

Scanner &Scanner::instance()
{
    static Sane sane;
    return g_installato ? *g_installato : sane;
}

void Scanner::setInstance(Scanner *s) { g_installato = s; }

} // namespace scansione
