// The window's side of the validation rules and of move and shift: read the
// controls, run the rule, write the results back and show its message.

#include "app/formcolour.h"

#include "app/captions.h"
#include "app/tags.h"
#include "editor/editorcontrols.h"
#include "editor/rules.h"
#include "store/numbers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using store::Field;

void FormColour::DataBaseCheck()
{
    store::ColourTable &points = table();
    const editor::CheckResult result = editor::DataBaseCheck(points, store::toNumber(TransitionTime));
    PointCount = quint8(result.pointCount);
    for (const platform::BilingualMessage &message : result.messages)
        say(message);
    points.MoveFirst();
}

bool FormColour::DataBaseTimeCheck(const QString &timeText)
{
    store::ColourTable &points = table();
    const bool hms = hmsMode();
    editor::TimeCheckInput in;
    in.pointCount = PointCount;
    in.pointCurrent = PointCurrent;
    in.insertMode = hasTag(CommandSave, u"I");
    in.time = store::secondsOfText(timeText, hms);
    in.length = store::secondsOfText(TextLength->text(), hms);
    in.transitionTime = store::toNumber(TransitionTime);
    std::optional<platform::BilingualMessage> refusal = editor::DataBaseTimeCheck(points, in);
    if (refusal && in.insertMode && in.length > 0) {
        // A new point takes the current point's length; when only that
        // length is in the way, the position stands and the length becomes
        // the longest that fits there.
        editor::TimeCheckInput bare = in;
        bare.length = 0;
        if (!editor::DataBaseTimeCheck(points, bare)) {
            refusal.reset();
            TextLength->setText(
                store::timeText(editor::longestInsertLength(points, PointCount, in.time, in.transitionTime), hms));
            LengthText = TextLength->text();
        }
    }
    if (refusal)
        say(*refusal);
    points.moveTo(PointCurrent);
    return !refusal;
}

void FormColour::DataBaseLengthMaxValue()
{
    const bool hms = hmsMode();
    const editor::Limit limit =
        editor::DataBaseLengthMaxValue(table(), PointCount, PointCurrent, store::secondsOfText(TextTime->text(), hms),
                                       store::toNumber(TransitionTime), hms);
    LengthMaxValue = store::format00000(limit.value);
    table().moveTo(PointCurrent);
    LabelRange->setText(limit.caption.pick(english()));
}

void FormColour::DataBaseTransitionMaxValue()
{
    const editor::Limit limit = editor::DataBaseTransitionMaxValue(table(), PointCount, hmsMode());
    TransitionMaxValue = store::format00000(limit.value);
    table().moveTo(PointCurrent);
    LabelRange->setText(limit.caption.pick(english()));
}

void FormColour::DataBaseShiftValue()
{
    const editor::ShiftRange range =
        editor::DataBaseShiftValue(table(), PointCount, PointCurrent, store::toNumber(TransitionTime), hmsMode());
    ShiftRangeMin = range.min;
    ShiftRangeMax = range.max;
    LabelRange->setText(range.caption.pick(english()));
    table().moveTo(PointCurrent);
}

void FormColour::DataBaseShift()
{
    store::ColourTable &points = table();
    points.moveTo(PointCurrent);
    const qint64 tn = store::secondsOfText(TextTime->text(), hmsMode());
    editor::ShiftRange range;
    range.min = ShiftRangeMin;
    range.max = ShiftRangeMax;
    if (const auto refusal = editor::shiftOutOfRange(tn, range, QStringLiteral("Errore"))) {
        say(*refusal);
        return;
    }
    const qint64 delta = tn - points.value(Field::Time);
    DataBaseWrite();
    editor::shiftLaterPoints(points, PointCount, PointCurrent, delta);
    points.moveTo(PointCurrent);
}

void FormColour::CommandMoveShift_Click()
{
    if (!hasTag(CommandSave, u"E"))
        return;
    if (!hasTag(CommandMoveShift, u"M")) {
        setTag(CommandMoveShift, QStringLiteral("M"));
        editor::setPictures(CommandMoveShift, PictureMoveEn, PictureMoveDs);
        LabelTimeName->setText(
            captions::find("LabelTimeName", captions::Role::Text, captions::When::Moving)->text(english()));
        LabelRange->hide();
    } else {
        setTag(CommandMoveShift, QStringLiteral("S"));
        editor::setPictures(CommandMoveShift, PictureShiftEn, PictureShiftDs);
        LabelTimeName->setText(
            captions::find("LabelTimeName", captions::Role::Text, captions::When::Shifting)->text(english()));
        DataBaseShiftValue();
        if (hasTag(TextTime, u"C"))
            LabelRange->show();
    }
}
