#pragma once
// A report template (.rpt): a small INI-like text file, described in reports/README.md.
// Sections, in the order they are printed:
//   [report]     titolo, orientamento (verticale|orizzontale), ordina, documento per
//   [calcoli]    Nome = espressione, computed for every row of the main query
//   [riquadro]   a box of lines and label/value fields, side by side by larghezza (%)
//   [tabella]    rows of a query: colonna = campo | intestazione | larghezza | formato,
//                raggruppa, intestazione, totali, riassunto, solo se, escludi se
//   [dettaglio]  a table printed under each row (or group) of the table before it: collega
//   [etichette]  one label per row on a grid of colonne x righe
#include "Expression.h"

#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

namespace stampa {

// Every failure the user must be told about: the text is Italian and ready to show.
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

enum class Format { Auto, Text, Number, Money, Date, YesNo };

struct FieldFormat {
    Format kind = Format::Auto;
    QString yes = QStringLiteral("Sì"); // "sino=Acquisti/Vendite" gives other words
    QString no = QStringLiteral("No");
    bool numeric() const { return kind == Format::Number || kind == Format::Money; }
};

// Reads "testo", "numero", "valuta", "data", "sino" or "sino=Vero/Falso"; false when unknown.
bool parseFormat(const QString &text, FieldFormat *out);

// A text with {Campo} or {Campo:formato} placeholders ({ditta.Campo} for the company) and
// [[...]] parts that vanish when every placeholder inside them is empty.
class TextTemplate {
public:
    struct Part {
        enum Kind { Literal, Field, Optional } kind = Literal;
        QString text; // literal text or field name
        FieldFormat format;
        std::vector<Part> parts; // of an optional part
    };

    // Parses a text; on error sets `error` and returns what was read.
    static TextTemplate parse(const QString &text, QString *error);
    // A bare field name ("Cliente") is taken as "{Cliente}": used where a field is expected.
    static TextTemplate parseField(const QString &text, QString *error);

    bool isEmpty() const { return parts.empty(); }
    QStringList fields() const;
    // The field's name when the text is exactly one placeholder (optional or not), else empty.
    QString bareField() const;

    std::vector<Part> parts;
};

struct Entry {
    enum Kind { Line, Bold, Large, Field, Total } kind = Line;
    QString label; // of a field or total
    TextTemplate text;
};

struct Column {
    TextTemplate value;
    QString caption;
    double width = 10; // relative: the columns share the page width in proportion
    FieldFormat format;
};

enum class Source { Main, Sub1, Sub2 };

struct Block {
    enum Kind { Box, Table, Detail, Labels } kind = Box;
    int line = 0; // where the section starts, for messages

    // [riquadro] and [etichette]
    TextTemplate caption;
    double widthPercent = 100;
    bool border = true;
    bool alignRight = false;
    int gridColumns = 1; // label/value fields per line
    std::vector<Entry> entries;
    int labelsAcross = 3;
    int labelsDown = 8;

    // [tabella] and [dettaglio]
    Source source = Source::Main;
    std::vector<Column> columns;
    TextTemplate groupBy;
    TextTemplate groupHeader;
    QStringList totals;
    bool summary = false; // one line per group
    QString onlyIf;       // rows printed only when this field is set
    QString skipIf;       // rows left out when this field is set
    QString linkParent;   // [dettaglio]: parent field = child field
    QString linkChild;
};

struct Calc {
    QString name;
    Expression expression;
    int line = 0;
};

struct Template {
    QString fileName;
    TextTemplate title;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QStringList sortBy;      // the main rows in this order, for queries that give none
    TextTemplate documentBy; // a new document on a new page each time this changes
    std::vector<Calc> calcs;
    std::vector<Block> blocks;

    bool isLabels() const;
};

// Throws ReportError naming the file and the line.
Template parseTemplate(const QString &text, const QString &fileName);
Template loadTemplate(const QString &path);

} // namespace stampa
