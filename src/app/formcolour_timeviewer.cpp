// Switching the time display between "hh:mm:ss" and five-digit seconds.

#include "app/formcolour.h"
#include "app/tags.h"
#include "store/numbers.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void FormColour::mnuConfigTimeViewer_Click()
{
    if (SimulatorRunning)
        return;

    const bool inEnglish = english();
    const bool moving = hasTag(CommandMoveShift, u"M");
    QLineEdit *const boxes[] = {TextTime, TextLength, TextTransition};

    if (!hmsMode()) {
        setTag(mnuConfigTimeViewer, QStringLiteral("H"));
        for (QLineEdit *box : boxes) {
            if (box->text().isEmpty())
                box->setText(QStringLiteral("00000"));
        }
        mnuConfigTimeViewer->setText(inEnglish ? QStringLiteral("Time = hh:mm:ss")
                                               : QStringLiteral("Tempo = hh:mm:ss"));
        for (QLineEdit *box : boxes) {
            box->setAlignment(Qt::AlignCenter);
            box->setText(store::DataBaseTimeToHMS(store::toNumber(box->text())));
        }
        for (QLabel *label : {LabelTime, LabelLength, LabelTransition})
            label->setText(QStringLiteral("hh : mm : ss"));
        if (inEnglish) {
            LabelTimeName->setText(moving ? QStringLiteral("Position Time") : QStringLiteral("Shift to Time"));
            LabelLengthName->setText(QStringLiteral("Length Time"));
        } else {
            LabelTimeName->setText(moving ? QStringLiteral("Posizione") : QStringLiteral("Trasla fino a"));
            LabelLengthName->setText(QStringLiteral("Lunghezza"));
        }
        DataBaseView();
        LabelSimulatorTime->setText(QStringLiteral("00:00:00"));
    } else {
        setTag(mnuConfigTimeViewer, QStringLiteral("S"));
        for (QLineEdit *box : boxes) {
            if (box->text().isEmpty())
                box->setText(QStringLiteral("00:00:00"));
        }
        mnuConfigTimeViewer->setText(inEnglish ? QStringLiteral("Time = Seconds") : QStringLiteral("Tempo = Secondi"));
        for (QLineEdit *box : boxes) {
            box->setAlignment(Qt::AlignCenter);
            box->setText(store::format00000(store::DataBaseTimeToSEC(box->text())));
        }
        const QString seconds = inEnglish ? QStringLiteral("Seconds") : QStringLiteral("Secondi");
        LabelTime->setText(seconds);
        LabelLength->setText(seconds);
        LabelTransition->setText(seconds);
        if (inEnglish) {
            LabelTimeName->setText(moving ? QStringLiteral("Position Time") : QStringLiteral("Shift to Time"));
            LabelLengthName->setText(QStringLiteral("Length Time"));
            LabelTransitionName->setText(QStringLiteral("Cycle End Transition Time"));
        } else {
            LabelTimeName->setText(moving ? QStringLiteral("Posizione") : QStringLiteral("Trasla fino a"));
            LabelLengthName->setText(QStringLiteral("Lunghezza"));
            LabelTransitionName->setText(QStringLiteral("Tempo Viraggio Fine Ciclo"));
        }
        DataBaseView();
        LabelSimulatorTime->setText(QStringLiteral("00000"));
    }

    const bool editing = hasTag(CommandSave, u"E");
    if (hasTag(CommandMoveShift, u"S") && hasTag(TextTime, u"C") && editing) {
        DataBaseShiftValue();
        LabelRange->show();
    }
    if (hasTag(TextLength, u"C") && editing) {
        DataBaseLengthMaxValue();
        LabelRange->show();
    }

    TextTime->setCursorPosition(8);
    TimeText = TextTime->text();
    TimeCaret = TextTime->cursorPosition();
    TextLength->setCursorPosition(8);
    LengthText = TextLength->text();
    LengthCaret = TextLength->cursorPosition();
    TextTransition->setCursorPosition(8);
    TransitionText = TextTransition->text();
    TransitionCaret = TextTransition->cursorPosition();
}
