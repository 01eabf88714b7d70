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
    const editor::CheckResult result = editor::DataBaseCheck(points, doc().transitionTime());
    doc().setPointCount(result.pointCount);
    for (const platform::BilingualMessage &message : result.messages)
        say(message);
    points.MoveFirst();
}

bool FormColour::DataBaseTimeCheck(const QString &timeText)
{
    store::ColourTable &points = table();
    const bool hms = hmsMode();
    editor::TimeCheckInput in;
    in.pointCount = doc().pointCount();
    in.pointCurrent = doc().pointCurrent();
    in.insertMode = editorMode() == EditorMode::Insert;
    in.time = store::secondsOfText(timeText, hms);
    in.length = store::secondsOfText(TextLength->text(), hms);
    in.transitionTime = doc().transitionTime();
    std::optional<platform::BilingualMessage> refusal = editor::DataBaseTimeCheck(points, in);
    if (refusal && in.insertMode && in.length > 0) {
        // A new point takes the current point's length; when only that
        // length is in the way, the position stands and the length becomes
        // the longest that fits there.
        editor::TimeCheckInput bare = in;
        bare.length = 0;
        if (!editor::DataBaseTimeCheck(points, bare)) {
            refusal.reset();
            TextLength->setText(store::timeText(
                editor::longestInsertLength(points, doc().pointCount(), in.time, in.transitionTime), hms));
            LengthText = TextLength->text();
        }
    }
    if (refusal)
        say(*refusal);
    points.moveTo(doc().pointCurrent());
    return !refusal;
}

void FormColour::DataBaseLengthMaxValue()
{
    const bool hms = hmsMode();
    const editor::Limit limit =
        editor::DataBaseLengthMaxValue(table(), doc().pointCount(), doc().pointCurrent(),
                                       store::secondsOfText(TextTime->text(), hms), doc().transitionTime(), hms);
    LengthMaxValue = store::format00000(limit.value);
    table().moveTo(doc().pointCurrent());
    LabelRange->setText(limit.caption.pick(english()));
}

void FormColour::DataBaseTransitionMaxValue()
{
    const editor::Limit limit = editor::DataBaseTransitionMaxValue(table(), doc().pointCount(), hmsMode());
    TransitionMaxValue = store::format00000(limit.value);
    table().moveTo(doc().pointCurrent());
    LabelRange->setText(limit.caption.pick(english()));
}

void FormColour::DataBaseShiftValue()
{
    const editor::ShiftRange range = editor::DataBaseShiftValue(table(), doc().pointCount(), doc().pointCurrent(),
                                                                doc().transitionTime(), hmsMode());
    ShiftRangeMin = range.min;
    ShiftRangeMax = range.max;
    LabelRange->setText(range.caption.pick(english()));
    table().moveTo(doc().pointCurrent());
}

void FormColour::DataBaseShift()
{
    store::ColourTable &points = table();
    points.moveTo(doc().pointCurrent());
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
    editor::shiftLaterPoints(points, doc().pointCount(), doc().pointCurrent(), delta);
    points.moveTo(doc().pointCurrent());
}

void FormColour::CommandMoveShift_Click()
{
    if (editorMode() != EditorMode::Edit)
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
