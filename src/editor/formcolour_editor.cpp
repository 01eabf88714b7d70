// Colour-point editing: navigation over the points, the editor's browse,
// edit and insert states, the current row to and from the store, and the
// validation rules as the editor applies them.

#include "app/formcolour.h"

#include "app/captions.h"
#include "app/tags.h"
#include "editor/editorcontrols.h"
#include "editor/fieldentry.h"
#include "editor/pastedrows.h"
#include "editor/pointstable.h"
#include "editor/pointstablepanel.h"
#include "editor/rules.h"
#include "platform/dialogs.h"
#include "platform/icons.h"
#include "store/numbers.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

using editor::PointsTableModel;
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
    const editor::CycleState before = doc().state();
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
    doc().record(before, editor::removeLabel(before.pointCurrent));
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

    const editor::CycleState before = doc().state();
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
    doc().record(before, inserting ? editor::insertLabel(doc().pointCurrent())
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

// -------------------------------------------------------------------------------------
// The store procedures of the main window: the current row to and from the
// editor, the browse state of the editor's buttons, and the colour outputs.


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

// -------------------------------------------------------------------------------------
// The window's side of the validation rules and of move and shift: read the
// controls, run the rule, write the results back and show its message.


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

// -------------------------------------------------------------------------------------
// The points table's side in the window: its rows follow the chart's redraw,
// a row picked moves the editor, and a cell edited or rows pasted go through
// the editor's rules and become one step of the history.

void FormColour::buildPointsTable()
{
    PointsTable = new editor::PointsTablePanel(doc(), this);
    addDockWidget(Qt::RightDockWidgetArea, PointsTable);
    PointsTable->hide();
}

void FormColour::connectPointsTable()
{
    onMenu("mnuViewPointsTable", &FormColour::mnuViewPointsTable_Click);
    QAction *item = menuItem(QStringLiteral("mnuViewPointsTable"));
    // The dock's own close button unticks the item.
    connect(PointsTable, &QDockWidget::visibilityChanged, this,
            [this, item] { item->setChecked(!PointsTable->isHidden()); });
    connect(PointsTable, &editor::PointsTablePanel::pointPicked, this, &FormColour::pointsTableSelect);
    connect(PointsTable, &editor::PointsTablePanel::cellEdited, this, &FormColour::pointsTableEdit);
    connect(PointsTable, &editor::PointsTablePanel::pasteAsked, this, &FormColour::pointsTablePaste);
    refreshPointsTable();
}

bool FormColour::pointsTableAllowed() const { return historyAllowed() && mnuEnableColorCycle->isChecked(); }

void FormColour::refreshPointsTable()
{
    if (!PointsTable)
        return;
    const bool inEnglish = english();
    PointsTable->refresh(hmsMode(), inEnglish,
                         captions::find("mnuViewPointsTable", captions::Role::Text)->text(inEnglish));
    showPointsTableAccess();
}

void FormColour::showPointsTableAccess()
{
    if (PointsTable)
        PointsTable->setAccess(pointsTableAllowed(), historyAllowed());
}

void FormColour::mnuViewPointsTable_Click()
{
    QAction *item = menuItem(QStringLiteral("mnuViewPointsTable"));
    if (item->isChecked()) {
        PointsTable->hide();
        item->setChecked(false);
        return;
    }
    refreshPointsTable();
    PointsTable->showBeside(*this, FormColourCentral->minimumSizeHint().width());
    item->setChecked(true);
}

void FormColour::pointsTableSelect(int point)
{
    if (!pointsTableAllowed() || point < 1 || point > doc().pointCount() || point == doc().pointCurrent())
        return;
    doc().setPointCurrent(point);
    table().moveTo(doc().pointCurrent());
    pointRefresh();
}

void FormColour::pointsTableEdit(int point, int column, const QString &text)
{
    if (!pointsTableAllowed() || point < 1 || point > doc().pointCount())
        return;
    const editor::CycleState before = doc().state();
    store::ColourTable &points = table();
    store::ColourPoint &row = points.row(point);
    const bool hms = hmsMode();
    const qint64 transition = doc().transitionTime();
    // Refused: the store as it was, and the table shows it again.
    const auto refuse = [this](const platform::BilingualMessage &message) {
        say(message);
        refreshPointsTable();
    };
    switch (column) {
    case PointsTableModel::TimeColumn: {
        const qint64 time = store::secondsOfText(text, hms);
        if (point == 1) {
            if (time != row.value(Field::Time))
                refuse(editor::firstPointMessage());
            return;
        }
        editor::TimeCheckInput in;
        in.pointCount = doc().pointCount();
        in.pointCurrent = point;
        in.time = time;
        in.length = row.value(Field::Length);
        in.transitionTime = transition;
        if (const auto refusal = editor::DataBaseTimeCheck(points, in)) {
            refuse(*refusal);
            return;
        }
        row.setValue(Field::Time, time);
        break;
    }
    case PointsTableModel::LengthColumn: {
        const qint64 length = store::secondsOfText(text, hms);
        const qint64 max =
            editor::DataBaseLengthMaxValue(points, doc().pointCount(), point, row.value(Field::Time), transition, hms)
                .value;
        if (length > max) {
            refuse(editor::outOfRangeMessage(QStringLiteral("Length Time")));
            return;
        }
        row.setValue(Field::Length, length);
        break;
    }
    case PointsTableModel::RedColumn:
    case PointsTableModel::GreenColumn:
    case PointsTableModel::BlueColumn: {
        // A level past 100 % is refused, not cut down behind the user's back.
        static const char *const names[] = {"Red", "Green", "Blue"};
        const int channel = column - PointsTableModel::RedColumn;
        if (store::toNumber(text) > 100) {
            refuse(editor::outOfRangeMessage(QString::fromLatin1(names[channel])));
            return;
        }
        row.setText(Field(int(Field::Red) + channel), editor::confirmedColour(text));
        break;
    }
    default: return;
    }
    // The edited point stays current wherever its time puts it.
    const qint64 stored = row.value(Field::Time);
    DataBaseCheck();
    int position = 1;
    while (position < doc().pointCount() && points.row(position).value(Field::Time) != stored)
        ++position;
    doc().setPointCurrent(position);
    points.moveTo(doc().pointCurrent());
    pointRefresh();
    doc().record(before, editor::editLabel(doc().pointCurrent()));
}

void FormColour::pointsTablePaste()
{
    if (!pointsTableAllowed()) {
        // The table has the keyboard but may not change the cycle: say why.
        if (historyAllowed())
            say(editor::pasteNeedsColourCycle());
        return;
    }
    const editor::PastedRows pasted = editor::parsePastedRows(QApplication::clipboard()->text());
    if (pasted.refusal) {
        say(*pasted.refusal);
        return;
    }
    const editor::CycleState before = doc().state();
    int count = doc().pointCount();
    int last = doc().pointCurrent();
    if (const auto refusal = editor::insertPastedPoints(table(), count, doc().transitionTime(), pasted.points, last)) {
        say(*refusal);
        return;
    }
    DataBaseCheck();
    doc().setPointCurrent(std::clamp(last, 1, int(doc().pointCount())));
    table().moveTo(doc().pointCurrent());
    pointRefresh();
    doc().record(before, editor::pasteLabel(int(pasted.points.size())));
}
