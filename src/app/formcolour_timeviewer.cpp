// Switching the time display between "hh:mm:ss" and five-digit seconds.

#include "app/captions.h"
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
    // The labels' captions come from the caption table, as the language switch writes them.
    const captions::When mode = hasTag(CommandMoveShift, u"M") ? captions::When::Moving : captions::When::Shifting;
    const auto caption = [inEnglish](const char *name, captions::When when) {
        return captions::find(name, captions::Role::Text, when)->text(inEnglish);
    };
    QLineEdit *const boxes[] = {TextTime, TextLength, TextTransition};

    if (!hmsMode()) {
        setTag(mnuConfigTimeViewer, QStringLiteral("H"));
        for (QLineEdit *box : boxes) {
            if (box->text().isEmpty())
                box->setText(QStringLiteral("00000"));
        }
        mnuConfigTimeViewer->setText(captions::timeDisplayCaption(true, inEnglish));
        for (QLineEdit *box : boxes) {
            box->setAlignment(Qt::AlignCenter);
            box->setText(store::DataBaseTimeToHMS(store::toNumber(box->text())));
        }
        for (QLabel *label : {LabelTime, LabelLength, LabelTransition})
            label->setText(QStringLiteral("hh : mm : ss"));
        LabelTimeName->setText(caption("LabelTimeName", mode));
        LabelLengthName->setText(caption("LabelLengthName", mode));
        DataBaseView();
        LabelSimulatorTime->setText(QStringLiteral("00:00:00"));
    } else {
        setTag(mnuConfigTimeViewer, QStringLiteral("S"));
        for (QLineEdit *box : boxes) {
            if (box->text().isEmpty())
                box->setText(QStringLiteral("00:00:00"));
        }
        mnuConfigTimeViewer->setText(captions::timeDisplayCaption(false, inEnglish));
        for (QLineEdit *box : boxes) {
            box->setAlignment(Qt::AlignCenter);
            box->setText(store::format00000(store::DataBaseTimeToSEC(box->text())));
        }
        LabelTime->setText(caption("LabelTime", captions::When::SecondsTimes));
        LabelTimeName->setText(caption("LabelTimeName", mode));
        LabelLength->setText(caption("LabelLength", captions::When::SecondsTimes));
        LabelLengthName->setText(caption("LabelLengthName", mode));
        LabelTransition->setText(caption("LabelTransition", captions::When::SecondsTimes));
        LabelTransitionName->setText(caption("LabelTransitionName", mode));
        DataBaseView();
        LabelSimulatorTime->setText(QStringLiteral("00000"));
    }

    const bool editing = editorMode() == EditorMode::Edit;
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
