#include "cyclefile/readreports.h"

#include "store/numbers.h"

namespace cyclefile::reports {

namespace {

using platform::BilingualMessage;

const QChar DQ(34);
const QChar CR = kLineBreak;

BilingualMessage errorFound(const QString &english, const QString &italian)
{
    return BilingualMessage{{english, italian},
                            {QStringLiteral("Error Found"), QStringLiteral("Errore")},
                            platform::MsgIcon::Critical,
                            platform::MsgButtons::Ok,
                            platform::MsgResult::Ok};
}

QString quoted(const QString &text) { return DQ + text + DQ; }

struct FieldTexts
{
    const char *englishSentence;
    const char *englishLabel;
    const char *italianSentence;
    const char *italianLabel;
};

FieldTexts notNumericTexts(PointField field)
{
    switch (field) {
    case PointField::PointID:
        return {" has PointID Not Numeric.", "PointID Found: ", " ha il PointID Non Numerico.", "PointID Trovato: "};
    case PointField::Time:
        return {" has Time Not Numeric.", "Time Found: ", " ha il Valore Tempo Non Numerico.", "Tempo Trovato: "};
    case PointField::Length:
        return {" has Length Not Numeric.", "Length Found: ", " ha il Valore Lunghezza Non Numerico.",
                "Lunghezza Trovato: "};
    case PointField::Red:
        return {" has Red Not Numeric.", "Red Found: ", " ha il Valore Rosso Non Numerico.", "Rosso Trovato: "};
    case PointField::Green:
        return {" has Green Not Numeric.", "Green Found: ", " ha il Valore Verde Non Numerico.", "Verde Trovato: "};
    case PointField::Blue:
        return {" has Blue Not Numeric.", "Blue Found: ", " ha il Valore Blu Non Numerico.", "Blu Trovato: "};
    }
    return {"", "", "", ""};
}

// The sentences of the separator after a field.
std::pair<const char *, const char *> spaceSentences(PointField before)
{
    switch (before) {
    case PointField::PointID:
        return {" has not a Space Character between the PointID and the Time Value.",
                " non ha il carattere Spazio tra PointID ed il Valore Tempo."};
    case PointField::Time:
        return {" has not a Space Character between the Time Value and the Length Value.",
                " non ha il carattere Spazio tra il valore del Tempo e quello della Lunghezza."};
    case PointField::Length:
        return {" has not a Space Character between the Length Value and the Red Value.",
                " non ha il carattere Spazio tra il valore della Lunghezza e quello del Rosso."};
    case PointField::Red:
        return {" has not a Space Character between the Red Value and the Green Value.",
                " non ha il carattere Spazio tra il valore del Rosso e quello del Verde."};
    case PointField::Green:
    case PointField::Blue:
        return {" has not a Space Character between the Green Value and the Blue Value.",
                " non ha il carattere Spazio tra il valore del Verde e quello del Blu."};
    }
    return {"", ""};
}

// Names of a field for the line-too-short report, and its columns.
struct FieldPlace
{
    const char *english;
    const char *italian;
    const char *columns;
};

FieldPlace fieldPlace(PointField field)
{
    switch (field) {
    case PointField::PointID: return {"the PointID", "del PointID", "15-16"};
    case PointField::Time: return {"the Time Value", "del Valore Tempo", "18-22"};
    case PointField::Length: return {"the Length Value", "del Valore Lunghezza", "24-28"};
    case PointField::Red: return {"the Red Value", "del Valore Rosso", "30-32"};
    case PointField::Green: return {"the Green Value", "del Valore Verde", "34-36"};
    case PointField::Blue: return {"the Blue Value", "del Valore Blu", "38-40"};
    }
    return {"", "", ""};
}

QString nn(int row) { return store::format00(row); }

} // namespace

BilingualMessage wrongStart(int row, const QString &found)
{
    const QString right = quoted(QStringLiteral("ColourPoint") + nn(row) + u' ');
    return errorFound(
        QStringLiteral("The Colour Point row ") + nn(row) + QStringLiteral(" of the File has the Text wrong.") + CR + CR
            + QStringLiteral("Text Found: ") + quoted(found) + CR + QStringLiteral("Text Right: ") + right,
        QStringLiteral("La riga ") + nn(row) + QStringLiteral(" del file ha un errore di testo.") + CR + CR
            + QStringLiteral("Testo Trovato: ") + quoted(found) + CR + QStringLiteral("Testo Corretto: ") + right);
}

BilingualMessage notNumeric(int row, PointField field, const QString &text, const QString &marker)
{
    const FieldTexts t = notNumericTexts(field);
    return errorFound(QStringLiteral("The Colour Point ") + nn(row) + QLatin1StringView(t.englishSentence) + CR + CR
                          + QLatin1StringView(t.englishLabel) + quoted(text) + CR + QStringLiteral("Text Error: ")
                          + quoted(marker),
                      QStringLiteral("Il Punto Colore ") + nn(row) + QLatin1StringView(t.italianSentence) + CR + CR
                          + QLatin1StringView(t.italianLabel) + quoted(text) + CR + QStringLiteral("Testo Errato: ")
                          + quoted(marker));
}

BilingualMessage missingSpace(int row, PointField before, const QString &found)
{
    const auto [english, italian] = spaceSentences(before);
    const QString space = quoted(QStringLiteral(" "));
    return errorFound(QStringLiteral("The Colour Point ") + nn(row) + QLatin1StringView(english) + CR + CR
                          + QStringLiteral("Character Found: ") + quoted(found) + CR
                          + QStringLiteral("Character Right: ") + space,
                      QStringLiteral("Il Punto Colore ") + nn(row) + QLatin1StringView(italian) + CR + CR
                          + QStringLiteral("Carattere Trovato: ") + quoted(found) + CR
                          + QStringLiteral("Carattere Corretto: ") + space);
}

BilingualMessage lineTooShort(int row, PointField field, const QString &line)
{
    const FieldPlace p = fieldPlace(field);
    const QString columns = quoted(QLatin1StringView(p.columns));
    return errorFound(QStringLiteral("The Colour Point ") + nn(row) + QStringLiteral(" of the File ends before ")
                          + QLatin1StringView(p.english) + u'.' + CR + CR + QStringLiteral("Text Found: ")
                          + quoted(line) + CR + QStringLiteral("Columns Right: ") + columns,
                      QStringLiteral("Il Punto Colore ") + nn(row) + QStringLiteral(" del file termina prima ")
                          + QLatin1StringView(p.italian) + u'.' + CR + CR + QStringLiteral("Testo Trovato: ")
                          + quoted(line) + CR + QStringLiteral("Colonne Corrette: ") + columns);
}

BilingualMessage transitionWrongStart(const QString &found)
{
    const QString right = quoted(QStringLiteral("TransitionTime ") + QStringLiteral(" "));
    return errorFound(
        QStringLiteral("Transition Time of the File has the Text wrong.") + CR + CR + QStringLiteral("Text Found: ")
            + quoted(found) + CR + QStringLiteral("Text Right: ") + right,
        QStringLiteral("L'ultima riga del file ha un errore di testo.") + CR + CR + QStringLiteral("Testo Trovato: ")
            + quoted(found) + CR + QStringLiteral("Testo Corretto: ") + right);
}

BilingualMessage transitionNotNumeric(const QString &text, const QString &marker)
{
    return errorFound(QStringLiteral("Transition Time has value Not Numeric.") + CR + CR
                          + QStringLiteral("Transition Time Found: ") + quoted(text) + CR
                          + QStringLiteral("Text Error: ") + quoted(marker),
                      QStringLiteral("Il Tempo di Viraggio di fine Ciclo Non è Numerico (TransitionTime).") + CR + CR
                          + QStringLiteral("Viraggio Trovato: ") + quoted(text) + CR + QStringLiteral("Testo Errato: ")
                          + quoted(marker));
}

BilingualMessage transitionTooShort(const QString &line)
{
    const QString columns = quoted(QStringLiteral("16-20"));
    return errorFound(
        QStringLiteral("Transition Time of the File ends before the Transition Time Value.") + CR + CR
            + QStringLiteral("Text Found: ") + quoted(line) + CR + QStringLiteral("Columns Right: ") + columns,
        QStringLiteral("L'ultima riga del file termina prima del Tempo di Viraggio (TransitionTime).") + CR + CR
            + QStringLiteral("Testo Trovato: ") + quoted(line) + CR + QStringLiteral("Colonne Corrette: ") + columns);
}

BilingualMessage transitionMissing()
{
    return errorFound(QStringLiteral("Transition Time not found. The Default Value (0) has been assigned."),
                      QStringLiteral("Tempo di Viraggio di fine ciclo non trovato (TransitionTime). E' stato assegnato "
                                     "il valore di default (0)."));
}

BilingualMessage cannotRead(const QString &path, const QString &reason)
{
    return cannotRead(path, Bilingual{reason, reason});
}

BilingualMessage cannotRead(const QString &path, const Bilingual &reason)
{
    return errorFound(QStringLiteral("The File cannot be opened or read.") + CR + CR + QStringLiteral("File: ")
                          + quoted(path) + CR + QStringLiteral("Error: ") + quoted(reason.english),
                      QStringLiteral("Il File non può essere aperto o letto.") + CR + CR + QStringLiteral("File: ")
                          + quoted(path) + CR + QStringLiteral("Errore: ") + quoted(reason.italian));
}

Bilingual notRegularFile()
{
    return {QStringLiteral("not a regular file (a folder, a device or a pipe)"),
            QStringLiteral("non è un File normale (una cartella, un dispositivo o una pipe)")};
}

} // namespace cyclefile::reports
