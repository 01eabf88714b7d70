#include "platform/qtdialogs.h"

#include "cyclefile/daylightdialog.h"

#include "platform/helpwindow.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpacerItem>

#include <algorithm>

namespace platform {

namespace {

QMessageBox::Icon toQt(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton toQt(MsgResult r)
{
    switch (r) {
    case MsgResult::Ok: return QMessageBox::Ok;
    case MsgResult::Cancel: return QMessageBox::Cancel;
    case MsgResult::Yes: return QMessageBox::Yes;
    case MsgResult::No: return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons toQt(MsgButtons b)
{
    switch (b) {
    case MsgButtons::Ok: return QMessageBox::Ok;
    case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// The message texts join their lines with a carriage return alone.
QString displayText(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QChar(13), QChar(10));
    return shown;
}

} // namespace

MsgResult QtDialogs::message(const Message &message)
{
    QMessageBox box(toQt(message.icon), message.title, displayText(message.text), toQt(message.buttons), m_parent);
    box.setDefaultButton(toQt(message.defaultButton));
    // Wide enough for the whole title beside the window's own buttons: a
    // short text alone would cut it ("W...ng").
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout())) {
        const int titleWidth = box.fontMetrics().horizontalAdvance(message.title) + 160;
        grid->addItem(new QSpacerItem(std::max(titleWidth, 320), 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    if (message.buttons == MsgButtons::YesNoCancel || message.buttons == MsgButtons::OkCancel)
        box.setEscapeButton(QMessageBox::Cancel);
    else if (message.buttons == MsgButtons::YesNo)
        box.setEscapeButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    case QMessageBox::Cancel: return MsgResult::Cancel;
    default: return MsgResult::Ok;
    }
}

std::optional<QString> QtDialogs::input(const QString &prompt, const QString &title, const QString &defaultText)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, title, displayText(prompt), QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtDialogs::shortInput(const QString &prompt, const QString &title, const QString &defaultText,
                                             int maxLength)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(displayText(prompt));
    dialog.setTextValue(defaultText.left(maxLength));
    if (auto *field = dialog.findChild<QLineEdit *>())
        field->setMaxLength(maxLength);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue().left(maxLength);
}

std::optional<QString> QtDialogs::folder(const QString &title, const QString &startFolder)
{
    const QString path = QFileDialog::getExistingDirectory(m_parent, title, startFolder);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtDialogs::openFile(const QString &title, const QString &filter, const QString &fileName)
{
    const QString path = QFileDialog::getOpenFileName(m_parent, title, fileName, filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtDialogs::saveFile(const QString &title, const QString &filter, const QString &fileName)
{
    const QString path =
        QFileDialog::getSaveFileName(m_parent, title, fileName, filter, nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QColor> QtDialogs::colour(const QColor &initial)
{
    const QColor chosen = QColorDialog::getColor(initial, m_parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

bool QtDialogs::print(const QString &title, const std::function<void(QPagedPaintDevice &printer)> &render)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    QPrintDialog dialog(&printer, m_parent);
    dialog.setWindowTitle(title);
    // One page: no page range to choose.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    render(printer);
    return true;
}

std::optional<Dialogs::GeneratedCycle> QtDialogs::daylight(bool english)
{
    DaylightDialog dialog(english, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return GeneratedCycle{dialog.cycleFileText(), dialog.title()};
}

void QtDialogs::showHelp(const QString &helpFile) { HelpWindow::showGuide(helpFile, m_parent); }

void QtDialogs::switchHelp(const QString &helpFile) { HelpWindow::switchGuide(helpFile); }

} // namespace platform
