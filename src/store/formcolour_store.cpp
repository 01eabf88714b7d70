// The store procedures of the main window: the current row to and from the
// editor, the browse state of the editor's buttons, and the colour outputs.

#include "app/formcolour.h"

#include "app/captions.h"
#include "app/tags.h"
#include "platform/icons.h"
#include "store/numbers.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

using store::Field;

void FormColour::DataBaseCommand()
{
    store::ColourTable &points = table();
    const bool onFirst = doc().pointCurrent() == 1 || points.isBOF();
    CommandFirst->setEnabled(!onFirst);
    CommandPrevious->setEnabled(!onFirst);
    const bool onLast = points.isEOF() || doc().pointCurrent() == doc().pointCount();
    CommandNext->setEnabled(!onLast);
    CommandLast->setEnabled(!onLast);

    const bool blankFirst = doc().pointCount() == 1 && points.value(Field::PointID) == 1
                            && points.value(Field::Time) == 0 && points.value(Field::Red) == 0
                            && points.value(Field::Green) == 0 && points.value(Field::Blue) == 0;
    CommandRemove->setEnabled(!blankFirst);
    CommandInsert->setEnabled(doc().pointCount() != store::kRowCount);
    CommandEdit->setEnabled(true);

    CommandMoveShift->setEnabled(false);
    setTag(CommandMoveShift, QStringLiteral("M"));
    CommandMoveShift->setIcon(icons::pictures(PictureMoveEn, PictureMoveDs));

    LabelTimeName->setText(
        captions::find("LabelTimeName", captions::Role::Text, captions::When::Moving)->text(english()));
    LabelRange->hide();
    CommandSave->setEnabled(false);
    CommandAnnul->setEnabled(false);
    LabelPointID->setEnabled(true);
    LabelPointID->setText(store::reformat(TextPointID->text(), 2) + u'/' + store::format00(doc().pointCount()));
}

void FormColour::DataBaseRead()
{
    store::ColourTable &points = table();
    TextPointID->setText(store::format00(points.value(Field::PointID)));

    // Through the field's width first: a value wider than "00000" shows as 99999 in both displays.
    const auto timeText = [this](qint64 seconds) {
        return store::timeText(store::toNumber(store::format00000(seconds)), hmsMode());
    };
    TextTime->setText(timeText(points.value(Field::Time)));
    TimeText = TextTime->text();
    TextLength->setText(timeText(points.value(Field::Length)));
    LengthText = TextLength->text();
    TextTransition->setText(timeText(doc().transitionTime()));
    TransitionText = TextTransition->text();

    TextRed->setText(store::format000(points.value(Field::Red)));
    TextGreen->setText(store::format000(points.value(Field::Green)));
    TextBlue->setText(store::format000(points.value(Field::Blue)));
    ColorRed = store::reformat(TextRed->text(), 3);
    ColorGreen = store::reformat(TextGreen->text(), 3);
    ColorBlue = store::reformat(TextBlue->text(), 3);
}

void FormColour::DataBaseWrite()
{
    store::ColourTable &points = table();
    points.setText(Field::PointID, TextPointID->text());
    const auto seconds = [this](const QString &text) { return store::secondsOfText(text, hmsMode()); };
    points.setValue(Field::Time, seconds(TextTime->text()));
    points.setValue(Field::Length, seconds(TextLength->text()));
    points.setText(Field::Red, TextRed->text());
    points.setText(Field::Green, TextGreen->text());
    points.setText(Field::Blue, TextBlue->text());
}

void FormColour::DataBaseData()
{
    bool noOutput = true;
    if (mnuEnableRGB->isChecked()) {
        SliderRed->setValue(int(std::clamp<qint64>(store::toNumber(ColorRed), 0, 255)));
        SliderGreen->setValue(int(std::clamp<qint64>(store::toNumber(ColorGreen), 0, 255)));
        SliderBlue->setValue(int(std::clamp<qint64>(store::toNumber(ColorBlue), 0, 255)));
        noOutput = false;
    }
    if (mnuEnableColorCycle->isChecked()) {
        TextRed->setText(store::reformat(ColorRed, 3));
        TextGreen->setText(store::reformat(ColorGreen, 3));
        TextBlue->setText(store::reformat(ColorBlue, 3));
        noOutput = false;
    }
    if (mnuUsbEmulatorOn->isChecked()) {
        m_board->setEmulatorColour(store::toNumber(ColorRed), store::toNumber(ColorGreen), store::toNumber(ColorBlue));
        noOutput = false;
    }
    if (noOutput)
        ColorRed = ColorGreen = ColorBlue = QStringLiteral("000");
}

QColor FormColour::currentColour() const
{
    return QColor(store::percentToComponent(store::toNumber(ColorRed)),
                  store::percentToComponent(store::toNumber(ColorGreen)),
                  store::percentToComponent(store::toNumber(ColorBlue)));
}
