#include "board/reports.h"

#include "board/jobs.h"
#include "store/numbers.h"

using platform::BilingualMessage;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace board {

namespace {


QString n(int value) { return QString::number(value); }

QString quoted(const QString &name) { return u'"' + shownName(name) + u'"'; }

Bilingual both(const QString &english, const QString &italian) { return {english, italian}; }

BilingualMessage box(const Bilingual &text, MsgIcon icon, const Bilingual &title = platform::warningTitle(),
                     MsgButtons buttons = MsgButtons::Ok, MsgResult defaultButton = MsgResult::Ok)
{
    return BilingualMessage{text, title, icon, buttons, defaultButton};
}

QString lines(const QStringList &list) { return list.join(kLineBreak); }

QString at(const QTime &time) { return u' ' + time.toString(QStringLiteral("HH:mm")); }

// What a stopped back up or restore did, as its message and panel 4 say it.
Bilingual stoppedHead(Job job, const QList<int> &done)
{
    const Bilingual list =
        done.isEmpty() ? both(QStringLiteral("none"), QStringLiteral("nessuno")) : both(slotList(done), slotList(done));
    if (job == Job::Backup)
        return both(QStringLiteral("Backup stopped (slots saved: ") + list.english + u')',
                    QStringLiteral("Salvataggio interrotto (slot salvati: ") + list.italian + u')');
    return both(QStringLiteral("Restore stopped (slots restored: ") + list.english + u')',
                QStringLiteral("Ripristino interrotto (slot ripristinati: ") + list.italian + u')');
}

// A port's trouble in the program's words, the system's own text after it.
Bilingual portErrorText(const platform::SerialPort::PortFailure &failure)
{
    using E = platform::SerialPort::PortError;
    Bilingual why;
    switch (failure.error) {
    case E::NotFound:
        why = both(QStringLiteral("the device was not found"), QString::fromUtf8("il dispositivo non è stato trovato"));
        break;
    case E::Permission: why = both(QStringLiteral("access denied"), QStringLiteral("accesso negato")); break;
    case E::Busy:
        why = both(QStringLiteral("the device is in use by another program"),
                   QString::fromUtf8("il dispositivo è in uso da un altro programma"));
        break;
    case E::Removed:
        why = both(QStringLiteral("the device was removed"), QString::fromUtf8("il dispositivo è stato rimosso"));
        break;
    case E::None:
    case E::Other: why = both(QStringLiteral("port error"), QStringLiteral("errore della porta")); break;
    }
    if (!failure.detail.isEmpty()) {
        why.english += QStringLiteral(" (") + failure.detail + u')';
        why.italian += QStringLiteral(" (") + failure.detail + u')';
    }
    return why;
}

} // namespace

QString slotList(const QList<int> &slots)
{
    QStringList numbers;
    for (int s : slots)
        numbers << n(s);
    return numbers.isEmpty() ? QStringLiteral("-") : numbers.join(QStringLiteral(", "));
}

QString shownName(const QString &name)
{
    QString shown = name;
    while (shown.endsWith(u' '))
        shown.chop(1);
    return shown;
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
    return {text.english + at(time), text.italian + at(time)};
}

Bilingual linkLostResult(const QTime &time)
{
    return both(QStringLiteral("Board link lost") + at(time),
                QStringLiteral("Collegamento con la scheda perso") + at(time));
}

Bilingual stoppedResult(Job job, const QList<int> &done, const QTime &time)
{
    const Bilingual head = stoppedHead(job, done);
    return {head.english + at(time), head.italian + at(time)};
}

Bilingual transferProgress(int slot, int place, int count)
{
    if (slot == 0)
        return both(QStringLiteral("Slot names"), QStringLiteral("Nomi degli slot"));
    if (slot == place)
        return both(QStringLiteral("Slot %1 of %2").arg(slot).arg(count),
                    QStringLiteral("Slot %1 di %2").arg(slot).arg(count));
    return both(QStringLiteral("Slot %1 (%2 of %3)").arg(slot).arg(place).arg(count),
                QStringLiteral("Slot %1 (%2 di %3)").arg(slot).arg(place).arg(count));
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
        return both(QStringLiteral("All eight slots will be emptied and their names reset.") + kLineBreak
                        + QStringLiteral("Slot 1 cannot be written back, so its cycle is lost for good: to keep a "
                                         "copy of the board first, use Back up Board to Folder..."),
                    QString::fromUtf8("Tutti gli otto slot saranno svuotati e i loro nomi azzerati.") + kLineBreak
                        + QString::fromUtf8("Lo slot 1 non può essere riscritto, quindi il suo ciclo va perso per "
                                            "sempre: per conservare prima una copia della scheda, usare Salva Scheda "
                                            "su Cartella..."));
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

Bilingual portErrorLine(const platform::SerialPort::PortFailure &reason)
{
    const Bilingual why = portErrorText(reason);
    return both(QStringLiteral("The port reported: ") + why.english,
                QStringLiteral("La porta ha segnalato: ") + why.italian);
}

Bilingual openFailureLine(int portNumber, const platform::SerialPort::PortFailure &failure)
{
    if (failure.error == platform::SerialPort::PortError::None)
        return {};
    const QString port =
        QStringLiteral("COM") + store::format00(portNumber) + QStringLiteral(" (") + failure.device + u')';
    const Bilingual why = portErrorText(failure);
    Bilingual line = both(port + QStringLiteral(" could not be opened: ") + why.english + u'.',
                          QStringLiteral("Impossibile aprire ") + port + QStringLiteral(": ") + why.italian + u'.');
    const Bilingual advice = platform::permissionAdvice();
    if (failure.error == platform::SerialPort::PortError::Permission && !advice.english.isEmpty()) {
        line.english += u' ' + advice.english;
        line.italian += u' ' + advice.italian;
    }
    return line;
}

Bilingual renameAllowedLine()
{
    return both(QStringLiteral("Allowed: letters A-Z and a-z, digits 0-9 and spaces, at most eight."),
                QStringLiteral("Ammessi: lettere A-Z e a-z, cifre 0-9 e spazi, al massimo otto."));
}

BilingualMessage renameEmptyMessage()
{
    return box(both(QStringLiteral("The new name is empty: the slot keeps its name."),
                    QString::fromUtf8("Il nuovo nome è vuoto: lo slot mantiene il suo nome.")),
               MsgIcon::Exclamation);
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
    const BilingualMessage stopped =
        box(both(QStringLiteral("Backup stopped at slot ") + s + QStringLiteral(": ") + why.english,
                 QStringLiteral("Salvataggio interrotto allo slot ") + s + QStringLiteral(": ") + why.italian),
            MsgIcon::Critical);
    if (saved.isEmpty())
        return withLine(stopped,
                        both(QStringLiteral("No file was saved."), QString::fromUtf8("Nessun file è stato salvato.")));
    return withLine(stopped, both(QStringLiteral("Files saved: ") + saved.join(QStringLiteral(", "))
                                      + QStringLiteral(". No file of slot ") + s + QStringLiteral(" was written."),
                                  QStringLiteral("File salvati: ") + saved.join(QStringLiteral(", "))
                                      + QStringLiteral(". Nessun file dello slot ") + s
                                      + QString::fromUtf8(" è stato scritto.")));
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

Bilingual restoreFileLine(const QString &fileName)
{
    return both(QStringLiteral("Backup file: ") + fileName + kLineBreak
                    + QStringLiteral("Nothing was written to the board."),
                QStringLiteral("File di salvataggio: ") + fileName + kLineBreak
                    + QStringLiteral("Nulla è stato scritto sulla scheda."));
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

BilingualMessage transferStoppedMessage(Job job, const QList<int> &done, const QList<int> &untouched)
{
    const Bilingual head = stoppedHead(job, done);
    const QString rest = slotList(untouched) + u'.';
    const Bilingual line =
        job == Job::Backup
            ? both(QStringLiteral("Slots not read (their files in the folder are as they were): ") + rest,
                   QStringLiteral("Slot non letti (i loro file nella cartella sono come prima): ") + rest)
            : both(QStringLiteral("Slots not touched: ") + rest, QStringLiteral("Slot non toccati: ") + rest);
    return withLine(box(both(head.english + u'.', head.italian + u'.'), MsgIcon::Information,
                        job == Job::Backup ? both(QStringLiteral("Back up"), QStringLiteral("Salvataggio"))
                                           : both(QStringLiteral("Restore"), QStringLiteral("Ripristino"))),
                    line);
}

} // namespace board
