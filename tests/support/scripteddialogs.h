#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>

#include <variant>

// Dialogs that answer from a script. Each dialog the program opens takes the
// next answer of its kind; a dialog nobody scripted fails the running test.
// Every message shown is recorded, answered or not.
class ScriptedDialogs final : public platform::Dialogs
{
public:
    // Answers, queued in the order the program will ask.
    void answerMessage(platform::MsgResult answer) { m_messages.enqueue(answer); }
    void answerInput(const std::optional<QString> &text) { m_inputs.enqueue(text); }
    void answerOpenFile(const std::optional<QString> &path) { m_openFiles.enqueue(path); }
    void answerSaveFile(const std::optional<QString> &path) { m_saveFiles.enqueue(path); }
    void answerColour(const std::optional<QColor> &colour) { m_colours.enqueue(colour); }
    // A print dialog answered OK renders into a PDF kept in `printed`.
    void answerPrint(bool ok) { m_prints.enqueue(ok); }
    void answerFolder(const std::optional<QString> &path) { m_folders.enqueue(path); }
    void answerDaylight(const std::optional<GeneratedCycle> &cycle) { m_daylights.enqueue(cycle); }

    // What was shown; `onMessage` sees the window as it is when each message comes up.
    QList<platform::Message> shown;
    std::function<void(const platform::Message &)> onMessage;
    struct FileDialog
    {
        bool save;
        QString title;
        QString filter;
        QString fileName;
    };
    QList<FileDialog> fileDialogs;
    QStringList helpShown;
    QList<QByteArray> printed;
    // The text each input box opened with, and its length limit (0: none).
    struct InputBox
    {
        QString defaultText;
        int maxLength = 0;
    };
    QList<InputBox> inputs;

    // True when every scripted answer has been used.
    bool allAnswered() const;
    // The last message shown (an empty one when there was none).
    platform::Message last() const { return shown.isEmpty() ? platform::Message{} : shown.last(); }

    platform::MsgResult message(const platform::Message &message) override;
    std::optional<QString> input(const QString &prompt, const QString &title, const QString &defaultText) override;
    // The scripted text is cut to the limit, as typing into the box would be.
    std::optional<QString> shortInput(const QString &prompt, const QString &title, const QString &defaultText,
                                      int maxLength) override;
    std::optional<QString> folder(const QString &title, const QString &startFolder) override;
    std::optional<QString> openFile(const QString &title, const QString &filter, const QString &fileName) override;
    std::optional<QString> saveFile(const QString &title, const QString &filter, const QString &fileName) override;
    std::optional<QColor> colour(const QColor &initial) override;
    std::optional<GeneratedCycle> daylight(bool english) override;
    bool print(const QString &title, const std::function<void(QPagedPaintDevice &printer)> &render) override;
    void showHelp(const QString &helpFile) override { helpShown.append(helpFile); }
    // A switch of an open guide is recorded as "-> file".
    void switchHelp(const QString &helpFile) override { helpShown.append(QStringLiteral("-> ") + helpFile); }

private:
    QQueue<platform::MsgResult> m_messages;
    QQueue<std::optional<QString>> m_inputs;
    QQueue<std::optional<QString>> m_openFiles;
    QQueue<std::optional<QString>> m_saveFiles;
    QQueue<std::optional<QColor>> m_colours;
    QQueue<std::optional<GeneratedCycle>> m_daylights;
    QQueue<bool> m_prints;
    QQueue<std::optional<QString>> m_folders;
};
