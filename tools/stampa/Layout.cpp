#include "Layout.h"

#include "common/Decimale.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextLayout>
#include <algorithm>
#include <functional>

namespace stampa {

namespace {

const QColor HeaderFill(222, 228, 236);
const QColor GroupFill(236, 240, 245);
const QColor StripeFill(246, 247, 249);
const QColor Grey(95, 95, 95);
const QColor RuleColor(150, 150, 150);

QFont makeFont(double points, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    // No ligatures: "ffi" must stay three letters for whoever searches or copies the PDF.
    f.setStyleStrategy(QFont::PreferNoShaping);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

const DataSet &sourceOf(const ReportData &d, Source s)
{
    return s == Source::Sub1 ? d.sub1 : s == Source::Sub2 ? d.sub2 : d.main;
}

QString sourceName(Source s)
{
    return s == Source::Sub1 ? QStringLiteral("la query del sottoreport 1")
         : s == Source::Sub2 ? QStringLiteral("la query del sottoreport 2")
                             : QStringLiteral("la query del report");
}

// Every field a template names must be in its query: a template and a query that disagree
// are reported before anything is printed, even when the query gives no rows.
class FieldCheck {
public:
    FieldCheck(const Template &t, const ReportData &d) : m_t(t), m_d(d)
    {
        for (const QString &c : d.main.columns) m_main << c.toLower();
    }

    void run()
    {
        for (const Calc &c : m_t.calcs) {
            for (const QString &n : c.expression.names())
                if (!m_main.contains(n.toLower()) && n.compare(QStringLiteral("Parametro"), Qt::CaseInsensitive) != 0)
                    missing(n, Source::Main);
            m_main << c.name.toLower();
        }
        text(m_t.title, Source::Main);
        for (const QString &f : m_t.sortBy) name(f, Source::Main);
        text(m_t.documentBy, Source::Main);
        Source parent = Source::Main;
        for (const Block &b : m_t.blocks) {
            const Source s = (b.kind == Block::Table || b.kind == Block::Detail) ? b.source : Source::Main;
            if (s != Source::Main && !sourceOf(m_d, s).present)
                throw ReportError(QStringLiteral("Il modello %1 stampa %2, ma la richiesta di stampa non la contiene.")
                                      .arg(m_t.fileName, sourceName(s)));
            text(b.caption, s);
            for (const Entry &e : b.entries) text(e.text, s);
            for (const Column &c : b.columns) text(c.value, s);
            text(b.groupBy, s);
            text(b.groupHeader, s);
            for (const QString &f : b.totals) name(f, s);
            name(b.onlyIf, s);
            name(b.skipIf, s);
            name(b.linkParent, parent);
            name(b.linkChild, s);
            if (b.kind == Block::Table) parent = s;
        }
    }

private:
    void text(const TextTemplate &t, Source s)
    {
        for (const QString &f : t.fields()) name(f, s);
    }
    void name(const QString &f, Source s)
    {
        if (f.isEmpty()) return;
        if (f.startsWith(QStringLiteral("ditta."), Qt::CaseInsensitive)) {
            if (!m_d.company.contains(f.mid(6).toLower()))
                throw ReportError(QStringLiteral("Il modello %1 usa il campo \"%2\", che la tabella ditta non contiene.")
                                      .arg(m_t.fileName, f));
            return;
        }
        const bool known = s == Source::Main ? m_main.contains(f.toLower()) : sourceOf(m_d, s).indexOf(f) >= 0;
        if (!known && f.compare(QStringLiteral("Parametro"), Qt::CaseInsensitive) != 0) missing(f, s);
    }
    [[noreturn]] void missing(const QString &f, Source s)
    {
        throw ReportError(
            QStringLiteral("Il modello %1 usa il campo \"%2\", che %3 non contiene.").arg(m_t.fileName, f, sourceName(s)));
    }

    const Template &m_t;
    const ReportData &m_d;
    QStringList m_main;
};

// Breaks a text into lines at word boundaries, or inside a word too long for the width
// (e-mail addresses, IBANs), the same way when measuring and when painting.
double layText(QTextLayout &layout, double width, Qt::Alignment align)
{
    QTextOption option(align);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    double y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return y;
}

QString forLayout(QString text)
{
    return text.replace(u'\n', QChar::LineSeparator);
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    bool okA = false, okB = false;
    const double x = a.toDouble(&okA), y = b.toDouble(&okB);
    if (okA && okB) return x == y;
    return a.toString().compare(b.toString(), Qt::CaseInsensitive) == 0;
}

// Nulls first, numbers by value, texts (and stored dates) ignoring case.
bool lessThan(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull()) return a.isNull() && !b.isNull();
    bool okA = false, okB = false;
    const double x = a.toDouble(&okA), y = b.toDouble(&okB);
    if (okA && okB) return x < y;
    return a.toString().compare(b.toString(), Qt::CaseInsensitive) < 0;
}

// The main rows in the template's order ("ordina"), split into documents ("documento per"),
// each with the template's calculations added as columns.
std::vector<DataSet> documents(const Template &t, const ReportData &d)
{
    std::vector<int> order(d.main.rows.size());
    for (size_t r = 0; r < order.size(); ++r) order[r] = int(r);
    std::vector<int> keys;
    for (const QString &f : t.sortBy) keys.push_back(d.main.indexOf(f));
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
        for (int k : keys) {
            const QVariant &a = d.main.rows[size_t(x)][size_t(k)], &b = d.main.rows[size_t(y)][size_t(k)];
            if (lessThan(a, b)) return true;
            if (lessThan(b, a)) return false;
        }
        return false;
    });

    auto emptyLike = [&] {
        DataSet s;
        s.present = true;
        for (int c = 0; c < d.main.columns.size(); ++c) s.addColumn(d.main.columns[c], d.main.types[size_t(c)]);
        return s;
    };
    std::vector<DataSet> docs;
    QString last;
    for (int r : order) {
        const QString key = t.documentBy.isEmpty() ? QString() : expand(t.documentBy, Scope{&d.main, r, &d.company, d.parametro});
        if (docs.empty() || key != last) docs.push_back(emptyLike());
        last = key;
        docs.back().rows.push_back(d.main.rows[size_t(r)]);
    }
    if (docs.empty()) docs.push_back(emptyLike());

    for (DataSet &doc : docs) {
        for (const Calc &calc : t.calcs) {
            Expression::Context ctx;
            ctx.rows = int(doc.rows.size());
            ctx.value = [&](const QString &name, int row) {
                const int c = doc.indexOf(name);
                if (c >= 0) return row >= 0 && row < ctx.rows ? toNumber(doc.rows[size_t(row)][size_t(c)]) : 0.0;
                return toNumber(d.parametro);
            };
            std::vector<double> values;
            for (int r = 0; r < ctx.rows; ++r) values.push_back(calc.expression.evaluate(ctx, r));
            doc.addColumn(calc.name, db::FieldType::Float);
            for (int r = 0; r < ctx.rows; ++r) doc.rows[size_t(r)].push_back(values[size_t(r)]);
        }
    }
    return docs;
}

class Layouter {
public:
    Layouter(const Template &t, const ReportData &d, QPagedPaintDevice *dev) : m_t(t), m_d(d), m_dev(dev)
    {
        m_dpi = dev->logicalDpiY();
        const QRectF paint = dev->pageLayout().paintRectPixels(m_dpi);
        m_width = paint.width();
        m_pageHeight = paint.height();
        m_bottom = t.isLabels() ? m_pageHeight : m_pageHeight - mm(7);
    }

    std::vector<Page> run()
    {
        for (const DataSet &doc : documents(m_t, m_d)) {
            const int first = int(m_pages.size());
            newPage();
            m_doc = &doc;
            if (m_t.isLabels()) {
                labels(m_t.blocks.front(), doc);
                continue;
            }
            if (m_d.header) companyHeader();
            const QString title = expand(m_t.title, scope(doc, 0));
            if (!title.isEmpty()) {
                const QFont f = makeFont(14, true);
                const double h = textHeight(title, f, m_width);
                text(QRectF(0, m_y, m_width, h), title, f, Qt::AlignLeft);
                m_y += h + mm(3);
            }
            blocks(doc);
            footers(first, title.isEmpty() ? m_t.fileName.section(u'.', 0, 0) : title);
        }
        return m_pages;
    }

private:
    struct Geometry {
        std::vector<double> x, w;
        std::vector<int> align;
    };

    double mm(double v) const { return v * m_dpi / 25.4; }
    Scope scope(const DataSet &set, int row) const { return Scope{&set, row, &m_d.company, m_d.parametro}; }

    double textHeight(const QString &s, const QFont &f, double width) const
    {
        const double one = QFontMetricsF(f, m_dev).height();
        if (s.isEmpty()) return one;
        QTextLayout layout(forLayout(s), f, m_dev);
        return std::max(one, layText(layout, width, Qt::AlignLeft));
    }
    double textWidth(const QString &s, const QFont &f) const { return QFontMetricsF(f, m_dev).horizontalAdvance(s); }

    void text(const QRectF &r, const QString &s, const QFont &f, int align, const QColor &color = Qt::black)
    {
        if (s.isEmpty()) return;
        PageItem i;
        i.kind = PageItem::Text;
        i.rect = r;
        i.text = s;
        i.font = f;
        i.align = align;
        i.color = color;
        m_pages[m_target].items.push_back(i);
    }
    void line(const QPointF &a, const QPointF &b, double penMm, const QColor &color = RuleColor)
    {
        PageItem i;
        i.kind = PageItem::Line;
        i.rect = QRectF(a, b);
        i.pen = mm(penMm);
        i.color = color;
        m_pages[m_target].items.push_back(i);
    }
    void rect(const QRectF &r, const QColor &fill, double penMm = 0, const QColor &border = RuleColor)
    {
        PageItem i;
        i.kind = PageItem::Rect;
        i.rect = r;
        i.fill = fill;
        i.pen = mm(penMm);
        i.color = border;
        m_pages[m_target].items.push_back(i);
    }

    void newPage()
    {
        m_pages.emplace_back();
        m_target = m_pages.size() - 1;
        m_y = 0;
    }
    // Starts a new page when `h` does not fit, repeating the header of the table being printed.
    void ensure(double h)
    {
        if (m_y + h <= m_bottom || m_y == 0) return;
        newPage();
        if (m_repeat) m_repeat();
    }

    void companyHeader()
    {
        QImage logo;
        logo.loadFromData(m_d.company.value(QStringLiteral("logo")).toByteArray());
        double textX = 0, h = 0;
        if (!logo.isNull()) {
            QSizeF size(logo.width(), logo.height());
            size.scale(mm(55), mm(22), Qt::KeepAspectRatio);
            PageItem i;
            i.kind = PageItem::Image;
            i.rect = QRectF(QPointF(0, m_y), size);
            i.image = logo;
            m_pages[m_target].items.push_back(i);
            textX = size.width() + mm(5);
            h = size.height();
        }
        // The name, then the address and contacts, leaving out what is not filled in.
        static const char *lines[] = {
            "{ditta.RagSoc}",
            "[[{ditta.Via}]][[ {ditta.Numero}]]",
            "[[{ditta.Cap} ]][[{ditta.Comune}]][[ ({ditta.Provincia})]]",
            "[[P.IVA {ditta.PIva}   ]][[C.F. {ditta.CodFisc}]]",
            "[[Tel. {ditta.Tel}   ]][[Fax {ditta.Fax}   ]][[{ditta.Email}]]",
        };
        const Scope s = scope(*m_doc, 0);
        const double w = m_width - textX;
        double ty = m_y;
        for (const char *l : lines) {
            const bool name = l == lines[0];
            const QString value = expand(TextTemplate::parse(QString::fromLatin1(l), nullptr), s).trimmed();
            if (value.isEmpty()) continue;
            const QFont f = name ? makeFont(12, true) : makeFont(8);
            const double lh = textHeight(value, f, w);
            text(QRectF(textX, ty, w, lh), value, f, Qt::AlignLeft, name ? QColor(Qt::black) : Grey);
            ty += lh;
        }
        h = std::max(h, ty - m_y);
        if (h == 0) return; // no company data yet: nothing to rule off
        m_y += h + mm(2);
        line(QPointF(0, m_y), QPointF(m_width, m_y), 0.3);
        m_y += mm(3);
    }

    void blocks(const DataSet &doc)
    {
        const auto &bs = m_t.blocks;
        for (size_t i = 0; i < bs.size();) {
            if (bs[i].kind == Block::Box) {
                std::vector<const Block *> row;
                double used = 0;
                while (i < bs.size() && bs[i].kind == Block::Box) {
                    if (!row.empty() && used + bs[i].widthPercent > 100.01) {
                        boxRow(row, doc);
                        row.clear();
                        used = 0;
                    }
                    row.push_back(&bs[i]);
                    used += bs[i].widthPercent;
                    ++i;
                }
                boxRow(row, doc);
            } else if (bs[i].kind == Block::Table) {
                const Block &tb = bs[i++];
                std::vector<const Block *> details;
                while (i < bs.size() && bs[i].kind == Block::Detail) details.push_back(&bs[i++]);
                const DataSet &set = tb.source == Source::Main ? doc : sourceOf(m_d, tb.source);
                std::vector<int> rows(set.rows.size());
                for (size_t r = 0; r < rows.size(); ++r) rows[r] = int(r);
                table(tb, details, set, rows, 0);
            } else {
                ++i;
            }
        }
    }

    // ---- boxes ----

    // Measures the box's content, and draws it when `draw`; 0 when nothing in it has a value.
    double boxContent(const Block &b, const DataSet &doc, const QRectF &area, bool draw)
    {
        const double pad = b.border ? mm(2) : 0;
        const double x = area.x() + pad, w = area.width() - 2 * pad;
        double y = area.y() + pad;
        const Scope s = scope(doc, 0);
        bool any = false;
        const QFont body = makeFont(8.5);
        const QFont labelFont = makeFont(7.5);

        const QString caption = expand(b.caption, s);
        if (!caption.isEmpty()) {
            const QFont f = makeFont(7, true);
            const double h = textHeight(caption, f, w);
            if (draw) text(QRectF(x, y, w, h), caption.toUpper(), f, Qt::AlignLeft, Grey);
            y += h + mm(0.8);
        }
        std::vector<std::pair<QString, QString>> grid;
        auto flushGrid = [&] {
            const int cols = b.gridColumns;
            const double cellW = w / cols, gap = mm(3);
            for (size_t i = 0; i < grid.size(); i += size_t(cols)) {
                double rowH = 0;
                for (size_t j = i; j < std::min(grid.size(), i + size_t(cols)); ++j) {
                    const double labelW = std::min(textWidth(grid[j].first, labelFont) + mm(2), cellW * 0.5);
                    const double valueW = cellW - labelW - (cols > 1 ? gap : 0);
                    const double h = std::max(textHeight(grid[j].first, labelFont, labelW), textHeight(grid[j].second, body, valueW));
                    rowH = std::max(rowH, h);
                    if (!draw) continue;
                    // One column lines the values up on the right (amounts); several read
                    // as "label value" side by side.
                    const double cx = x + double(j - i) * cellW;
                    const double baseline = QFontMetricsF(body, m_dev).ascent() - QFontMetricsF(labelFont, m_dev).ascent();
                    text(QRectF(cx, y + baseline, labelW, h), grid[j].first, labelFont, Qt::AlignLeft, Grey);
                    text(QRectF(cx + labelW, y, valueW, h), grid[j].second, body, cols > 1 ? Qt::AlignLeft : Qt::AlignRight);
                }
                y += rowH + mm(0.4);
            }
            grid.clear();
        };
        for (const Entry &e : b.entries) {
            const QString value = expand(e.text, s);
            if (value.trimmed().isEmpty()) continue;
            if (e.kind == Entry::Bold && any) y += mm(1.5); // a bold line heads what follows
            any = true;
            if (e.kind == Entry::Field) {
                grid.emplace_back(e.label, value.trimmed());
                continue;
            }
            flushGrid();
            if (e.kind == Entry::Total) {
                const QFont f = makeFont(10, true);
                const double lw = textWidth(e.label, f) + mm(3);
                const double h = textHeight(value, f, w - lw) + mm(1);
                if (draw) {
                    line(QPointF(x, y), QPointF(x + w, y), 0.2);
                    text(QRectF(x, y + mm(0.8), lw, h), e.label, f, Qt::AlignLeft);
                    text(QRectF(x + lw, y + mm(0.8), w - lw, h), value, f, Qt::AlignRight);
                }
                y += h + mm(0.8);
                continue;
            }
            const QFont f = e.kind == Entry::Large ? makeFont(11, true) : makeFont(8.5, e.kind == Entry::Bold);
            const double h = textHeight(value, f, w);
            if (draw) text(QRectF(x, y, w, h), value, f, Qt::AlignLeft);
            y += h;
        }
        flushGrid();
        return any ? y - area.y() + pad : 0;
    }

    void boxRow(const std::vector<const Block *> &row, const DataSet &doc)
    {
        const double gap = mm(3);
        std::vector<QRectF> areas;
        double x = 0, height = 0;
        for (size_t i = 0; i < row.size(); ++i) {
            const bool last = i + 1 == row.size();
            const double w = m_width * row[i]->widthPercent / 100.0 - (last ? 0 : gap);
            const double bx = last && row[i]->alignRight ? m_width - w : x;
            areas.emplace_back(bx, 0, w, 0);
            height = std::max(height, boxContent(*row[i], doc, areas.back(), false));
            x += w + gap;
        }
        if (height == 0) return;
        ensure(height);
        for (size_t i = 0; i < row.size(); ++i) {
            QRectF a(areas[i].x(), m_y, areas[i].width(), height);
            if (boxContent(*row[i], doc, a, false) == 0) continue;
            if (row[i]->border) rect(a, QColor(), 0.25);
            boxContent(*row[i], doc, a, true);
        }
        m_y += height + mm(3);
    }

    // ---- tables ----

    Geometry geometry(const Block &b, double indent) const
    {
        Geometry g;
        const double available = m_width - indent;
        double total = 0;
        for (const Column &c : b.columns) total += c.width;
        // A heading breaks only between its words, and a date never breaks: such a column
        // takes the room it lacks from the others' spare room.
        const double pad = 2 * mm(1);
        const QFont heading = headerFont();
        const double dateWidth = textWidth(QStringLiteral("00/00/0000"), makeFont(8)) + mm(2.5);
        std::vector<double> least;
        for (const Column &c : b.columns) {
            g.w.push_back(available * c.width / total);
            g.align.push_back(c.format.numeric() ? Qt::AlignRight : Qt::AlignLeft);
            double word = 0;
            for (const QString &w : c.caption.split(u' ', Qt::SkipEmptyParts)) word = std::max(word, textWidth(w, heading));
            least.push_back(std::max(word + pad + mm(0.3), c.format.kind == Format::Date ? dateWidth : 0.0));
        }
        double missing = 0, spare = 0;
        for (size_t i = 0; i < g.w.size(); ++i) {
            missing += std::max(0.0, least[i] - g.w[i]);
            spare += std::max(0.0, g.w[i] - least[i]);
        }
        if (missing > 0) {
            const double share = std::min(1.0, missing / spare);
            for (size_t i = 0; i < g.w.size(); ++i)
                g.w[i] = g.w[i] < least[i] ? least[i] : g.w[i] - share * (g.w[i] - least[i]);
            // Columns too many for the page: they shrink alike, and their headings break.
            double used = 0;
            for (double w : g.w) used += w;
            if (used > available)
                for (double &w : g.w) w *= available / used;
        }
        double x = indent;
        for (double w : g.w) {
            g.x.push_back(x);
            x += w;
        }
        return g;
    }

    // One line of a table: cells[i] goes in column i. With `span` the first cell also takes
    // the empty cells after it (the label of a total line, a group's heading).
    void tableRow(const Geometry &g, const QStringList &cells, const QFont &f, const QColor &fill, bool ruleAbove,
                  bool span = false)
    {
        const double padX = mm(1), padY = mm(0.6);
        std::vector<double> widths = g.w;
        for (size_t j = 1; span && j < widths.size() && cells[int(j)].isEmpty(); ++j) widths[0] += g.w[j];
        double h = 0;
        for (size_t i = 0; i < widths.size(); ++i)
            h = std::max(h, textHeight(cells[int(i)], f, widths[i] - 2 * padX));
        h += 2 * padY;
        ensure(h);
        const double left = g.x.front(), right = g.x.back() + g.w.back();
        if (fill.isValid()) rect(QRectF(left, m_y, right - left, h), fill);
        if (ruleAbove) line(QPointF(left, m_y), QPointF(right, m_y), 0.25);
        for (size_t i = 0; i < widths.size(); ++i)
            text(QRectF(g.x[i] + padX, m_y + padY, widths[i] - 2 * padX, h - 2 * padY), cells[int(i)], f,
                 g.align[i]);
        m_y += h;
    }

    static QFont headerFont() { return makeFont(7.5, true); }

    void tableHeader(const Block &b, const Geometry &g)
    {
        QStringList captions;
        for (const Column &c : b.columns) captions << c.caption;
        tableRow(g, captions, headerFont(), HeaderFill, false);
    }

    bool rowVisible(const Block &b, const DataSet &set, int r) const
    {
        auto isSet = [&](const QString &field) {
            const int c = set.indexOf(field);
            return c >= 0 && !isBlank(set.rows[size_t(r)][size_t(c)], set.types[size_t(c)]);
        };
        if (!b.onlyIf.isEmpty() && !isSet(b.onlyIf)) return false;
        if (!b.skipIf.isEmpty() && isSet(b.skipIf)) return false;
        return true;
    }

    std::vector<int> detailRows(const Block &detail, const DataSet &parent, int parentRow) const
    {
        std::vector<int> out;
        const DataSet &child = sourceOf(m_d, detail.source);
        const int pc = parent.indexOf(detail.linkParent), cc = child.indexOf(detail.linkChild);
        const QVariant key = parent.rows[size_t(parentRow)][size_t(pc)];
        for (int r = 0; r < int(child.rows.size()); ++r)
            if (!key.isNull() && sameValue(key, child.rows[size_t(r)][size_t(cc)])) out.push_back(r);
        return out;
    }

    QStringList totalCells(const Block &b, const std::vector<double> &sums, const QString &label) const
    {
        QStringList cells;
        for (const Column &c : b.columns) {
            QString cell;
            for (int t = 0; t < b.totals.size(); ++t)
                if (b.totals[t].compare(c.value.bareField(), Qt::CaseInsensitive) == 0)
                    cell = formatValue(sums[size_t(t)], db::FieldType::Float, c.format);
            cells << cell;
        }
        if (!label.isEmpty() && cells.front().isEmpty()) cells.front() = label;
        return cells;
    }

    void table(const Block &b, const std::vector<const Block *> &details, const DataSet &set, const std::vector<int> &rows,
               double indent)
    {
        struct Group {
            QString key;
            std::vector<int> all, visible;
            std::vector<std::vector<int>> details; // rows of each detail, when the table is grouped
        };
        const bool grouped = !b.groupBy.isEmpty();
        std::vector<Group> groups;
        for (int r : rows) {
            const QString key = grouped ? expand(b.groupBy, scope(set, r)) : QString();
            // A summary prints one line per key however its rows are ordered (an invoice's rows
            // of one VAT rate need not follow each other); a listing groups runs of its order.
            auto grp = groups.end();
            if (grouped && b.summary)
                grp = std::find_if(groups.begin(), groups.end(), [&key](const Group &g) { return g.key == key; });
            else if (!groups.empty() && key == groups.back().key)
                grp = groups.end() - 1;
            if (grp == groups.end()) grp = groups.insert(groups.end(), Group{key, {}, {}, {}});
            grp->all.push_back(r);
            if (rowVisible(b, set, r)) grp->visible.push_back(r);
        }
        bool anything = false;
        for (Group &g : groups) {
            if (grouped)
                for (const Block *d : details) g.details.push_back(detailRows(*d, set, g.all.front()));
            for (const auto &dr : g.details) anything = anything || !dr.empty();
            anything = anything || !g.visible.empty();
        }
        const bool mainTable = b.kind == Block::Table && b.source == Source::Main;
        if (!anything && !mainTable) return; // an empty sub-report leaves no trace

        const Geometry g = geometry(b, indent);
        const QFont body = makeFont(8), bold = makeFont(8, true);
        const QString caption = expand(b.caption, scope(set, rows.empty() ? -1 : rows.front()));
        const double lineH = textHeight(QStringLiteral("X"), body, m_width);
        if (!caption.isEmpty()) {
            const QFont f = makeFont(9.5, true);
            const double h = textHeight(caption, f, m_width - indent);
            ensure(h + lineH * 4);
            text(QRectF(indent, m_y, m_width - indent, h), caption, f, Qt::AlignLeft);
            m_y += h + mm(1);
        }
        const auto outerRepeat = m_repeat;
        ensure(lineH * 4);
        tableHeader(b, g);
        m_repeat = [&] { tableHeader(b, g); };
        if (!anything) {
            tableRow(g, QStringList(QStringLiteral("Nessun dato da stampare.")) + QStringList(int(g.w.size()) - 1, QString()),
                     body, QColor(), false, true);
        }

        std::vector<common::Decimale> grand(size_t(b.totals.size()));
        int printed = 0;
        for (const Group &grp : groups) {
            bool hasDetail = false;
            for (const auto &dr : grp.details) hasDetail = hasDetail || !dr.empty();
            if (grp.visible.empty() && !hasDetail) continue;
            ++printed;
            // Summed in exact decimal: a summary's VAT is its rows' exact VAT, rounded once.
            std::vector<common::Decimale> esatte(size_t(b.totals.size()));
            for (int r : grp.visible)
                for (int t = 0; t < b.totals.size(); ++t) {
                    const double v = toNumber(set.rows[size_t(r)][size_t(set.indexOf(b.totals[t]))]);
                    if (std::isfinite(v) && std::fabs(v) < 1e26) esatte[size_t(t)] += common::Decimale::daDouble(v);
                }
            std::vector<double> sums(esatte.size());
            for (size_t t = 0; t < sums.size(); ++t) {
                sums[t] = esatte[t].toDouble();
                grand[t] += esatte[t];
            }

            auto cellsOf = [&](int r) {
                QStringList cells;
                for (const Column &c : b.columns) cells << expand(c.value, scope(set, r), c.format).trimmed();
                return cells;
            };
            if (b.summary) {
                QStringList cells = cellsOf(grp.visible.empty() ? grp.all.front() : grp.visible.front());
                const QStringList sumCells = totalCells(b, sums, QString());
                for (int i = 0; i < cells.size(); ++i)
                    if (!sumCells[i].isEmpty()) cells[i] = sumCells[i];
                tableRow(g, cells, body, QColor(), false);
                continue;
            }
            const QString header = grouped ? expand(b.groupHeader.isEmpty() ? b.groupBy : b.groupHeader, scope(set, grp.all.front()))
                                           : QString();
            if (!header.isEmpty()) {
                ensure(lineH * 3);
                tableRow(g, QStringList(header) + QStringList(int(g.w.size()) - 1, QString()), bold, GroupFill, false, true);
            }
            int stripe = 0;
            for (int r : grp.visible) {
                tableRow(g, cellsOf(r), body, (stripe++ % 2) ? StripeFill : QColor(), false);
                if (grouped) continue;
                for (const Block *d : details) {
                    const std::vector<int> dr = detailRows(*d, set, r);
                    if (!dr.empty()) nested(*d, dr, indent);
                }
            }
            if (grouped && !b.totals.isEmpty() && !grp.visible.empty())
                tableRow(g, totalCells(b, sums, QStringLiteral("Totale ") + header), bold, QColor(), true, true);
            for (size_t d = 0; d < grp.details.size(); ++d)
                if (!grp.details[d].empty()) nested(*details[d], grp.details[d], indent);
        }
        // One group's total is already the grand total.
        if (!b.totals.isEmpty() && !b.summary && anything && (!grouped || printed > 1)) {
            m_y += mm(0.5);
            std::vector<double> totali;
            for (const common::Decimale &t : grand) totali.push_back(t.toDouble());
            tableRow(g, totalCells(b, totali, grouped ? QStringLiteral("Totale generale") : QStringLiteral("Totale")), bold,
                     HeaderFill, true, true);
        }
        m_repeat = outerRepeat;
        m_y += mm(4);
    }

    // A detail table under a row or group; the parent's header comes back after it.
    void nested(const Block &d, const std::vector<int> &rows, double indent)
    {
        m_y += mm(1);
        table(d, {}, sourceOf(m_d, d.source), rows, indent + mm(8));
        m_y -= mm(2);
    }

    // ---- labels ----

    void labels(const Block &b, const DataSet &doc)
    {
        const double cellW = m_width / b.labelsAcross, cellH = m_pageHeight / b.labelsDown, pad = mm(5);
        const int perPage = b.labelsAcross * b.labelsDown;
        for (int r = 0; r < int(doc.rows.size()); ++r) {
            if (r > 0 && r % perPage == 0) newPage();
            const int slot = r % perPage;
            double x = (slot % b.labelsAcross) * cellW + pad, y = (slot / b.labelsAcross) * cellH + pad;
            const double w = cellW - 2 * pad;
            for (const Entry &e : b.entries) {
                const QString value = expand(e.text, scope(doc, r)).trimmed();
                if (value.isEmpty()) continue;
                const QFont f = e.kind == Entry::Large ? makeFont(11, true) : makeFont(9, e.kind == Entry::Bold);
                const double h = textHeight(value, f, w);
                if (y + h > (slot / b.labelsAcross + 1) * cellH - pad / 2) break; // what does not fit stays off the label
                text(QRectF(x, y, w, h), value, f, Qt::AlignLeft);
                y += h;
            }
        }
    }

    void footers(int firstPage, const QString &title)
    {
        const QFont f = makeFont(7);
        const int count = int(m_pages.size()) - firstPage;
        const double y = m_pageHeight - mm(5);
        const QString left = title + QStringLiteral(" - stampato il ") + m_d.printDate.toString(QStringLiteral("dd/MM/yyyy"));
        for (int i = 0; i < count; ++i) {
            m_target = size_t(firstPage + i);
            line(QPointF(0, y), QPointF(m_width, y), 0.2);
            text(QRectF(0, y + mm(0.8), m_width * 0.75, mm(4)), left, f, Qt::AlignLeft, Grey);
            text(QRectF(m_width * 0.75, y + mm(0.8), m_width * 0.25, mm(4)),
                 QStringLiteral("Pagina %1 di %2").arg(i + 1).arg(count), f, Qt::AlignRight, Grey);
        }
        m_target = m_pages.size() - 1;
    }

    const Template &m_t;
    const ReportData &m_d;
    QPagedPaintDevice *m_dev;
    const DataSet *m_doc = nullptr;
    double m_dpi = 72;
    double m_width = 0;
    double m_pageHeight = 0;
    double m_bottom = 0;
    double m_y = 0;
    std::vector<Page> m_pages;
    size_t m_target = 0; // the page the drawing helpers add to
    std::function<void()> m_repeat;
};

} // namespace

void setupDevice(QPagedPaintDevice *device, const Template &t)
{
    // Label sheets are cut to the edge; other reports keep a printable margin.
    const QMarginsF margins = t.isLabels() ? QMarginsF(0, 0, 0, 0) : QMarginsF(14, 12, 14, 8);
    const QPageLayout layout(QPageSize(QPageSize::A4), t.orientation, margins, QPageLayout::Millimeter);
    if (!device->setPageLayout(layout)) {
        device->setPageSize(QPageSize(QPageSize::A4));
        device->setPageOrientation(t.orientation);
    }
}

void checkFields(const Template &t, const ReportData &data)
{
    FieldCheck(t, data).run();
}

std::vector<Page> layoutReport(const Template &t, const ReportData &data, QPagedPaintDevice *device)
{
    checkFields(t, data);
    return Layouter(t, data, device).run();
}

void paintPages(const std::vector<Page> &pages, QPagedPaintDevice *device)
{
    QPainter p;
    if (!p.begin(device)) throw ReportError(QStringLiteral("Impossibile avviare la stampa sul dispositivo scelto."));
    p.setRenderHint(QPainter::Antialiasing);
    for (size_t n = 0; n < pages.size(); ++n) {
        if (n > 0) device->newPage();
        for (const PageItem &i : pages[n].items) {
            switch (i.kind) {
            case PageItem::Text: {
                QTextLayout layout(forLayout(i.text), i.font, device);
                layText(layout, i.rect.width(), Qt::Alignment(i.align));
                p.setPen(i.color);
                layout.draw(&p, i.rect.topLeft());
                break;
            }
            case PageItem::Line:
                p.setPen(QPen(i.color, i.pen));
                p.drawLine(i.rect.topLeft(), i.rect.bottomRight());
                break;
            case PageItem::Rect:
                p.setPen(i.pen > 0 ? QPen(i.color, i.pen) : QPen(Qt::NoPen));
                p.setBrush(i.fill.isValid() ? QBrush(i.fill) : QBrush(Qt::NoBrush));
                p.drawRect(i.rect);
                break;
            case PageItem::Image: p.drawImage(i.rect, i.image); break;
            }
        }
    }
    p.end();
}

QString reportTitle(const Template &t, const ReportData &data)
{
    const QString title = expand(t.title, Scope{&data.main, data.main.rows.empty() ? -1 : 0, &data.company, data.parametro});
    return title.isEmpty() ? t.fileName.section(u'.', 0, 0) : title;
}

bool writePdf(const Template &t, const ReportData &data, const QString &path, QString *error)
{
    try {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            *error = QStringLiteral("Impossibile scrivere il file %1: %2").arg(path, file.errorString());
            return false;
        }
        {
            QPdfWriter pdf(&file);
            pdf.setCreator(QStringLiteral("Pellavantoria"));
            pdf.setTitle(reportTitle(t, data));
            setupDevice(&pdf, t);
            paintPages(layoutReport(t, data, &pdf), &pdf);
        }
        if (!file.commit()) {
            *error = QStringLiteral("Impossibile scrivere il file %1: %2").arg(path, file.errorString());
            return false;
        }
        return true;
    } catch (const ReportError &e) {
        *error = e.message();
        return false;
    }
}

} // namespace stampa
