#include "support/scripteddialogs.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QTest>

namespace {

void unexpected(const QString &what)
{
    QTest::qFail(qPrintable(QStringLiteral("unexpected dialog: ") + what), __FILE__, __LINE__);
}

} // namespace

bool ScriptedDialogs::allAnswered() const
{
    return m_messages.isEmpty() && m_inputs.isEmpty() && m_openFiles.isEmpty() && m_saveFiles.isEmpty()
           && m_colours.isEmpty() && m_prints.isEmpty() && m_folders.isEmpty();
}

platform::MsgResult ScriptedDialogs::message(const platform::Message &message)
{
    shown.append(message);
    if (m_messages.isEmpty()) {
        unexpected(QStringLiteral("message \"%1\" / \"%2\"").arg(message.title, message.text));
        return message.defaultButton;
    }
    return m_messages.dequeue();
}

std::optional<QString> ScriptedDialogs::input(const QString &prompt, const QString &, const QString &defaultText)
{
    inputs.append({defaultText, 0});
    if (m_inputs.isEmpty()) {
        unexpected(QStringLiteral("input box \"%1\"").arg(prompt));
        return std::nullopt;
    }
    return m_inputs.dequeue();
}

std::optional<QString> ScriptedDialogs::shortInput(const QString &prompt, const QString &, const QString &defaultText,
                                                   int maxLength)
{
    inputs.append({defaultText, maxLength});
    if (m_inputs.isEmpty()) {
        unexpected(QStringLiteral("input box \"%1\"").arg(prompt));
        return std::nullopt;
    }
    const std::optional<QString> text = m_inputs.dequeue();
    return text ? std::optional(text->left(maxLength)) : std::nullopt;
}

std::optional<QString> ScriptedDialogs::folder(const QString &title, const QString &)
{
    fileDialogs.append({false, title, QString(), QString()});
    if (m_folders.isEmpty()) {
        unexpected(QStringLiteral("folder dialog \"%1\"").arg(title));
        return std::nullopt;
    }
    return m_folders.dequeue();
}

std::optional<QString> ScriptedDialogs::openFile(const QString &title, const QString &filter, const QString &fileName)
{
    fileDialogs.append({false, title, filter, fileName});
    if (m_openFiles.isEmpty()) {
        unexpected(QStringLiteral("open dialog \"%1\"").arg(title));
        return std::nullopt;
    }
    return m_openFiles.dequeue();
}

std::optional<QString> ScriptedDialogs::saveFile(const QString &title, const QString &filter, const QString &fileName)
{
    fileDialogs.append({true, title, filter, fileName});
    if (m_saveFiles.isEmpty()) {
        unexpected(QStringLiteral("save dialog \"%1\"").arg(title));
        return std::nullopt;
    }
    return m_saveFiles.dequeue();
}

std::optional<QColor> ScriptedDialogs::colour(const QColor &)
{
    if (m_colours.isEmpty()) {
        unexpected(QStringLiteral("colour dialog"));
        return std::nullopt;
    }
    return m_colours.dequeue();
}

bool ScriptedDialogs::print(const QString &title, const std::function<void(QPagedPaintDevice &printer)> &render)
{
    if (m_prints.isEmpty()) {
        unexpected(QStringLiteral("print dialog \"%1\"").arg(title));
        return false;
    }
    if (!m_prints.dequeue())
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
