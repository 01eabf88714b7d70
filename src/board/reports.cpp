#include "board/reports.h"

#include "board/jobs.h"

using platform::BilingualMessage;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace board {

namespace {


QString n(int value) { return QString::number(value); }

QString quoted(const QString &name)
{
    QString shown = name;
    while (shown.endsWith(u' '))
        shown.chop(1);
    return u'"' + shown + u'"';
}

Bilingual both(const QString &english, const QString &italian) { return {english, italian}; }

BilingualMessage box(const Bilingual &text, MsgIcon icon, const Bilingual &title = platform::warningTitle(),
                     MsgButtons buttons = MsgButtons::Ok, MsgResult defaultButton = MsgResult::Ok)
{
    return BilingualMessage{text, title, icon, buttons, defaultButton};
}

QString lines(const QStringList &list) { return list.join(kLineBreak); }

} // namespace

QString slotList(const QList<int> &slots)
{
    QStringList numbers;
    for (int s : slots)
        numbers << n(s);
    return numbers.isEmpty() ? QStringLiteral("-") : numbers.join(QStringLiteral(", "));
}

Bilingual modeStatus(LinkMode mode, int slot, const QString &slotName)
{
    switch (mode) {
    case LinkMode::Emulator:
        return both(QStringLiteral("Emulator: the board shows the colour on screen"),
                    QStringLiteral("Emulatore: la scheda mostra il colore sullo schermo"));
    case LinkMode::Interface:
        if (slot == 0)
            return both(QStringLiteral("Interface - no slot selected"),
                        QStringLiteral("Interfaccia - nessuno slot selezionato"));
        return both(QStringLiteral("Interface - slot ") + n(slot) + u' ' + quoted(slotName),
                    QStringLiteral("Interfaccia - slot ") + n(slot) + u' ' + quoted(slotName));
    case LinkMode::None: break;
    }
    return {};
}

Bilingual jobResult(Job job, int slot, bool success, const QTime &time)
{
    const QString s = n(slot);
    Bilingual text;
    switch (job) {
    case Job::Names:
        text = success ? both(QStringLiteral("Slot names read"), QStringLiteral("Nomi degli slot letti"))
                       : both(QStringLiteral("Slot names not read"), QStringLiteral("Nomi degli slot non letti"));
        break;
    case Job::Device:
        text = success ? both(QStringLiteral("Board information read"), QStringLiteral("Informazioni scheda lette"))
                       : both(QStringLiteral("Board information not read"),
                              QStringLiteral("Informazioni scheda non lette"));
        break;
    case Job::Clean:
        text = success ? both(QStringLiteral("Slot ") + s + QStringLiteral(" cleaned"),
                              QStringLiteral("Slot ") + s + QStringLiteral(" cancellato"))
                       : both(QStringLiteral("Slot ") + s + QStringLiteral(" clean failed"),
                              QStringLiteral("Cancellazione slot ") + s + QStringLiteral(" fallita"));
        break;
    case Job::Rename:
        text = success ? both(QStringLiteral("Slot ") + s + QStringLiteral(" renamed"),
                              QStringLiteral("Slot ") + s + QStringLiteral(" rinominato"))
                       : both(QStringLiteral("Slot ") + s + QStringLiteral(" rename failed"),
                              QStringLiteral("Rinomina slot ") + s + QStringLiteral(" fallita"));
        break;
    case Job::Erase:
        text = success ? both(QStringLiteral("Board erased"), QStringLiteral("Scheda cancellata"))
                       : both(QStringLiteral("Board erase failed"), QStringLiteral("Cancellazione scheda fallita"));
        break;
    case Job::Write:
        text = success ? both(QStringLiteral("Slot ") + s + QStringLiteral(" written"),
                              QStringLiteral("Slot ") + s + QStringLiteral(" scritto"))
                       : both(QStringLiteral("Slot ") + s + QStringLiteral(" write failed"),
                              QStringLiteral("Scrittura slot ") + s + QStringLiteral(" fallita"));
        break;
    case Job::Read:
        text = success ? both(QStringLiteral("Slot ") + s + QStringLiteral(" read"),
                              QStringLiteral("Slot ") + s + QStringLiteral(" letto"))
                       : both(QStringLiteral("Slot ") + s + QStringLiteral(" read failed"),
                              QStringLiteral("Lettura slot ") + s + QStringLiteral(" fallita"));
        break;
    case Job::Verify:
        text = success ? both(QStringLiteral("Slot ") + s + QStringLiteral(" written and verified"),
                              QStringLiteral("Slot ") + s + QStringLiteral(" scritto e verificato"))
                       : both(QStringLiteral("Slot ") + s + QStringLiteral(" written, verify failed"),
                              QStringLiteral("Slot ") + s + QStringLiteral(" scritto, verifica fallita"));
        break;
    case Job::Backup:
        text = success ? both(QStringLiteral("Board backed up"), QStringLiteral("Scheda salvata"))
                       : both(QStringLiteral("Backup stopped at slot ") + s,
                              QStringLiteral("Salvataggio interrotto allo slot ") + s);
        break;
    case Job::Restore:
        text = success ? both(QStringLiteral("Board restored"), QStringLiteral("Scheda ripristinata"))
                       : both(QStringLiteral("Restore stopped at slot ") + s,
                              QStringLiteral("Ripristino interrotto allo slot ") + s);
        break;
    }
    const QString at = u' ' + time.toString(QStringLiteral("HH:mm"));
    return {text.english + at, text.italian + at};
}

BilingualMessage withLine(BilingualMessage message, const Bilingual &line)
{
    if (line.english.isEmpty() && line.italian.isEmpty())
        return message;
    message.text.english += kLineBreak + line.english;
    message.text.italian += kLineBreak + line.italian;
    return message;
}

Bilingual confirmationLine(Job job, int slot, const QString &slotName)
{
    const QString s = n(slot) + u' ' + quoted(slotName);
    switch (job) {
    case Job::Read:
        return both(QStringLiteral("Slot ") + s + QStringLiteral(" replaces the cycle in the editor."),
                    QStringLiteral("Lo slot ") + s + QStringLiteral(" sostituisce il ciclo nell'editor."));
    case Job::Write:
        return both(QStringLiteral("The cycle in the editor replaces slot ") + s + u'.',
                    QStringLiteral("Il ciclo nell'editor sostituisce lo slot ") + s + u'.');
    case Job::Rename:
        return both(QStringLiteral("Slot ") + s + QStringLiteral(" gets a new name."),
                    QStringLiteral("Lo slot ") + s + QStringLiteral(" riceve un nuovo nome."));
    case Job::Clean:
        return both(QStringLiteral("Slot ") + s + QStringLiteral(" will be emptied."),
                    QStringLiteral("Lo slot ") + s + QString::fromUtf8(" sarà svuotato."));
    case Job::Erase:
        return both(QStringLiteral("All eight slots will be emptied and their names reset."),
                    QString::fromUtf8("Tutti gli otto slot saranno svuotati e i loro nomi azzerati."));
    default: break;
    }
    return {};
}

Bilingual failureLine(Job job, int slot)
{
    const QString s = n(slot);
    switch (job) {
    case Job::Names:
        return both(QStringLiteral("The slots not read keep the names shown before."),
                    QStringLiteral("Gli slot non letti mantengono i nomi mostrati prima."));
    case Job::Device:
        return both(QStringLiteral("The board did not answer: check the cable and try again."),
                    QStringLiteral("La scheda non ha risposto: controllare il cavo e riprovare."));
    case Job::Clean:
        return both(QStringLiteral("Slot ") + s + QStringLiteral(" may be partly cleaned: clean it again."),
                    QStringLiteral("Lo slot ") + s
                        + QStringLiteral(" potrebbe essere cancellato in parte: cancellarlo di nuovo."));
    case Job::Rename:
        return both(QStringLiteral("Slot ") + s + QStringLiteral(" may still have its old name: rename it again."),
                    QStringLiteral("Lo slot ") + s
                        + QStringLiteral(" potrebbe avere ancora il vecchio nome: rinominarlo di nuovo."));
    case Job::Erase:
        return both(QStringLiteral("The board may be partly erased: erase it again."),
                    QStringLiteral("La scheda potrebbe essere cancellata in parte: cancellarla di nuovo."));
    case Job::Write:
        return both(QStringLiteral("Slot ") + s + QStringLiteral(" may be partly written: write it again."),
                    QStringLiteral("Lo slot ") + s
                        + QStringLiteral(" potrebbe essere scritto in parte: scriverlo di nuovo."));
    case Job::Read:
        return both(QStringLiteral("Slot ") + s + QStringLiteral(" was not read: the editor keeps its cycle."),
                    QString::fromUtf8("Lo slot ") + s
                        + QString::fromUtf8(" non è stato letto: l'editor mantiene il suo ciclo."));
    default: break;
    }
    return {};
}

Bilingual portErrorLine(const QString &reason)
{
    return both(QStringLiteral("The port reported: ") + reason, QStringLiteral("La porta ha segnalato: ") + reason);
}

Bilingual renameAllowedLine()
{
    return both(QStringLiteral("Allowed: letters A-Z and a-z, digits 0-9 and spaces, at most eight."),
                QStringLiteral("Ammessi: lettere A-Z e a-z, cifre 0-9 e spazi, al massimo otto."));
}

BilingualMessage verifyDifferenceMessage(int slot, int point)
{
    const QString s = n(slot);
    const Bilingual where =
        point == kTransitionDiffers
            ? both(QStringLiteral("Slot ") + s
                       + QStringLiteral(" differs from the cycle written in its end-of-cycle transition time."),
                   QStringLiteral("Lo slot ") + s
                       + QStringLiteral(" differisce dal ciclo scritto nel tempo di viraggio di fine ciclo."))
            : both(QStringLiteral("Slot ") + s + QStringLiteral(" differs from the cycle written at point ") + n(point)
                       + u'.',
                   QStringLiteral("Lo slot ") + s + QStringLiteral(" differisce dal ciclo scritto al punto ") + n(point)
                       + u'.');
    return withLine(box(where, MsgIcon::Critical),
                    both(QStringLiteral("Slot ") + s + QStringLiteral(" may hold a wrong cycle: write it again."),
                         QStringLiteral("Lo slot ") + s
                             + QStringLiteral(" potrebbe contenere un ciclo errato: scriverlo di nuovo.")));
}

BilingualMessage verifyFailureMessage(int slot)
{
    const QString s = n(slot);
    return withLine(box(both(QStringLiteral("Verify Failure"), QStringLiteral("Verifica Fallita")), MsgIcon::Critical),
                    both(QStringLiteral("Slot ") + s
                             + QStringLiteral(" was written but could not be read back: read it to check it."),
                         QString::fromUtf8("Lo slot ") + s
                             + QString::fromUtf8(" è stato scritto ma non è stato possibile rileggerlo: leggerlo per "
                                                 "controllarlo.")));
}

BilingualMessage backupReplaceQuestion(const QStringList &files)
{
    return box(both(lines(QStringList{QStringLiteral("These files in the folder will be replaced:")} + files
                          + QStringList{QStringLiteral("Replace them?")}),
                    lines(QStringList{QStringLiteral("Questi file nella cartella saranno sostituiti:")} + files
                          + QStringList{QStringLiteral("Sostituirli?")})),
               MsgIcon::Question, platform::warningTitle(), MsgButtons::YesNo, MsgResult::No);
}

BilingualMessage backupDoneMessage(int slots, const QString &folder)
{
    return box(both(QStringLiteral("Board backed up: %1 slots saved in").arg(slots) + kLineBreak + folder,
                    QStringLiteral("Scheda salvata: %1 slot salvati in").arg(slots) + kLineBreak + folder),
               MsgIcon::Information, both(QStringLiteral("Back up"), QStringLiteral("Salvataggio")));
}

BilingualMessage backupStoppedMessage(int slot, const QStringList &saved, const Bilingual &why)
{
    const QString s = n(slot);
    const QString list = saved.isEmpty() ? QStringLiteral("-") : saved.join(QStringLiteral(", "));
    return withLine(
        box(both(QStringLiteral("Backup stopped at slot ") + s + QStringLiteral(": ") + why.english,
                 QStringLiteral("Salvataggio interrotto allo slot ") + s + QStringLiteral(": ") + why.italian),
            MsgIcon::Critical),
        both(QStringLiteral("Files saved: ") + list + QStringLiteral(". No file of slot ") + s
                 + QStringLiteral(" was written."),
             QStringLiteral("File salvati: ") + list + QStringLiteral(". Nessun file dello slot ") + s
                 + QStringLiteral(" è stato scritto.")));
}

Bilingual backupReadFailed()
{
    return both(QStringLiteral("the slot could not be read."), QStringLiteral("lo slot non è stato letto."));
}

Bilingual backupWriteFailed(const QString &reason)
{
    return both(QStringLiteral("the file could not be written (") + reason + QStringLiteral(")."),
                QStringLiteral("il file non è stato scritto (") + reason + QStringLiteral(")."));
}

BilingualMessage restoreQuestion(const QStringList &slotLines, bool slotOneLeftOut)
{
    QStringList english{QStringLiteral("Restore Board from Folder! Confirm?"),
                        QStringLiteral("These slots will be overwritten:")};
    QStringList italian{QStringLiteral("Ripristinare la Scheda dalla Cartella! Confermi?"),
                        QStringLiteral("Questi slot saranno sovrascritti:")};
    english += slotLines;
    italian += slotLines;
    if (slotOneLeftOut) {
        english << QStringLiteral("Slot 1 can only be read: its file is left out.");
        italian << QString::fromUtf8("Lo slot 1 può essere solo letto: il suo file non viene usato.");
    }
    return box(both(lines(english), lines(italian)), MsgIcon::Question, platform::warningTitle(), MsgButtons::YesNo,
               MsgResult::No);
}

BilingualMessage restoreNothingMessage()
{
    return box(both(QStringLiteral("The folder holds no board backup to restore (files named SlotN-name.txt, "
                                   "slots 2 to 8)."),
                    QStringLiteral("La cartella non contiene un salvataggio della scheda da ripristinare (file "
                                   "chiamati SlotN-nome.txt, slot da 2 a 8).")),
               MsgIcon::Exclamation);
}

BilingualMessage restoreTwiceMessage(int slot)
{
    const QString s = n(slot);
    return box(both(QStringLiteral("The folder holds two backups of slot ") + s
                        + QStringLiteral(": keep one and restore again."),
                    QStringLiteral("La cartella contiene due salvataggi dello slot ") + s
                        + QStringLiteral(": tenerne uno e ripristinare di nuovo.")),
               MsgIcon::Exclamation);
}

Bilingual restoreFileLine()
{
    return both(QStringLiteral("Nothing was written to the board."),
                QStringLiteral("Nulla è stato scritto sulla scheda."));
}

BilingualMessage restoreDoneMessage(const QList<int> &slots)
{
    return box(
        both(QStringLiteral("Board restored: slots ") + slotList(slots) + QStringLiteral(" written and named."),
             QStringLiteral("Scheda ripristinata: slot ") + slotList(slots) + QStringLiteral(" scritti e rinominati.")),
        MsgIcon::Information, both(QStringLiteral("Restore"), QStringLiteral("Ripristino")));
}

BilingualMessage restoreStoppedMessage(int slot, const QList<int> &restored)
{
    const QString s = n(slot);
    return withLine(box(both(QStringLiteral("Restore stopped at slot ") + s + u'.',
                             QStringLiteral("Ripristino interrotto allo slot ") + s + u'.'),
                        MsgIcon::Critical),
                    both(QStringLiteral("Slot ") + s + QStringLiteral(" may be partly written; slots restored: ")
                             + slotList(restored) + QStringLiteral(". The files are untouched."),
                         QStringLiteral("Lo slot ") + s
                             + QStringLiteral(" potrebbe essere scritto in parte; slot ripristinati: ")
                             + slotList(restored) + QStringLiteral(". I file non sono stati modificati.")));
}

} // namespace board
