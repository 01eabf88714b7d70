// Colour-point editing: navigation over the points and the editor's browse,
// edit and insert states.

#include "app/formcolour.h"
#include "app/tags.h"
#include "editor/editorcontrols.h"
#include "editor/fieldentry.h"
#include "platform/dialogs.h"
#include "platform/icons.h"
#include "store/numbers.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using store::Field;

FormColour::EditorMode FormColour::editorMode() const
{
    const QString t = tag(CommandSave);
    return t == u"E" ? EditorMode::Edit : t == u"I" ? EditorMode::Insert : EditorMode::Browse;
}

void FormColour::setEditorMode(EditorMode mode)
{
    static const char *const letters[] = {"D", "E", "I"};
    setTag(CommandSave, QString::fromLatin1(letters[int(mode)]));
}

void FormColour::pointRefresh()
{
    DataBaseRead();
    DataBaseCommand();
    DataBaseZoom();
    DataBaseCursor();
    DataBaseView();
    DataBaseData();
}

void FormColour::showLoadedCycle()
{
    DataBaseCheck();
    table().MoveFirst();
    DataBaseRead();
    DataBaseCommand();
    DataBaseZoomSetUp();
    DataBaseCursorSetUp();
    DataBaseView();
    DataBaseData();
    if (!mnuEnableColorCycle->isChecked())
        mnuEnableColorCycle_Click();
}

void FormColour::TextPointID_Change()
{
    LabelPointID->setText(store::reformat(TextPointID->text(), 2) + u'/' + store::format00(doc().pointCount()));
}

// ----- Navigation ---------------------------------------------------------------

void FormColour::CommandFirst_Click()
{
    table().MoveFirst();
    doc().setPointCurrent(1);
    pointRefresh();
}

void FormColour::CommandPrevious_Click()
{
    store::ColourTable &points = table();
    points.moveTo(doc().pointCurrent());
    if (!points.isEOF() && doc().pointCurrent() != 1) {
        points.MovePrevious();
        doc().setPointCurrent(doc().pointCurrent() - 1);
    } else {
        doc().setPointCurrent(1);
    }
    pointRefresh();
}

void FormColour::CommandNext_Click()
{
    store::ColourTable &points = table();
    points.moveTo(doc().pointCurrent());
    if (!points.isEOF() && doc().pointCurrent() != doc().pointCount()) {
        points.MoveNext();
        doc().setPointCurrent(doc().pointCurrent() + 1);
    }
    pointRefresh();
}

void FormColour::CommandLast_Click()
{
    store::ColourTable &points = table();
    points.moveTo(doc().pointCurrent());
    while (!points.isEOF() && doc().pointCurrent() < doc().pointCount()) {
        points.MoveNext();
        doc().setPointCurrent(doc().pointCurrent() + 1);
    }
    pointRefresh();
}

// ----- Remove, insert, edit, save, annul -----------------------------------------

void FormColour::CommandRemove_Click()
{
    store::ColourTable &points = table();
    const editor::CycleState before = cycleState();
    if (say(editor::removeQuestion()) == platform::MsgResult::Yes) {
        points.moveTo(doc().pointCurrent());
        points.setValue(Field::Time, 0);
        points.setValue(Field::Red, 0);
        points.setValue(Field::Green, 0);
        points.setValue(Field::Blue, 0);
        if (doc().pointCount() == 1) {
            points.setValue(Field::PointID, 1);
            points.setValue(Field::Time, 0);
            doc().setPointCurrent(1);
        } else {
            points.setValue(Field::PointID, 0);
            doc().setPointCount(doc().pointCount() - 1);
            if (doc().pointCurrent() > 1)
                doc().setPointCurrent(doc().pointCurrent() - 1);
        }
    }
    DataBaseCheck();
    points.MoveFirst();
    for (int i = 1; i < doc().pointCurrent(); ++i)
        points.MoveNext();
    pointRefresh();
    recordCycleChange(before, editor::removeLabel(before.pointCurrent));
}

void FormColour::showConfirmedLook()
{
    for (QLineEdit *f : {TextTime, TextLength, TextTransition})
        editor::setTextColour(f, editor::kNavy);
    editor::setTextColour(TextRed, QColor(255, 0, 0));
    editor::setTextColour(TextGreen, QColor(0, 255, 0));
    editor::setTextColour(TextBlue, QColor(0, 0, 255));
}

QList<QPushButton *> FormColour::editorButtons() const
{
    return {CommandFirst, CommandPrevious,  CommandNext, CommandLast,  CommandRemove, CommandInsert,
            CommandEdit,  CommandMoveShift, CommandSave, CommandAnnul, CommandColor};
}

void FormColour::enterEditorState()
{
    for (QPushButton *b :
         {CommandFirst, CommandPrevious, CommandNext, CommandLast, CommandRemove, CommandInsert, CommandEdit})
        b->setEnabled(false);
    for (QPushButton *b : {CommandMoveShift, CommandSave, CommandAnnul})
        b->setEnabled(true);
}

void FormColour::setPointFieldsEnabled(bool editing)
{
    LabelRange->hide();
    for (QLineEdit *f : {TextTime, TextLength, TextRed, TextGreen, TextBlue})
        f->setEnabled(editing);
    TextTransition->setEnabled(!editing);
}

void FormColour::CommandInsert_Click()
{
    if (hasTag(TextTransition, u"C")) {
        say(editor::editorModeMessage(LabelTransitionName->text()));
        return;
    }
    // A full table has no slot for another point (the button is off then).
    if (doc().pointCount() >= store::kRowCount)
        return;
    enterEditorState();
    CommandSave->setIcon(icons::picture(PictureSaveIns));
    setEditorMode(EditorMode::Insert);
    setTag(CommandMoveShift, QStringLiteral("M"));
    editor::setPictures(CommandMoveShift, PictureMoveEn, PictureMoveDs);
    setPointFieldsEnabled(true);
    TextTime->setCursorPosition(0);
    TextTime_Click();
    focusAtEntry(TextTime);
    updateHistoryActions();
}

void FormColour::CommandEdit_Click()
{
    if (hasTag(TextTransition, u"C")) {
        say(editor::editorModeMessage(LabelTransitionName->text()));
        return;
    }
    enterEditorState();
    CommandSave->setIcon(CommandSave->property("DownPicture").value<QIcon>());
    setEditorMode(EditorMode::Edit);
    setPointFieldsEnabled(true);
    focusAtEntry(TextTime);
    updateHistoryActions();
}

void FormColour::CommandSave_Click()
{
    const std::pair<QLineEdit *, QLabel *> fields[] = {
        {TextTime, LabelTimeName}, {TextLength, LabelLengthName}, {TextTransition, LabelTransitionName},
        {TextRed, LabelRed},       {TextGreen, LabelGreen},       {TextBlue, LabelBlue}};
    for (const auto &[field, label] : fields) {
        if (hasTag(field, u"C")) {
            say(editor::editorModeMessage(label->text()));
            return;
        }
    }

    const editor::CycleState before = cycleState();
    const bool inserting = editorMode() == EditorMode::Insert;
    const bool moving = hasTag(CommandMoveShift, u"M");
    store::ColourTable &points = table();
    points.moveTo(doc().pointCurrent());
    if (inserting) {
        if (doc().pointCount() >= store::kRowCount)
            return;
        while (doc().pointCurrent() < doc().pointCount()) {
            points.MoveNext();
            doc().setPointCurrent(doc().pointCurrent() + 1);
        }
        TextPointID->setText(store::format00(points.value(Field::PointID) + 1));
        points.MoveNext();
        doc().setPointCount(doc().pointCount() + 1);
        doc().setPointCurrent(doc().pointCurrent() + 1);
    }

    if (hasTag(CommandMoveShift, u"M"))
        DataBaseWrite();
    else
        DataBaseShift();

    const qint64 stored = points.value(Field::Time);
    DataBaseCheck();

    // The stored point is the current one wherever the ordering put it.
    points.MoveFirst();
    int position = 1;
    while (position < doc().pointCount() && points.value(Field::Time) != stored) {
        points.MoveNext();
        ++position;
    }
    if (points.value(Field::Time) != stored)
        position = std::min<int>(doc().pointCurrent(), doc().pointCount());
    doc().setPointCurrent(position);
    points.moveTo(doc().pointCurrent());

    setPointFieldsEnabled(false);
    pointRefresh();
    setEditorMode(EditorMode::Browse);
    recordCycleChange(before, inserting ? editor::insertLabel(doc().pointCurrent())
                              : moving  ? editor::editLabel(doc().pointCurrent())
                                        : editor::shiftLabel(doc().pointCurrent()));
}

void FormColour::CommandAnnul_Click()
{
    CommandEdit->setEnabled(true);
    for (QPushButton *b : {CommandMoveShift, CommandSave, CommandAnnul})
        b->setEnabled(false);
    setEditorMode(EditorMode::Browse);
    for (QLineEdit *f : {TextTime, TextLength, TextTransition, TextRed, TextGreen, TextBlue})
        setTag(f, QStringLiteral("U"));
    showConfirmedLook();
    setPointFieldsEnabled(false);
    table().moveTo(doc().pointCurrent());
    pointRefresh();
    updateHistoryActions();
}

void FormColour::CommandColor_Click()
{
    const QColor initial = currentColour();
    const std::optional<QColor> chosen = m_dialogs.colour(initial);
    if (!chosen || !chosen->isValid())
        return;
    ColorRed = store::componentToPercent(chosen->red());
    ColorGreen = store::componentToPercent(chosen->green());
    ColorBlue = store::componentToPercent(chosen->blue());
    DataBaseData();
}
