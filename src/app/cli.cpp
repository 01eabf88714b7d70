#include "app/cli.h"

#include "app/cliboard.h"
#include "board/backup.h"
#include "board/jobs.h"
#include "board/reports.h"
#include "cyclefile/cyclefile.h"
#include "cyclefile/daylight.h"
#include "cyclefile/daylightfit.h"
#include "cyclefile/filewrite.h"
#include "cyclefile/places.h"
#include "cyclefile/sky.h"
#include "platform/bilingual.h"
#include "store/numbers.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <optional>

namespace cli {

namespace {

using namespace Qt::Literals::StringLiterals;

// ----- The commands and their options, for the parser and for the help -------

struct OptionText
{
    QString synopsis;
    Bilingual text;
};

struct Command
{
    QString name;
    QString usage;
    Bilingual summary;
    // The command's own options, by their first name in the parser.
    QList<OptionText> options;
};

const QList<Command> &commands()
{
    static const QList<Command> list{
        {u"check"_s,
         u"check FILE... [--format text|json]"_s,
         {u"Read each cycle file and print what the reader finds in it."_s,
          u"Legge ogni file di ciclo e scrive cosa vi trova il lettore."_s},
         {{u"--format text|json"_s,
           {u"How the results are written (text)."_s, u"Come scrivere i risultati (text)."_s}}}},
        {u"show"_s,
         u"show FILE [--seconds] [--format text|json|csv]"_s,
         {u"List the points of a cycle file (number, time, length, red, green, blue) and its transition time."_s,
          u"Elenca i punti di un file di ciclo (numero, tempo, lunghezza, rosso, verde, blu) e il suo tempo di "
          u"transizione."_s},
         {{u"--seconds"_s, {u"Times in seconds instead of hh:mm:ss."_s, u"Tempi in secondi invece di hh:mm:ss."_s}},
          {u"--format text|json|csv"_s,
           {u"How the cycle is written (text); JSON has its times in seconds."_s,
            u"Come scrivere il ciclo (text); in JSON i tempi sono in secondi."_s}}}},
        {u"daylight"_s,
         u"daylight (--place NAME | --lat DEG --lon DEG) [--date YYYY-MM-DD] [OPTIONS]"_s,
         {u"Work out the cycle of a real day of sun and moon at a place and write its cycle file."_s,
          u"Calcola il ciclo di un giorno vero di sole e luna in un luogo e ne scrive il file di ciclo."_s},
         {{u"--place NAME"_s,
           {u"One of the program's places (English or Italian name)."_s,
            u"Uno dei luoghi del programma (nome inglese o italiano)."_s}},
          {u"--lat DEG, --lon DEG"_s,
           {u"Latitude (north positive) and longitude (east positive)."_s,
            u"Latitudine (nord positiva) e longitudine (est positiva)."_s}},
          {u"--tz ZONE"_s,
           {u"Time zone of the clocks, e.g. Europe/Rome (the place's, else the system's)."_s,
            u"Fuso orario degli orologi, p.es. Europe/Rome (quello del luogo, altrimenti del sistema)."_s}},
          {u"--date YYYY-MM-DD"_s, {u"The date (today)."_s, u"La data (oggi)."_s}},
          {u"--points N"_s, {u"Points at most, 8..64 (64)."_s, u"Punti al massimo, 8..64 (64)."_s}},
          {u"--moon PERCENT"_s,
           {u"Blue under a full moon, 0..100 (0: dark nights)."_s,
            u"Blu sotto la luna piena, 0..100 (0: notti buie)."_s}},
          {u"--peak R,G,B"_s,
           {u"Each channel's percent with the sun overhead (100,100,100)."_s,
            u"La percentuale di ogni canale con il sole allo zenit (100,100,100)."_s}},
          {u"--shift MIN"_s,
           {u"The whole day later by MIN minutes, -720..720 (earlier when negative)."_s,
            u"Tutto il giorno pi\u00f9 tardi di MIN minuti, -720..720 (prima se negativo)."_s}},
          {u"--photoperiod MIN"_s,
           {u"The longest daylight in minutes, 0..1440 (0: no limit)."_s,
            u"La luce pi\u00f9 lunga in minuti, 0..1440 (0: nessun limite)."_s}},
          {u"-o, --output FILE|-"_s,
           {u"Where the cycle file goes (- or none: standard output)."_s,
            u"Dove va il file di ciclo (- o niente: standard output)."_s}}}},
        {u"board"_s,
         u"board COMMAND [OPTIONS]"_s,
         {u"Talk to the board: its slots, its information, back up and restore."_s,
          u"Dialoga con la scheda: i suoi slot, le sue informazioni, salvataggio e ripristino."_s},
         {}},
        {u"board list"_s,
         u"board list [--format text|json]"_s,
         {u"List the ports COM1..COM16 with their devices, and the one where the board answers."_s,
          u"Elenca le porte COM1..COM16 con i loro dispositivi, e quella dove risponde la scheda."_s},
         {}},
        {u"board info"_s,
         u"board info [--format text|json]"_s,
         {u"Show the board's own information."_s, u"Mostra le informazioni della scheda."_s},
         {}},
        {u"board names"_s,
         u"board names [--format text|json]"_s,
         {u"List the names of the eight slots."_s, u"Elenca i nomi degli otto slot."_s},
         {}},
        {u"board read"_s,
         u"board read SLOT [-o FILE|-]"_s,
         {u"Read a slot (1..8) and write its cycle file, as File Save writes it."_s,
          u"Legge uno slot (1..8) e ne scrive il file di ciclo, come lo scrive File Salva."_s},
         {{u"-o, --output FILE|-"_s,
           {u"Where the cycle file goes (- or none: standard output)."_s,
            u"Dove va il file di ciclo (- o niente: standard output)."_s}}}},
        {u"board write"_s,
         u"board write SLOT FILE|- [--no-verify]"_s,
         {u"Write a cycle file (- : from standard input) into a slot (2..8), then read it back and compare."_s,
          u"Scrive un file di ciclo (- : dallo standard input) in uno slot (2..8), poi lo rilegge e confronta."_s},
         {{u"--no-verify"_s, {u"Do not read the slot back."_s, u"Non rileggere lo slot."_s}}}},
        {u"board rename"_s,
         u"board rename SLOT NAME"_s,
         {u"Name a slot (2..8): letters, digits and spaces, at most eight."_s,
          u"Dà un nome a uno slot (2..8): lettere, cifre e spazi, al massimo otto."_s},
         {}},
        {u"board clean"_s, u"board clean SLOT"_s, {u"Clean a slot (2..8)."_s, u"Cancella uno slot (2..8)."_s}, {}},
        {u"board erase"_s,
         u"board erase --yes"_s,
         {u"Erase the whole memory of the board."_s, u"Cancella tutta la memoria della scheda."_s},
         {{u"--yes"_s, {u"Really erase."_s, u"Cancella davvero."_s}}}},
        {u"board backup"_s,
         u"board backup DIR [--yes]"_s,
         {u"Save the eight slots with their names into DIR, one cycle file each (Slot3-Aquarium.txt)."_s,
          u"Salva gli otto slot con i loro nomi in DIR, un file di ciclo ciascuno (Slot3-Aquarium.txt)."_s},
         {{u"--yes"_s,
           {u"Replace the backup files already in DIR."_s, u"Sostituisce i file di salvataggio già in DIR."_s}}}},
        {u"board restore"_s,
         u"board restore DIR --yes [--no-verify]"_s,
         {u"Write slots 2..8 and their names back from a backup in DIR."_s,
          u"Riscrive gli slot 2..8 e i loro nomi da un salvataggio in DIR."_s},
         {{u"--yes"_s, {u"Really overwrite the slots."_s, u"Sovrascrive davvero gli slot."_s}},
          {u"--no-verify"_s, {u"Do not read each slot back."_s, u"Non rileggere ogni slot."_s}}}},
        {u"help"_s,
         u"help [COMMAND]"_s,
         {u"Show this help, or a command's."_s, u"Mostra questo aiuto, o quello di un comando."_s},
         {}},
    };
    return list;
}

const Command *findCommand(const QString &name)
{
    for (const Command &c : commands())
        if (c.name == name)
            return &c;
    return nullptr;
}

// The options of every board command.
const QList<OptionText> &boardOptions()
{
    static const QList<OptionText> list{
        {u"--port COMn"_s,
         {u"The board's port, numbered as in the window (ORVANTA_PORT_DIR honoured); none: every port is tried."_s,
          u"La porta della scheda, numerata come nella finestra (vale ORVANTA_PORT_DIR); niente: si provano tutte."_s}},
        {u"--device PATH"_s,
         {u"The board's serial device or pseudo-terminal, instead of --port."_s,
          u"Il dispositivo seriale o pseudo-terminale della scheda, invece di --port."_s}},
        {u"--format text|json"_s,
         {u"list, info, names: how the results are written (text)."_s,
          u"list, info, names: come scrivere i risultati (text)."_s}},
    };
    return list;
}

const QList<OptionText> &commonOptions()
{
    static const QList<OptionText> list{
        {u"--lang it|en"_s,
         {u"Language of the texts (from LC_ALL, LC_MESSAGES or LANG)."_s,
          u"Lingua dei testi (da LC_ALL, LC_MESSAGES o LANG)."_s}},
        {u"-q, --quiet"_s, {u"No messages on standard error."_s, u"Nessun messaggio sullo standard error."_s}},
        {u"-h, --help"_s, {u"Show the help."_s, u"Mostra l'aiuto."_s}},
        {u"-v, --version"_s, {u"Show the version."_s, u"Mostra la versione."_s}},
    };
    return list;
}

// Every option of every command, so that the first pass can step over the
// values of options written before the command.
struct Options
{
    QCommandLineOption lang{u"lang"_s, {}, u"it|en"_s};
    QCommandLineOption quiet{{u"q"_s, u"quiet"_s}};
    QCommandLineOption help{{u"h"_s, u"help"_s}};
    QCommandLineOption version{{u"v"_s, u"version"_s}};
    QCommandLineOption format{u"format"_s, {}, u"FORMAT"_s};
    QCommandLineOption seconds{u"seconds"_s};
    QCommandLineOption place{u"place"_s, {}, u"NAME"_s};
    QCommandLineOption lat{u"lat"_s, {}, u"DEG"_s};
    QCommandLineOption lon{u"lon"_s, {}, u"DEG"_s};
    QCommandLineOption tz{u"tz"_s, {}, u"ZONE"_s};
    QCommandLineOption date{u"date"_s, {}, u"YYYY-MM-DD"_s};
    QCommandLineOption points{u"points"_s, {}, u"N"_s};
    QCommandLineOption moon{u"moon"_s, {}, u"PERCENT"_s};
    QCommandLineOption peak{u"peak"_s, {}, u"R,G,B"_s};
    QCommandLineOption shift{u"shift"_s, {}, u"MIN"_s};
    QCommandLineOption photoperiod{u"photoperiod"_s, {}, u"MIN"_s};
    QCommandLineOption output{{u"o"_s, u"output"_s}, {}, u"FILE"_s};
    QCommandLineOption port{u"port"_s, {}, u"COMn"_s};
    QCommandLineOption device{u"device"_s, {}, u"PATH"_s};
    QCommandLineOption yes{u"yes"_s};
    QCommandLineOption noVerify{u"no-verify"_s};

    QList<QCommandLineOption> common() const { return {lang, quiet, help, version}; }
    QList<QCommandLineOption> of(const QString &command) const
    {
        QList<QCommandLineOption> list = common();
        if (command == u"check"_s)
            list << format;
        else if (command == u"show"_s)
            list << format << seconds;
        else if (command == u"daylight"_s)
            list << place << lat << lon << tz << date << points << moon << peak << shift << photoperiod << output;
        else if (command == u"board"_s)
            list << format << output << port << device << yes << noVerify;
        return list;
    }
};

// ----- One run ---------------------------------------------------------------

class Run
{
public:
    Run(QTextStream &out, QTextStream &err, bool english, QString version)
        : m_out(out)
        , m_err(err)
        , m_english(english)
        , m_version(std::move(version))
    {
    }

    int main(const QStringList &arguments);

private:
    QString text(const char *english, const char *italian) const
    {
        return QString::fromUtf8(m_english ? english : italian);
    }
    QString pick(const Bilingual &b) const { return b.pick(m_english); }
    void say(const QString &message)
    {
        if (!m_quiet)
            m_err << message << Qt::endl;
    }

    QString helpText(const Command *command) const;
    int usage(const Command *command, const QString &problem);

    int check();
    int show();
    int daylight();
    int board();
    std::optional<daycycle::Place> daylightPlace(QString &problem) const;
    std::optional<daycycle::Options> daylightOptions(QString &problem) const;

    QTextStream &m_out;
    QTextStream &m_err;
    bool m_english;
    bool m_quiet = false;
    QString m_version;
    Options m_options;
    QCommandLineParser m_parser;
    const Command *m_command = nullptr;
};

QString Run::helpText(const Command *command) const
{
    QString help;
    QTextStream s(&help);
    const auto list = [&](const QList<OptionText> &options) {
        for (const OptionText &o : options)
            s << u"  "_s << o.synopsis.leftJustified(24) << u' ' << pick(o.text) << u'\n';
    };
    s << text("Usage: ", "Uso: ") << u"orvanta-cli "_s << (command ? command->usage : u"COMMAND [OPTIONS]"_s)
      << u"\n\n"_s;
    if (command) {
        s << pick(command->summary) << u"\n\n"_s;
        if (!command->options.isEmpty()) {
            s << text("Options:", "Opzioni:") << u'\n';
            list(command->options);
            s << u'\n';
        }
        if (command->name == u"board"_s) {
            s << text("Board commands:", "Comandi della scheda:") << u'\n';
            for (const Command &c : commands())
                if (c.name.startsWith(u"board "_s))
                    s << u"  "_s << c.usage.leftJustified(40) << u' ' << pick(c.summary) << u'\n';
            s << u'\n';
        }
        if (command->name.startsWith(u"board"_s)) {
            s << text("Options of every board command:", "Opzioni di ogni comando della scheda:") << u'\n';
            list(boardOptions());
            s << u'\n';
        }
    } else {
        s << text("Commands:", "Comandi:") << u'\n';
        for (const Command &c : commands())
            if (!c.name.contains(u' '))
                s << u"  "_s << c.name.leftJustified(10) << u' ' << pick(c.summary) << u'\n';
        s << u'\n';
    }
    s << text("Options of every command:", "Opzioni di ogni comando:") << u'\n';
    list(commonOptions());
    s << u'\n' << text("Exit status:", "Stato di uscita:") << u'\n' << text("  0  done\n", "  0  fatto\n")
      << text("  1  the cycle could not be written to the file named by -o; a board job failed, the link was lost "
              "or verify found a difference\n",
              "  1  non si \u00e8 potuto scrivere il ciclo nel file indicato da -o; un lavoro della scheda \u00e8 "
              "fallito, il collegamento si \u00e8 perso o la verifica ha trovato una differenza\n")
      << text("  2  wrong command line (unknown command or option, bad value, missing argument)\n",
              "  2  riga di comando errata (comando o opzione sconosciuti, valore errato, argomento mancante)\n")
      << text("  3  a file is not a valid cycle file or cannot be read\n",
              "  3  un file non \u00e8 un file di ciclo valido o non si pu\u00f2 leggere\n")
      << text("  4  no board found, or its port could not be opened\n",
              "  4  nessuna scheda trovata, o non si \u00e8 potuta aprire la sua porta\n")
      << text("  130  interrupted (Ctrl+C)\n", "  130  interrotto (Ctrl+C)\n");
    if (!command)
        s << u'\n'
          << text("See 'orvanta-cli help COMMAND' for a command's options.",
                  "Vedere 'orvanta-cli help COMANDO' per le opzioni di un comando.")
          << u'\n';
    return help;
}

int Run::usage(const Command *command, const QString &problem)
{
    m_err << u"orvanta-cli: "_s << problem << u"\n\n"_s << helpText(command);
    m_err.flush();
    return kUsage;
}

int Run::main(const QStringList &arguments)
{
    // The language first, so that every later message is in it.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        const QString value = a.startsWith(u"--lang="_s) ? a.mid(7)
                              : a == u"--lang"_s         ? arguments.value(i + 1)
                                                         : QString();
        if (value == u"en"_s || value == u"it"_s)
            m_english = value == u"en"_s;
        else if (!value.isEmpty() || a == u"--lang"_s)
            return usage(nullptr, text("--lang takes it or en", "--lang vuole it o en"));
    }

    // First pass: the options before the command, and the command.
    QCommandLineParser first;
    first.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    first.addOptions(m_options.of(u"daylight"_s) << m_options.format << m_options.seconds << m_options.port
                                                 << m_options.device << m_options.yes << m_options.noVerify);
    const auto parserProblem = [this](const QCommandLineParser &p) -> QString {
        return p.unknownOptionNames().isEmpty()
                   ? text("wrong command line: ", "riga di comando errata: ") + p.errorText()
                   : text("unknown option: ", "opzione sconosciuta: ") + p.unknownOptionNames().join(u", "_s);
    };
    if (!first.parse(arguments))
        return usage(nullptr, parserProblem(first));
    const QStringList rest = first.positionalArguments();
    if (rest.isEmpty()) {
        if (first.isSet(m_options.version)) {
            m_out << u"orvanta-cli "_s << m_version << Qt::endl;
            return kDone;
        }
        if (first.isSet(m_options.help)) {
            m_out << helpText(nullptr);
            return kDone;
        }
        return usage(nullptr, text("a command is needed", "manca il comando"));
    }
    m_command = findCommand(rest.constFirst());
    if (!m_command)
        return usage(nullptr, text("unknown command: ", "comando sconosciuto: ") + rest.constFirst());

    // Second pass: the whole line without the command, with its options.
    QStringList line = arguments;
    line.removeAt(arguments.size() - rest.size());
    m_parser.addOptions(m_options.of(m_command->name));
    if (!m_parser.parse(line))
        return usage(m_command, parserProblem(m_parser));
    m_quiet = m_parser.isSet(m_options.quiet);
    if (m_parser.isSet(m_options.version)) {
        m_out << u"orvanta-cli "_s << m_version << Qt::endl;
        return kDone;
    }
    if (m_command->name == u"help"_s) {
        const QStringList what = m_parser.positionalArguments();
        const Command *about = what.isEmpty() ? nullptr : findCommand(what.join(u' '));
        if (what.size() > 2 || (!what.isEmpty() && !about))
            return usage(nullptr, text("help takes one command", "help vuole un comando"));
        m_out << helpText(about);
        return kDone;
    }
    // A board command's help is its own: "board write --help".
    if (m_command->name == u"board"_s && !m_parser.positionalArguments().isEmpty())
        if (const Command *sub = findCommand(u"board "_s + m_parser.positionalArguments().constFirst()))
            m_command = sub;
    if (m_parser.isSet(m_options.help)) {
        m_out << helpText(m_command);
        return kDone;
    }
    if (m_command->name.startsWith(u"board"_s))
        return board();
    if (m_command->name == u"check"_s)
        return check();
    if (m_command->name == u"show"_s)
        return show();
    return daylight();
}

// The lines of a report, each indented; a message's lines are joined by CR.
QString reportLines(const QString &message)
{
    QStringList lines = message.split(kLineBreak);
    for (QString &l : lines)
        if (!l.isEmpty())
            l.prepend(u"  "_s);
    return lines.join(u'\n');
}

int Run::check()
{
    const QStringList files = m_parser.positionalArguments();
    const QString format = m_parser.value(m_options.format);
    if (files.isEmpty())
        return usage(m_command, text("check needs at least one file", "check vuole almeno un file"));
    if (!format.isEmpty() && format != u"text"_s && format != u"json"_s)
        return usage(m_command, text("--format takes text or json", "--format vuole text o json"));

    int status = kDone;
    QJsonArray results;
    for (const QString &file : files) {
        const cyclefile::ReadResult result = cyclefile::readCycleFile(file);
        QString report;
        if (!result.ok()) {
            status = kNotACycle;
            report = pick(result.failure->text);
        } else if (result.cycle->notice) {
            report = pick(result.cycle->notice->text);
        }
        if (format == u"json"_s) {
            QJsonObject o{{u"file"_s, file}, {u"valid"_s, result.ok()}};
            if (result.ok()) {
                o.insert(u"points"_s, result.cycle->pointCount);
                o.insert(u"transition"_s, store::toNumber(result.cycle->transitionTime));
            }
            if (!report.isEmpty())
                o.insert(u"report"_s, QString(report).replace(kLineBreak, u'\n'));
            results.append(o);
            continue;
        }
        if (result.ok())
            m_out << file << text(": ok, %1 points", ": ok, %1 punti").arg(result.cycle->pointCount) << u'\n';
        else
            m_out << file << text(": not a valid cycle file", ": non \u00e8 un file di ciclo valido") << u'\n';
        if (!report.isEmpty())
            m_out << reportLines(report) << u'\n';
    }
    if (format == u"json"_s)
        m_out << QJsonDocument(results).toJson(QJsonDocument::Indented);
    m_out.flush();
    return status;
}

int Run::show()
{
    const QStringList files = m_parser.positionalArguments();
    const QString format = m_parser.value(m_options.format);
    if (files.size() != 1)
        return usage(m_command, text("show takes one file", "show vuole un file"));
    if (!format.isEmpty() && format != u"text"_s && format != u"json"_s && format != u"csv"_s)
        return usage(m_command, text("--format takes text, json or csv", "--format vuole text, json o csv"));

    const QString &file = files.constFirst();
    const cyclefile::ReadResult result = cyclefile::readCycleFile(file);
    if (!result.ok()) {
        say(file + u":\n"_s + reportLines(pick(result.failure->text)));
        return kNotACycle;
    }
    if (result.cycle->notice)
        say(file + u":\n"_s + reportLines(pick(result.cycle->notice->text)));

    const bool hms = !m_parser.isSet(m_options.seconds);
    const qint64 transition = store::toNumber(result.cycle->transitionTime);
    const auto time = [hms](qint64 seconds) {
        return hms ? store::DataBaseTimeToHMS(seconds) : QString::number(seconds);
    };
    using store::Field;
    const Field fields[] = {Field::PointID, Field::Time, Field::Length, Field::Red, Field::Green, Field::Blue};
    QList<QStringList> rows;
    QJsonArray points;
    for (const store::ColourPoint &p : result.cycle->rows) {
        if (p.value(Field::PointID) == 0)
            continue;
        QStringList row;
        for (const Field f : fields)
            row << (f == Field::Time || f == Field::Length ? time(p.value(f)) : QString::number(p.value(f)));
        rows << row;
        points.append(QJsonObject{{u"point"_s, p.value(Field::PointID)},
                                  {u"time"_s, p.value(Field::Time)},
                                  {u"length"_s, p.value(Field::Length)},
                                  {u"red"_s, p.value(Field::Red)},
                                  {u"green"_s, p.value(Field::Green)},
                                  {u"blue"_s, p.value(Field::Blue)}});
    }

    if (format == u"json"_s) {
        m_out << QJsonDocument(QJsonObject{{u"file"_s, file}, {u"transition"_s, transition}, {u"points"_s, points}})
                     .toJson(QJsonDocument::Indented);
    } else if (format == u"csv"_s) {
        // Column names stay English: they are for programs, not for people.
        m_out << u"point,time,length,red,green,blue\n"_s;
        for (const QStringList &row : std::as_const(rows))
            m_out << row.join(u',') << u'\n';
        m_out << u"transition,"_s << time(transition) << u",,,,\n"_s;
    } else {
        const QStringList heads =
            m_english ? QStringList{u"point"_s, u"time"_s, u"length"_s, u"red"_s, u"green"_s, u"blue"_s}
                      : QStringList{u"punto"_s, u"tempo"_s, u"lunghezza"_s, u"rosso"_s, u"verde"_s, u"blu"_s};
        const auto line = [this](const QStringList &cells) {
            QStringList padded;
            for (const QString &c : cells)
                padded << c.rightJustified(9);
            m_out << padded.join(u' ') << u'\n';
        };
        line(heads);
        for (const QStringList &row : std::as_const(rows))
            line(row);
        m_out << text("transition: ", "transizione: ") << time(transition) << u'\n';
    }
    m_out.flush();
    return kDone;
}

// A whole number within low..high, or nothing.
std::optional<int> number(const QString &text, int low, int high)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= low && value <= high ? std::optional<int>(value) : std::nullopt;
}

std::optional<daycycle::Place> Run::daylightPlace(QString &problem) const
{
    daycycle::Place place;
    const bool byName = m_parser.isSet(m_options.place);
    if (byName == (m_parser.isSet(m_options.lat) || m_parser.isSet(m_options.lon))) {
        problem = text("give either --place or --lat and --lon", "indicare --place oppure --lat e --lon");
        return std::nullopt;
    }
    if (byName) {
        const QString name = m_parser.value(m_options.place);
        QStringList known;
        bool found = false;
        for (const daycycle::Place &p : daycycle::namedPlaces()) {
            known << pick(p.name);
            if (!found
                && (p.name.english.compare(name, Qt::CaseInsensitive) == 0
                    || p.name.italian.compare(name, Qt::CaseInsensitive) == 0)) {
                place = p;
                found = true;
            }
        }
        if (!found) {
            problem = text("unknown place: %1 (the places: %2)", "luogo sconosciuto: %1 (i luoghi: %2)")
                          .arg(name, known.join(u", "_s));
            return std::nullopt;
        }
    } else {
        bool latOk = false;
        bool lonOk = false;
        place.latitude = m_parser.value(m_options.lat).toDouble(&latOk);
        place.longitude = m_parser.value(m_options.lon).toDouble(&lonOk);
        if (!latOk || !lonOk || qAbs(place.latitude) > 90 || qAbs(place.longitude) > 180) {
            problem = text("--lat takes -90..90 and --lon -180..180 degrees",
                           "--lat vuole da -90 a 90 gradi e --lon da -180 a 180");
            return std::nullopt;
        }
    }
    if (m_parser.isSet(m_options.tz)) {
        const QByteArray zone = m_parser.value(m_options.tz).toUtf8();
        if (!QTimeZone::isTimeZoneIdAvailable(zone)) {
            problem = text("unknown time zone: ", "fuso orario sconosciuto: ") + m_parser.value(m_options.tz);
            return std::nullopt;
        }
        place.zone = QTimeZone(zone);
    }
    return place;
}

std::optional<daycycle::Options> Run::daylightOptions(QString &problem) const
{
    daycycle::Options o;
    const auto take = [&](const QCommandLineOption &option, int low, int high, int &into) {
        if (!m_parser.isSet(option))
            return true;
        const std::optional<int> value = number(m_parser.value(option), low, high);
        if (!value)
            problem = text("--%1 takes a whole number from %2 to %3", "--%1 vuole un numero intero da %2 a %3")
                          .arg(option.names().constLast())
                          .arg(low)
                          .arg(high);
        into = value.value_or(into);
        return value.has_value();
    };
    if (!take(m_options.points, daycycle::kMinBudget, daycycle::kMaxBudget, o.budget)
        || !take(m_options.moon, 0, 100, o.moonMax) || !take(m_options.shift, -720, 720, o.shiftMinutes)
        || !take(m_options.photoperiod, 0, daycycle::kDayMinutes, o.photoperiodMinutes))
        return std::nullopt;
    if (m_parser.isSet(m_options.peak)) {
        const QStringList parts = m_parser.value(m_options.peak).split(u',');
        for (std::size_t ch = 0; ch < 3; ++ch) {
            const std::optional<int> value = parts.size() == 3 ? number(parts.at(qsizetype(ch)), 0, 100) : std::nullopt;
            if (!value) {
                problem = text("--peak takes three percents R,G,B, each 0..100",
                               "--peak vuole tre percentuali R,G,B, ognuna da 0 a 100");
                return std::nullopt;
            }
            o.peak[ch] = *value;
        }
    }
    return o;
}

int Run::daylight()
{
    if (!m_parser.positionalArguments().isEmpty())
        return usage(m_command, text("daylight takes no file; use -o FILE", "daylight non vuole file; usare -o FILE"));
    QString problem;
    const std::optional<daycycle::Place> place = daylightPlace(problem);
    const std::optional<daycycle::Options> options = place ? daylightOptions(problem) : std::nullopt;
    if (!options)
        return usage(m_command, problem);
    QDate date = QDate::currentDate();
    if (m_parser.isSet(m_options.date)) {
        date = QDate::fromString(m_parser.value(m_options.date), Qt::ISODate);
        if (!date.isValid() || date.year() < 1900 || date.year() > 2100)
            return usage(m_command, text("--date takes a date YYYY-MM-DD from 1900 to 2100",
                                         "--date vuole una data AAAA-MM-GG dal 1900 al 2100"));
    }

    const daycycle::Sky sky(*place, date);
    const daycycle::Ideal ideal = daycycle::idealDay(sky, *options);
    const daycycle::Fit fit = daycycle::fitCycle(ideal, options->budget);
    const QByteArray file = daycycle::cycleFileText(fit);

    const QString output = m_parser.value(m_options.output);
    if (output.isEmpty() || output == u"-"_s) {
        // The file is plain ASCII with its CR LF line ends.
        m_out << QString::fromLatin1(file);
        m_out.flush();
    } else if (const std::optional<QString> failure = cyclefile::writeWholeFile(output, file)) {
        m_err << text("orvanta-cli: %1 cannot be written: %2", "orvanta-cli: non si pu\u00f2 scrivere %1: %2")
                     .arg(output, *failure)
              << Qt::endl;
        return kWriteFailed;
    }

    const daycycle::SkyDay &events = ideal.sky;
    const auto at = [](const std::optional<QTime> &t) { return t ? t->toString(u"HH:mm:ss"_s) : u"-"_s; };
    if (!events.sunrise && !events.sunset) {
        const int noon = events.solarNoon ? events.solarNoon->msecsSinceStartOfDay() / 1000 : daycycle::kDaySeconds / 2;
        say(sky.sunAltitude(noon) > daycycle::kSunriseAltitude
                ? text("Polar day: the sun does not set", "Giorno polare: il sole non tramonta")
                : text("Polar night: the sun does not rise", "Notte polare: il sole non sorge"));
    } else {
        say(text("Sunrise %1, sunset %2", "Alba %1, tramonto %2").arg(at(events.sunrise), at(events.sunset)));
    }
    const auto diff = [&fit](std::size_t ch) { return QString::number(fit.maxDifference[ch], 'f', 1); };
    say(text("%1 points; largest difference from the day's light in percentage points: red %2, green %3, blue %4",
             "%1 punti; differenza massima dalla luce del giorno in punti percentuali: rosso %2, verde %3, blu %4")
            .arg(QString::number(fit.points.size()), diff(0), diff(1), diff(2)));
    return kDone;
}

int Run::board()
{
    QStringList args = m_parser.positionalArguments();
    if (m_command->name == u"board"_s)
        return usage(m_command, args.isEmpty() ? text("a board command is needed", "manca il comando della scheda")
                                               : text("unknown board command: ", "comando della scheda sconosciuto: ")
                                                     + args.constFirst());
    BoardRequest r;
    r.command = args.takeFirst();
    r.english = m_english;
    r.quiet = m_quiet;

    // Each option where it means something.
    const QString &c = r.command;
    const bool hasSlot = c == u"read"_s || c == u"write"_s || c == u"rename"_s || c == u"clean"_s;
    const bool hasFolder = c == u"backup"_s || c == u"restore"_s;
    const qsizetype wanted = (hasSlot ? 1 : 0) + (hasFolder || c == u"write"_s || c == u"rename"_s ? 1 : 0);
    const QList<std::pair<const QCommandLineOption *, bool>> fit{
        {&m_options.format, c == u"list"_s || c == u"info"_s || c == u"names"_s},
        {&m_options.output, c == u"read"_s},
        {&m_options.noVerify, c == u"write"_s || c == u"restore"_s},
        {&m_options.yes, c == u"erase"_s || hasFolder},
        {&m_options.port, !m_parser.isSet(m_options.device)},
    };
    for (const auto &[option, fits] : fit)
        if (m_parser.isSet(*option) && !fits)
            return usage(
                m_command,
                text("--%1 does not go with board %2", "--%1 non va con board %2").arg(option->names().constLast(), c));
    if (args.size() != wanted)
        return usage(m_command, text("wrong number of arguments", "numero di argomenti errato"));

    const QString format = m_parser.value(m_options.format);
    if (!format.isEmpty() && format != u"text"_s && format != u"json"_s)
        return usage(m_command, text("--format takes text or json", "--format vuole text o json"));
    r.json = format == u"json"_s;
    r.verify = !m_parser.isSet(m_options.noVerify);
    r.device = m_parser.value(m_options.device);
    if (m_parser.isSet(m_options.port)) {
        const QString port = m_parser.value(m_options.port);
        const std::optional<int> n =
            port.startsWith(u"COM"_s, Qt::CaseInsensitive) ? number(port.mid(3), 1, 16) : std::nullopt;
        if (!n)
            return usage(m_command, text("--port takes COM1..COM16", "--port vuole COM1..COM16"));
        r.port = *n;
    }
    if (hasSlot) {
        // Slot 1 can only be read, as in the window.
        const std::optional<int> slot = number(args.takeFirst(), c == u"read"_s ? 1 : 2, 8);
        if (!slot)
            return usage(m_command, c == u"read"_s ? text("the slot is 1..8", "lo slot va da 1 a 8")
                                                   : text("the slot is 2..8: slot 1 can only be read",
                                                          "lo slot va da 2 a 8: lo slot 1 si può solo leggere"));
        r.slot = *slot;
    }
    if (c == u"read"_s)
        r.path = m_parser.value(m_options.output);
    else if (!args.isEmpty())
        r.path = args.takeFirst();

    if (c == u"rename"_s) {
        const board::RenameCheck check = board::checkRenameText(r.path);
        if (check.refusal)
            return usage(m_command, pick(check.refusal->text) + u'\n' + pick(board::renameAllowedLine()));
        if (!check.name)
            return usage(m_command, pick(board::renameEmptyMessage().text));
        r.name = *check.name;
    }
    if ((c == u"erase"_s || c == u"restore"_s) && !m_parser.isSet(m_options.yes))
        return usage(
            m_command,
            text("board %1 changes the board: add --yes", "board %1 modifica la scheda: aggiungere --yes").arg(c));
    // A back up replaces older ones only when told to.
    if (c == u"backup"_s && !m_parser.isSet(m_options.yes)) {
        const QStringList replaced = board::existingBackups(r.path);
        if (!replaced.isEmpty())
            return usage(m_command, text("%1 holds a backup already (%2): add --yes to replace it",
                                         "%1 contiene già un salvataggio (%2): aggiungere --yes per sostituirlo")
                                        .arg(r.path, replaced.join(u", "_s)));
    }
    return runBoard(r, m_out, m_err);
}

} // namespace

bool englishFromEnvironment()
{
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty())
            return !value.startsWith("it");
    }
    return true;
}

int run(const QStringList &arguments, QTextStream &out, QTextStream &err, bool english, const QString &version)
{
    Run r(out, err, english, version);
    return r.main(arguments);
}

} // namespace cli
