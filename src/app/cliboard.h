#pragma once

#include <QByteArray>
#include <QString>

class QTextStream;

// orvanta-cli's board commands: the board session the window drives, driven
// here from the command line on its own 50 ms tick.
namespace cli {

// A board command with its arguments already checked.
struct BoardRequest
{
    QString command; // list, info, names, read, write, rename, clean, erase, backup, restore
    int slot = 0;
    // read: where the cycle file goes ("" or "-": standard output); write:
    // the cycle file ("-": standard input); backup and restore: the folder.
    QString path;
    QByteArray name; // rename: the 8 bytes
    int port = 0;    // --port COMn; 0 with no --port
    QString device;  // --device PATH
    bool json = false;
    bool verify = true;
    bool english = true;
    bool quiet = false;
};

// Runs the command against the board and returns the exit status (see
// cli::Exit).
int runBoard(const BoardRequest &request, QTextStream &out, QTextStream &err);

} // namespace cli
