#pragma once

#include "platform/message.h"

#include <QColor>
#include <QString>

#include <functional>
#include <optional>

class QPagedPaintDevice;

class QWidget;

namespace platform {

// The modal dialogs the program reaches. The program uses QtDialogs; tests use
// ScriptedDialogs, which answers from a queue and records what was shown.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Message box: the button pressed.
    virtual MsgResult message(const Message &message) = 0;
    // Input box: the text typed, or nothing when cancelled.
    virtual std::optional<QString> input(const QString &prompt, const QString &title, const QString &defaultText) = 0;
    // Input box whose field takes at most `maxLength` characters while
    // typing; it opens with `defaultText`.
    virtual std::optional<QString> shortInput(const QString &prompt, const QString &title, const QString &defaultText,
                                              int maxLength)
    {
        const std::optional<QString> text = input(prompt, title, defaultText.left(maxLength));
        return text ? std::optional(text->left(maxLength)) : std::nullopt;
    }
    // File dialogs: a path, or nothing when cancelled. `filter` is in Qt's
    // syntax ("Text (*.txt)"). The save dialog never asks about overwriting:
    // the program asks itself.
    virtual std::optional<QString> openFile(const QString &title, const QString &filter, const QString &fileName) = 0;
    virtual std::optional<QString> saveFile(const QString &title, const QString &filter, const QString &fileName) = 0;
    // Folder dialog: an existing folder, or nothing when cancelled.
    virtual std::optional<QString> folder(const QString &title, const QString &startFolder)
    {
        Q_UNUSED(title);
        Q_UNUSED(startFolder);
        return std::nullopt;
    }
    // Colour dialog: the colour chosen, or nothing when cancelled.
    virtual std::optional<QColor> colour(const QColor &initial) = 0;
    // Print dialog: the user chooses a printer and its options, then
    // `render` draws the pages on it. False when the user cancelled.
    virtual bool print(const QString &title, const std::function<void(QPagedPaintDevice &printer)> &render) = 0;
    // A cycle computed from the daylight of a place and a date: the cycle
    // file's text and the title that names it, or nothing when cancelled.
    struct GeneratedCycle
    {
        QByteArray text;
        Bilingual title;
    };
    virtual std::optional<GeneratedCycle> daylight(bool english) = 0;
    // Shows the guide named by the help file setting ("OrvantaGuida" or "OrvantaGuide").
    virtual void showHelp(const QString &helpFile) = 0;
    // The guide, when it is open, shows the guide `helpFile` instead (the
    // language has been switched); a closed guide stays closed.
    virtual void switchHelp(const QString &helpFile) = 0;
};

} // namespace platform
