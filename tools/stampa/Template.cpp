#include "Template.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace stampa {

namespace {

bool isFieldName(const QString &s)
{
    static const QRegularExpression re(QStringLiteral("^(ditta\\.)?[A-Za-z_À-ÿ][A-Za-z0-9_À-ÿ]*$"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re.match(s).hasMatch();
}

// Reads parts until `end` ("]]" inside an optional part, nothing at the top).
void parseParts(const QString &text, int &pos, std::vector<TextTemplate::Part> &out, bool inOptional, QString *error)
{
    QString literal;
    auto flush = [&] {
        if (literal.isEmpty()) return;
        TextTemplate::Part p;
        p.text = literal;
        out.push_back(p);
        literal.clear();
    };
    while (pos < text.size()) {
        if (text.mid(pos, 2) == u"[[") {
            flush();
            pos += 2;
            TextTemplate::Part p;
            p.kind = TextTemplate::Part::Optional;
            parseParts(text, pos, p.parts, true, error);
            out.push_back(p);
            continue;
        }
        if (text.mid(pos, 2) == u"]]") {
            if (!inOptional) {
                *error = QStringLiteral("']]' senza '[[' in \"%1\"").arg(text);
                return;
            }
            flush();
            pos += 2;
            return;
        }
        if (text.mid(pos, 2) == u"\\n") {
            literal += u'\n';
            pos += 2;
            continue;
        }
        if (text.at(pos) == u'{') {
            const int close = text.indexOf(u'}', pos);
            if (close < 0) {
                *error = QStringLiteral("manca '}' in \"%1\"").arg(text);
                return;
            }
            flush();
            const QString inside = text.mid(pos + 1, close - pos - 1).trimmed();
            const int colon = inside.indexOf(u':');
            TextTemplate::Part p;
            p.kind = TextTemplate::Part::Field;
            p.text = (colon < 0 ? inside : inside.left(colon)).trimmed();
            if (!isFieldName(p.text)) {
                *error = QStringLiteral("nome di campo non valido \"{%1}\"").arg(inside);
                return;
            }
            if (colon >= 0 && !parseFormat(inside.mid(colon + 1).trimmed(), &p.format)) {
                *error = QStringLiteral("formato sconosciuto \"%1\"").arg(inside.mid(colon + 1).trimmed());
                return;
            }
            out.push_back(p);
            pos = close + 1;
            continue;
        }
        literal += text.at(pos++);
    }
    flush();
    if (inOptional) *error = QStringLiteral("manca ']]' in \"%1\"").arg(text);
}

void collectFields(const std::vector<TextTemplate::Part> &parts, QStringList &out)
{
    for (const auto &p : parts) {
        if (p.kind == TextTemplate::Part::Field) out << p.text;
        else if (p.kind == TextTemplate::Part::Optional) collectFields(p.parts, out);
    }
}

bool parseYesNo(const QString &v, bool *out)
{
    const QString s = v.toLower();
    if (s == u"si" || s == u"sì") *out = true;
    else if (s == u"no") *out = false;
    else return false;
    return true;
}

// Reads one template file line by line; every error names the file and the line.
class TemplateParser {
public:
    TemplateParser(const QString &fileName) { m_t.fileName = fileName; }

    Template parse(const QString &text)
    {
        const QStringList lines = text.split(u'\n');
        for (int i = 0; i < lines.size(); ++i) {
            m_line = i + 1;
            const QString line = lines.at(i).trimmed();
            if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';')) continue;
            if (line.startsWith(u'[') && line.endsWith(u']') && !line.startsWith(u"[[")) {
                startSection(line.mid(1, line.size() - 2).trimmed().toLower());
                continue;
            }
            const int eq = line.indexOf(u'=');
            if (eq <= 0) fail(QStringLiteral("riga non valida (atteso \"chiave = valore\"): %1").arg(line));
            const QString key = line.left(eq).simplified().toLower();
            const QString value = line.mid(eq + 1).trimmed();
            if (m_section.isEmpty()) fail(QStringLiteral("\"%1\" fuori da ogni sezione").arg(key));
            setValue(line.left(eq).trimmed(), key, value);
        }
        m_line = 0;
        finishBlock();
        if (m_t.blocks.empty()) fail(QStringLiteral("il modello non contiene riquadri, tabelle né etichette"));
        if (m_t.isLabels() && m_t.blocks.size() > 1) fail(QStringLiteral("[etichette] non si combina con riquadri o tabelle"));
        return m_t;
    }

private:
    [[noreturn]] void fail(const QString &msg) const
    {
        const QString where = m_line > 0 ? QStringLiteral("%1, riga %2").arg(m_t.fileName).arg(m_line) : m_t.fileName;
        throw ReportError(QStringLiteral("Modello di report non valido (%1): %2").arg(where, msg));
    }

    TextTemplate text(const QString &v)
    {
        QString err;
        TextTemplate t = TextTemplate::parse(v, &err);
        if (!err.isEmpty()) fail(err);
        return t;
    }
    TextTemplate field(const QString &v)
    {
        QString err;
        TextTemplate t = TextTemplate::parseField(v, &err);
        if (!err.isEmpty()) fail(err);
        return t;
    }
    QString fieldName(const QString &v)
    {
        if (!isFieldName(v)) fail(QStringLiteral("nome di campo non valido \"%1\"").arg(v));
        return v;
    }
    bool yesNo(const QString &v)
    {
        bool b = false;
        if (!parseYesNo(v, &b)) fail(QStringLiteral("atteso \"si\" o \"no\", trovato \"%1\"").arg(v));
        return b;
    }
    double number(const QString &v, double min, double max)
    {
        bool ok = false;
        const double d = QString(v).replace(u',', u'.').toDouble(&ok);
        if (!ok || d < min || d > max)
            fail(QStringLiteral("atteso un numero fra %1 e %2, trovato \"%3\"").arg(min).arg(max).arg(v));
        return d;
    }

    void startSection(const QString &name)
    {
        finishBlock();
        m_section = name;
        if (name == u"report") {
            if (m_seenReport) fail(QStringLiteral("sezione [report] ripetuta"));
            m_seenReport = true;
            return;
        }
        if (name == u"calcoli") return;
        Block b;
        b.line = m_line;
        if (name == u"riquadro") b.kind = Block::Box;
        else if (name == u"tabella") b.kind = Block::Table;
        else if (name == u"etichette") b.kind = Block::Labels;
        else if (name == u"dettaglio") {
            b.kind = Block::Detail;
            if (m_t.blocks.empty()
                || (m_t.blocks.back().kind != Block::Table && m_t.blocks.back().kind != Block::Detail))
                fail(QStringLiteral("[dettaglio] deve seguire una [tabella]"));
        } else fail(QStringLiteral("sezione sconosciuta [%1]").arg(name));
        m_block = b;
        m_inBlock = true;
    }

    void finishBlock()
    {
        if (!m_inBlock) return;
        m_inBlock = false;
        const Block &b = m_block;
        const int keep = m_line;
        m_line = b.line;
        if ((b.kind == Block::Table || b.kind == Block::Detail) && b.columns.empty())
            fail(QStringLiteral("la tabella non ha colonne"));
        if (b.kind == Block::Detail && b.linkParent.isEmpty())
            fail(QStringLiteral("[dettaglio] senza \"collega = campo della tabella = campo del dettaglio\""));
        if (b.kind == Block::Detail && b.source == Source::Main)
            fail(QStringLiteral("un [dettaglio] legge un sottoreport (sorgente = sottoreport1 o sottoreport2)"));
        if (b.kind == Block::Labels && b.entries.empty()) fail(QStringLiteral("le etichette non hanno righe"));
        if (b.kind == Block::Box && b.entries.empty()) fail(QStringLiteral("riquadro senza righe né campi"));
        for (const QString &t : b.totals) {
            bool found = false;
            for (const Column &c : b.columns) found = found || c.value.bareField().compare(t, Qt::CaseInsensitive) == 0;
            if (!found) fail(QStringLiteral("il totale \"%1\" non ha una colonna con quel campo").arg(t));
        }
        m_line = keep;
        m_t.blocks.push_back(m_block);
    }

    void setValue(const QString &rawKey, const QString &key, const QString &v)
    {
        if (m_section == u"report") {
            if (key == u"titolo") m_t.title = text(v);
            else if (key == u"orientamento") {
                if (v.toLower() == u"verticale") m_t.orientation = QPageLayout::Portrait;
                else if (v.toLower() == u"orizzontale") m_t.orientation = QPageLayout::Landscape;
                else fail(QStringLiteral("orientamento \"%1\": atteso verticale o orizzontale").arg(v));
            } else if (key == u"ordina") {
                for (const QString &f : v.split(u',', Qt::SkipEmptyParts)) m_t.sortBy << fieldName(f.trimmed());
            } else if (key == u"documento per") m_t.documentBy = field(v);
            else unknownKey(key);
            return;
        }
        if (m_section == u"calcoli") {
            Calc c;
            c.name = fieldName(rawKey);
            c.line = m_line;
            QString err;
            c.expression = Expression::parse(v, &err);
            if (!c.expression.isValid()) fail(QStringLiteral("calcolo \"%1\": %2").arg(rawKey, err));
            m_t.calcs.push_back(c);
            return;
        }
        Block &b = m_block;
        const bool box = b.kind == Block::Box, labels = b.kind == Block::Labels;
        const bool table = b.kind == Block::Table || b.kind == Block::Detail;
        if ((box || labels) && (key == u"riga" || key == u"grassetto" || key == u"grande")) {
            Entry e;
            e.kind = key == u"riga" ? Entry::Line : key == u"grassetto" ? Entry::Bold : Entry::Large;
            e.text = text(v);
            b.entries.push_back(e);
        } else if (box && (key == u"campo" || key == u"totale")) {
            const int bar = v.indexOf(u'|');
            if (bar < 0) fail(QStringLiteral("atteso \"%1 = etichetta | valore\"").arg(key));
            Entry e;
            e.kind = key == u"campo" ? Entry::Field : Entry::Total;
            e.label = v.left(bar).trimmed();
            e.text = text(v.mid(bar + 1).trimmed());
            b.entries.push_back(e);
        } else if ((box || table) && key == u"titolo") b.caption = text(v);
        else if (box && key == u"larghezza") b.widthPercent = number(v, 5, 100);
        else if (box && key == u"bordo") b.border = yesNo(v);
        else if (box && key == u"allinea") {
            if (v.toLower() == u"destra") b.alignRight = true;
            else if (v.toLower() == u"sinistra") b.alignRight = false;
            else fail(QStringLiteral("allinea \"%1\": atteso sinistra o destra").arg(v));
        } else if (box && key == u"colonne") b.gridColumns = int(number(v, 1, 6));
        else if (labels && key == u"colonne") b.labelsAcross = int(number(v, 1, 10));
        else if (labels && key == u"righe") b.labelsDown = int(number(v, 1, 30));
        else if (table && key == u"sorgente") {
            const QString s = v.toLower();
            if (s == u"principale") b.source = Source::Main;
            else if (s == u"sottoreport1") b.source = Source::Sub1;
            else if (s == u"sottoreport2") b.source = Source::Sub2;
            else fail(QStringLiteral("sorgente \"%1\": attesa principale, sottoreport1 o sottoreport2").arg(v));
        } else if (table && key == u"colonna") b.columns.push_back(column(v));
        else if (table && key == u"raggruppa") b.groupBy = field(v);
        else if (table && key == u"intestazione") b.groupHeader = text(v);
        else if (table && key == u"totali") {
            for (const QString &t : v.split(u',', Qt::SkipEmptyParts)) b.totals << fieldName(t.trimmed());
        } else if (table && key == u"riassunto") b.summary = yesNo(v);
        else if (table && key == u"solo se") b.onlyIf = fieldName(v);
        else if (table && key == u"escludi se") b.skipIf = fieldName(v);
        else if (b.kind == Block::Detail && key == u"collega") {
            const QStringList two = v.split(u'=');
            if (two.size() != 2) fail(QStringLiteral("atteso \"collega = campo della tabella = campo del dettaglio\""));
            b.linkParent = fieldName(two[0].trimmed());
            b.linkChild = fieldName(two[1].trimmed());
        } else unknownKey(key);
    }

    Column column(const QString &v)
    {
        const QStringList parts = v.split(u'|');
        if (parts.size() < 2 || parts.size() > 4)
            fail(QStringLiteral("atteso \"colonna = campo | intestazione | larghezza | formato\""));
        Column c;
        c.value = field(parts[0].trimmed());
        c.caption = parts[1].trimmed();
        if (parts.size() > 2 && !parts[2].trimmed().isEmpty()) c.width = number(parts[2].trimmed(), 1, 1000);
        if (parts.size() > 3 && !parseFormat(parts[3].trimmed(), &c.format))
            fail(QStringLiteral("formato sconosciuto \"%1\"").arg(parts[3].trimmed()));
        return c;
    }

    void unknownKey(const QString &key) { fail(QStringLiteral("chiave sconosciuta \"%1\" in [%2]").arg(key, m_section)); }

    Template m_t;
    QString m_section;
    int m_line = 0;
    bool m_seenReport = false;
    bool m_inBlock = false;
    Block m_block;
};

} // namespace

bool parseFormat(const QString &text, FieldFormat *out)
{
    const QString s = text.trimmed();
    const QString name = s.section(u'=', 0, 0).trimmed().toLower();
    FieldFormat f;
    if (name == u"testo") f.kind = Format::Text;
    else if (name == u"numero") f.kind = Format::Number;
    else if (name == u"valuta") f.kind = Format::Money;
    else if (name == u"data") f.kind = Format::Date;
    else if (name == u"sino") f.kind = Format::YesNo;
    else return false;
    if (s.contains(u'=')) {
        const QStringList words = s.section(u'=', 1).split(u'/');
        if (f.kind != Format::YesNo || words.size() != 2) return false;
        f.yes = words[0].trimmed();
        f.no = words[1].trimmed();
    }
    *out = f;
    return true;
}

TextTemplate TextTemplate::parse(const QString &text, QString *error)
{
    TextTemplate t;
    QString err;
    int pos = 0;
    parseParts(text, pos, t.parts, false, &err);
    if (error) *error = err;
    return t;
}

TextTemplate TextTemplate::parseField(const QString &text, QString *error)
{
    if (isFieldName(text)) {
        TextTemplate t;
        Part p;
        p.kind = Part::Field;
        p.text = text;
        t.parts.push_back(p);
        if (error) error->clear();
        return t;
    }
    return parse(text, error);
}

QStringList TextTemplate::fields() const
{
    QStringList out;
    collectFields(parts, out);
    return out;
}

QString TextTemplate::bareField() const
{
    if (parts.size() != 1) return QString();
    if (parts[0].kind == Part::Field) return parts[0].text;
    // "[[{Entrata}]]" is still the field, printed blank when zero.
    const auto &inner = parts[0].parts;
    return parts[0].kind == Part::Optional && inner.size() == 1 && inner[0].kind == Part::Field ? inner[0].text : QString();
}

bool Template::isLabels() const
{
    for (const Block &b : blocks)
        if (b.kind == Block::Labels) return true;
    return false;
}

Template parseTemplate(const QString &text, const QString &fileName)
{
    return TemplateParser(fileName).parse(text);
}

Template loadTemplate(const QString &path)
{
    QFile f(path);
    const QString name = QFileInfo(path).fileName();
    if (!f.exists()) throw ReportError(QStringLiteral("Modello di report non trovato: %1").arg(path));
    if (!f.open(QIODevice::ReadOnly))
        throw ReportError(QStringLiteral("Impossibile leggere il modello di report %1: %2").arg(path, f.errorString()));
    return parseTemplate(QString::fromUtf8(f.readAll()), name);
}

} // namespace stampa
