#include "support/scripteddialogs.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QTest>

namespace {

// The next scripted answer of a kind, or a failure of the running test when
// none was scripted.
template <typename T>
T next(QQueue<T> &answers, const QString &what, T fallback = {})
{
    if (answers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected dialog: ") + what), __FILE__, __LINE__);
        return fallback;
    }
    return answers.dequeue();
}

} // namespace

bool ScriptedDialogs::allAnswered() const
{
    return m_messages.isEmpty() && m_inputs.isEmpty() && m_openFiles.isEmpty() && m_saveFiles.isEmpty()
           && m_colours.isEmpty() && m_prints.isEmpty() && m_folders.isEmpty() && m_daylights.isEmpty();
}

platform::MsgResult ScriptedDialogs::message(const platform::Message &message)
{
    shown.append(message);
    if (onMessage)
        onMessage(message);
    return next(m_messages, QStringLiteral("message \"%1\" / \"%2\"").arg(message.title, message.text),
                message.defaultButton);
}

std::optional<QString> ScriptedDialogs::input(const QString &prompt, const QString &, const QString &defaultText)
{
    inputs.append({defaultText, 0});
    return next(m_inputs, QStringLiteral("input box \"%1\"").arg(prompt));
}

std::optional<QString> ScriptedDialogs::shortInput(const QString &prompt, const QString &, const QString &defaultText,
                                                   int maxLength)
{
    inputs.append({defaultText, maxLength});
    const std::optional<QString> text = next(m_inputs, QStringLiteral("input box \"%1\"").arg(prompt));
    return text ? std::optional(text->left(maxLength)) : std::nullopt;
}

std::optional<QString> ScriptedDialogs::folder(const QString &title, const QString &)
{
    fileDialogs.append({false, title, QString(), QString()});
    return next(m_folders, QStringLiteral("folder dialog \"%1\"").arg(title));
}

std::optional<QString> ScriptedDialogs::openFile(const QString &title, const QString &filter, const QString &fileName)
{
    fileDialogs.append({false, title, filter, fileName});
    return next(m_openFiles, QStringLiteral("open dialog \"%1\"").arg(title));
}

std::optional<QString> ScriptedDialogs::saveFile(const QString &title, const QString &filter, const QString &fileName)
{
    fileDialogs.append({true, title, filter, fileName});
    return next(m_saveFiles, QStringLiteral("save dialog \"%1\"").arg(title));
}

std::optional<QColor> ScriptedDialogs::colour(const QColor &)
{
    return next(m_colours, QStringLiteral("colour dialog"));
}

std::optional<platform::Dialogs::GeneratedCycle> ScriptedDialogs::daylight(bool)
{
    return next(m_daylights, QStringLiteral("daylight dialog"));
}

bool ScriptedDialogs::print(const QString &title, const std::function<void(QPagedPaintDevice &printer)> &render)
{
    if (!next(m_prints, QStringLiteral("print dialog \"%1\"").arg(title), false))
        return false;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter printer(&buffer);
        render(printer);
    }
    printed.append(buffer.data());
    return true;
}
