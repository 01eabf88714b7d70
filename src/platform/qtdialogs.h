#pragma once

#include "platform/dialogs.h"

#include <QPointer>

class QWidget;

namespace platform {

// The program's dialogs: Qt's message box, input dialog, file and colour
// dialogs, and a help window showing the bundled guide.
class QtDialogs final : public Dialogs
{
public:
    explicit QtDialogs(QWidget *parent = nullptr)
        : m_parent(parent)
    {
    }
    void setParent(QWidget *parent) { m_parent = parent; }

    MsgResult message(const Message &message) override;
    std::optional<QString> input(const QString &prompt, const QString &title, const QString &defaultText) override;
    std::optional<QString> shortInput(const QString &prompt, const QString &title, const QString &defaultText,
                                      int maxLength) override;
    std::optional<QString> folder(const QString &title, const QString &startFolder) override;
    std::optional<QString> openFile(const QString &title, const QString &filter, const QString &fileName) override;
    std::optional<QString> saveFile(const QString &title, const QString &filter, const QString &fileName) override;
    std::optional<QColor> colour(const QColor &initial) override;
    bool print(const QString &title, const std::function<void(QPagedPaintDevice &printer)> &render) override;
    std::optional<GeneratedCycle> daylight(bool english) override;
    void showHelp(const QString &helpFile) override;
    void switchHelp(const QString &helpFile) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace platform
