#include "cyclefile/filemessages.h"

#include <QList>

namespace cyclefile::messages {

namespace {

using platform::BilingualMessage;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

const QChar DQ(34);
const QChar CR = kLineBreak;

BilingualMessage ask(const QString &english, const QString &italian, MsgIcon icon = MsgIcon::Question)
{
    return BilingualMessage{{english, italian}, platform::warningTitle(), icon, MsgButtons::YesNo, MsgResult::No};
}

BilingualMessage warn(const QString &english, const QString &italian)
{
    return BilingualMessage{
        {english, italian}, platform::warningTitle(), MsgIcon::Exclamation, MsgButtons::Ok, MsgResult::Ok};
}

QString details(const QString &fileLabel, const QString &path, const QString &reasonLabel, const QString &reason)
{
    return CR + QString(CR) + fileLabel + DQ + path + DQ + CR + reasonLabel + DQ + reason + DQ;
}

} // namespace

Bilingual openTitle() { return {QStringLiteral("File Open"), QStringLiteral("Apri File")}; }
Bilingual createTitle() { return {QStringLiteral("File Create"), QStringLiteral("Crea File")}; }
Bilingual saveTitle() { return {QStringLiteral("File Save"), QStringLiteral("Salva File")}; }
Bilingual saveAsTitle() { return {QStringLiteral("File SaveAs"), QStringLiteral("Salva Come File")}; }

Bilingual noFileStatus() { return {QStringLiteral("File: None"), QStringLiteral("File: Nessuno")}; }
Bilingual fileStatus(const QString &path) { return {QStringLiteral("File: ") + path, QStringLiteral("File: ") + path}; }

BilingualMessage saveConfirm()
{
    return ask(QStringLiteral("Save File! Confirm?"), QStringLiteral("Salvare il File! Confermi?"));
}

BilingualMessage saveAsConfirm()
{
    return ask(QStringLiteral("Save As File! Confirm?"), QStringLiteral("Salvare Con nuovo nome il File! Confermi?"));
}

BilingualMessage closeConfirm() { return ask(QStringLiteral("Close! Confirm?"), QStringLiteral("Chiudi! Confermi?")); }

BilingualMessage deleteConfirm()
{
    return ask(QStringLiteral("Delete! Confirm?"), QStringLiteral("cancella! Confermi?"), MsgIcon::Exclamation);
}

BilingualMessage deleteConfirm(const QString &path)
{
    BilingualMessage message = deleteConfirm();
    const QString file = CR + QStringLiteral("File: ") + DQ + path + DQ;
    message.text.english += file;
    message.text.italian += file;
    return message;
}

BilingualMessage overwrite()
{
    return ask(QStringLiteral("File exists! Overwrite?"), QStringLiteral("Il File esiste! Sovrascrivere?"),
               MsgIcon::Exclamation);
}

BilingualMessage fileNotFound()
{
    return warn(QStringLiteral("File is not been found!"), QStringLiteral("Il File non è stato trovato!"));
}

BilingualMessage saveFileNotFound()
{
    BilingualMessage message = fileNotFound();
    message.text.english += CR + QStringLiteral("Use File SaveAs to keep the cycle in another file.");
    message.text.italian += CR + QStringLiteral("Usa SalvaCome File per tenere il ciclo in un altro File.");
    return message;
}

BilingualMessage createOpenFile(const QString &path)
{
    const QString file = CR + QString(CR) + QStringLiteral("File: ") + DQ + path + DQ;
    return warn(QStringLiteral("The File holds the open cycle! Create would empty it.") + file,
                QStringLiteral("Il File contiene il ciclo aperto! Crea lo svuoterebbe.") + file);
}

BilingualMessage deleteFileNotFound()
{
    return warn(QStringLiteral("File is not been found!"), QStringLiteral("Il File non è stato trovato"));
}

BilingualMessage sameFile()
{
    return warn(QStringLiteral("Source file and Destination file are the same! Use the Save command."),
                QStringLiteral("File Origine e Destinatario sono lo stesso File! Uasa il Commando Salva."));
}

BilingualMessage writeFailed(const QString &path, const QString &reason)
{
    return warn(QStringLiteral("File has not been written!")
                    + details(QStringLiteral("File: "), path, QStringLiteral("Error: "), reason),
                QStringLiteral("Il File non è stato scritto!")
                    + details(QStringLiteral("File: "), path, QStringLiteral("Errore: "), reason));
}

BilingualMessage deleteFailed(const QString &path, const QString &reason)
{
    return warn(QStringLiteral("File has not been deleted!")
                    + details(QStringLiteral("File: "), path, QStringLiteral("Error: "), reason),
                QStringLiteral("Il File non è stato eliminato!")
                    + details(QStringLiteral("File: "), path, QStringLiteral("Errore: "), reason));
}

BilingualMessage recentMissing(const QString &path)
{
    const QString file = CR + QString(CR) + QStringLiteral("File: ") + DQ + path + DQ;
    return warn(QStringLiteral("File is not been found! It has been removed from the Recent Files.") + file,
                QStringLiteral("Il File non è stato trovato! È stato tolto dai File Recenti.") + file);
}

Bilingual exportTitle() { return {QStringLiteral("Export"), QStringLiteral("Esporta")}; }

QString exportFilter() { return QStringLiteral("PDF (*.pdf);;PNG (*.png)"); }

Bilingual sheetTitle() { return {QStringLiteral("Orvanta colour cycle"), QStringLiteral("Orvanta ciclo colore")}; }

Bilingual sheetCycle(const Bilingual &cycleTitle)
{
    const auto name = [](const QString &title, const QString &none) { return title.isEmpty() ? none : title; };
    return {QStringLiteral("Cycle: ") + name(cycleTitle.english, QStringLiteral("unnamed")),
            QStringLiteral("Ciclo: ") + name(cycleTitle.italian, QStringLiteral("senza nome"))};
}

Bilingual sheetDocumentTitle(const Bilingual &cycleTitle)
{
    const Bilingual title = sheetTitle();
    const auto named = [](const QString &sheet, const QString &cycle) {
        return cycle.isEmpty() ? sheet : sheet + QStringLiteral(" - ") + cycle;
    };
    return {named(title.english, cycleTitle.english), named(title.italian, cycleTitle.italian)};
}

Bilingual sheetTransition()
{
    return {QStringLiteral("Cycle End Transition Time: "), QStringLiteral("Tempo Viraggio Fine Ciclo: ")};
}

QList<Bilingual> sheetColumns()
{
    return {{QStringLiteral("Point"), QStringLiteral("Punto")},
            {QStringLiteral("Position Time"), QStringLiteral("Posizione")},
            {QStringLiteral("Length Time"), QStringLiteral("Lunghezza")},
            {QStringLiteral("Red (%)"), QStringLiteral("Rosso (%)")},
            {QStringLiteral("Green (%)"), QStringLiteral("Verde (%)")},
            {QStringLiteral("Blue (%)"), QStringLiteral("Blu (%)")}};
}

} // namespace cyclefile::messages
