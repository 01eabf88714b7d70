#pragma once

#include <QStringList>

class QTextStream;

// orvanta-cli: the cycle files, the daylight cycle and the board from
// scripts, without a window. Results go to standard output, messages to
// standard error; nothing reads standard input for an answer (only `board
// write SLOT -` reads its cycle file from it).
namespace cli {

// The exit status of a run.
enum Exit : int {
    kDone = 0,
    // The cycle could not be written to the file named by -o; or a board job
    // failed, the link was lost, or verify after write found a difference.
    kWriteFailed = 1,
    kJobFailed = 1,
    // The command line is wrong: unknown command or option, a bad value, a
    // missing argument. The usage goes to standard error.
    kUsage = 2,
    // A file is not a valid cycle file, or cannot be read.
    kNotACycle = 3,
    // No board found, or the port could not be opened.
    kNoBoard = 4,
    // Stopped by SIGINT or SIGTERM (Ctrl+C).
    kInterrupted = 130,
};

// English unless the first of LC_ALL, LC_MESSAGES and LANG that is set starts
// with "it".
bool englishFromEnvironment();

// Runs one command line, `arguments` starting with the program's name, and
// returns its exit status. `version` is what --version shows.
int run(const QStringList &arguments, QTextStream &out, QTextStream &err, bool english, const QString &version);

} // namespace cli
