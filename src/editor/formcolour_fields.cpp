// Field entry: entering, typing and confirming the editor's six value fields,
// and the colour sliders.
//
// The fields' handlers run as a text box's key-up handler does: after the box
// has applied the key. Qt hands the key to the event filter first, so the
// filter lets the field apply the key and then runs the handler at once,
// before anything is painted: a refused key never shows.

#include "app/formcolour.h"
#include "app/tags.h"
#include "editor/editorcontrols.h"
#include "editor/fieldentry.h"
#include "editor/rules.h"
#include "store/numbers.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSlider>

#include <algorithm>
#include <iterator>

namespace {


// The key code a field handler sees for a key press, 0 for keys it has no
// rule for. A digit is a digit key that types that digit.
int keyCodeOf(const QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return editor::kKeyEnter;
    case Qt::Key_Backspace: return editor::kKeyBackspace;
    case Qt::Key_Delete: return editor::kKeyDelete;
    case Qt::Key_Left: return editor::kKeyLeft;
    case Qt::Key_Right: return editor::kKeyRight;
    default: break;
    }
    if (e->key() >= Qt::Key_0 && e->key() <= Qt::Key_9
        && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        const int digit = e->key() - Qt::Key_0;
        if (e->text() == QString(QChar(u'0' + digit)))
            return editor::kKey0 + digit;
    }
    return 0;
}

} // namespace

FormColour::TimeBuffer FormColour::timeBuffer(const QLineEdit *field)
{
    if (field == TextTime)
        return {TimeText, TimeCaret};
    if (field == TextLength)
        return {LengthText, LengthCaret};
    return {TransitionText, TransitionCaret};
}

std::pair<QString, int> FormColour::acceptedTime(const QLineEdit *field) const
{
    const TimeBuffer buffer = const_cast<FormColour *>(this)->timeBuffer(field);
    return {buffer.text, buffer.caret};
}

// ----- Wiring ------------------------------------------------------------------------

void FormColour::connectEditor()
{
    const auto click = [this](QPushButton *button, void (FormColour::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    click(CommandFirst, &FormColour::CommandFirst_Click);
    click(CommandPrevious, &FormColour::CommandPrevious_Click);
    click(CommandNext, &FormColour::CommandNext_Click);
    click(CommandLast, &FormColour::CommandLast_Click);
    click(CommandRemove, &FormColour::CommandRemove_Click);
    click(CommandInsert, &FormColour::CommandInsert_Click);
    click(CommandEdit, &FormColour::CommandEdit_Click);
    click(CommandSave, &FormColour::CommandSave_Click);
    click(CommandAnnul, &FormColour::CommandAnnul_Click);
    click(CommandColor, &FormColour::CommandColor_Click);
    click(CommandMoveShift, &FormColour::CommandMoveShift_Click);
    // The buttons' keys, clear of every menu shortcut and of the menus' Alt
    // letters; a disabled button ignores its key. Escape gives up an edit
    // through its own shortcut. The keys are named in the tool tips.
    const std::pair<QPushButton *, QKeySequence> keys[] = {
        {CommandFirst, QKeySequence(Qt::ALT | Qt::Key_Home)},
        {CommandPrevious, QKeySequence(Qt::ALT | Qt::Key_PageUp)},
        {CommandNext, QKeySequence(Qt::ALT | Qt::Key_PageDown)},
        {CommandLast, QKeySequence(Qt::ALT | Qt::Key_End)},
        {CommandInsert, QKeySequence(Qt::ALT | Qt::Key_Insert)},
        {CommandEdit, QKeySequence(Qt::Key_F2)},
        {CommandRemove, QKeySequence(Qt::ALT | Qt::Key_Delete)},
        {CommandMoveShift, QKeySequence(Qt::Key_F6)},
        {CommandSave, QKeySequence(Qt::CTRL | Qt::Key_Return)},
        {CommandColor, QKeySequence(Qt::Key_F7)},
    };
    for (const auto &[button, key] : keys) {
        button->setShortcut(key);
        button->setProperty("keyText", key.toString(QKeySequence::NativeText));
        button->setToolTip(button->property("keyText").toString());
    }
    CommandAnnul->setProperty("keyText", QKeySequence(Qt::Key_Escape).toString(QKeySequence::NativeText));
    CommandAnnul->setToolTip(CommandAnnul->property("keyText").toString());
    connect(TextPointID, &QLineEdit::textChanged, this, [this] { TextPointID_Change(); });

    for (QLineEdit *f : {TextTime, TextLength, TextTransition, TextRed, TextGreen, TextBlue}) {
        // Text reaches a field only through the keys its handlers filter.
        f->setContextMenuPolicy(Qt::NoContextMenu);
        f->setAcceptDrops(false);
        f->setAttribute(Qt::WA_InputMethodEnabled, false);
        f->installEventFilter(this);
    }
    showConfirmedLook();
    connect(SliderRed, &QSlider::valueChanged, this, [this] { SliderRed_Change(); });
    connect(SliderGreen, &QSlider::valueChanged, this, [this] { SliderGreen_Change(); });
    connect(SliderBlue, &QSlider::valueChanged, this, [this] { SliderBlue_Change(); });
    for (QSlider *s : {SliderRed, SliderGreen, SliderBlue})
        s->installEventFilter(this);
}

bool FormColour::editorEvent(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();

    if (watched == SliderRed || watched == SliderGreen || watched == SliderBlue) {
        auto *slider = static_cast<QSlider *>(watched);
        const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease
                           || type == QEvent::MouseButtonDblClick;
        if (!mouse || static_cast<QMouseEvent *>(event)->button() != Qt::RightButton)
            return false;
        // The press that toggled the function also owns its release, which
        // must not reach the window as a second toggle now that the slider is
        // disabled.
        if (type == QEvent::MouseButtonRelease) {
            if (!editorSliderRightPress)
                return false; // a disabled slider's release: the window's own
            editorSliderRightPress = false;
            return true;
        }
        if (!slider->isEnabled())
            return false;
        editorSliderRightPress = true;
        if (slider == SliderRed)
            SliderRed_MouseDown(Qt::RightButton);
        else if (slider == SliderGreen)
            SliderGreen_MouseDown(Qt::RightButton);
        else
            SliderBlue_MouseDown(Qt::RightButton);
        return true;
    }

    // Each value field with its KeyUp, Click and DblClick handlers.
    struct FieldHandlers
    {
        QLineEdit *field;
        void (FormColour::*keyUp)(int);
        void (FormColour::*click)();
        void (FormColour::*dblClick)();
    };
    const FieldHandlers handlers[] = {
        {TextTime, &FormColour::TextTime_KeyUp, &FormColour::TextTime_Click, &FormColour::TextTime_DblClick},
        {TextLength, &FormColour::TextLength_KeyUp, &FormColour::TextLength_Click, &FormColour::TextLength_DblClick},
        {TextTransition, &FormColour::TextTransition_KeyUp, &FormColour::TextTransition_Click,
         &FormColour::TextTransition_DblClick},
        {TextRed, &FormColour::TextRed_KeyUp, &FormColour::TextRed_Click, &FormColour::TextRed_DblClick},
        {TextGreen, &FormColour::TextGreen_KeyUp, &FormColour::TextGreen_Click, &FormColour::TextGreen_DblClick},
        {TextBlue, &FormColour::TextBlue_KeyUp, &FormColour::TextBlue_Click, &FormColour::TextBlue_DblClick},
    };
    const auto found = std::find_if(std::begin(handlers), std::end(handlers),
                                    [watched](const FieldHandlers &h) { return h.field == watched; });
    if (found == std::end(handlers) || !found->field->isEnabled())
        return false;
    QLineEdit *field = found->field;
    const bool timeField = field == TextTime || field == TextLength || field == TextTransition;

    switch (type) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            return false;
        // A time field refuses keys while another one is being typed; the
        // key is not applied.
        if (timeField && !crossFieldGuard(field))
            return true;
        const int code = keyCodeOf(key);
        // Enter confirms; keys without a rule in a time field are undone
        // anyway, so they are not applied at all.
        const bool apply = code != editor::kKeyEnter && (!timeField || code != 0);
        if (apply)
            watched->event(event);
        (this->*found->keyUp)(code);
        return true;
    }
    case QEvent::FocusIn: {
        // Qt selects the whole text of a line edit reached with Tab. In
        // hh:mm:ss the overwrite typing refuses a digit over a selection, so
        // the caret goes to the start instead; elsewhere typing replaces the
        // selected value, as users expect.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if ((reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason) || !timeField || !hmsMode())
            return false;
        watched->event(event);
        placeEntryCaret(field);
        return true;
    }
    case QEvent::MouseButtonPress: {
        editorDblClickField = nullptr;
        // The middle button would paste the selection past the filters.
        return static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton;
    }
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::MiddleButton)
            return true;
        if (mouse->button() != Qt::LeftButton)
            return false;
        if (editorDblClickField == field) {
            // The release that ends a double click is no click of its own.
            editorDblClickField = nullptr;
            return false;
        }
        // A click that starts typing a colour selects the whole value, so
        // that the digits typed replace it; later clicks place the caret.
        const bool startsColour = !timeField && !hasTag(field, u"C");
        watched->event(event);
        (this->*found->click)();
        if (startsColour)
            field->selectAll();
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return mouse->button() == Qt::MiddleButton;
        watched->event(event);
        editorDblClickField = field;
        (this->*found->dblClick)();
        return true;
    }
    default: return false;
    }
}

// ----- Time fields ---------------------------------------------------------------------

bool FormColour::crossFieldGuard(QLineEdit *field)
{
    const std::pair<QLineEdit *, QLabel *> time{TextTime, LabelTimeName};
    const std::pair<QLineEdit *, QLabel *> length{TextLength, LabelLengthName};
    const std::pair<QLineEdit *, QLabel *> transition{TextTransition, LabelTransitionName};
    std::pair<QLineEdit *, QLabel *> others[2];
    if (field == TextTime) {
        others[0] = length;
        others[1] = transition;
    } else if (field == TextLength) {
        others[0] = time;
        others[1] = transition;
    } else {
        others[0] = time;
        others[1] = length;
    }
    for (const auto &[other, label] : others) {
        if (hasTag(other, u"C")) {
            say(editor::editorModeMessage(label->text()));
            return false;
        }
    }
    return true;
}


void FormColour::timeFieldClick(QLineEdit *field)
{
    if (!crossFieldGuard(field))
        return;
    if (field == TextTime && doc().pointCurrent() == 1 && editorMode() == EditorMode::Edit) {
        say(editor::firstPointMessage());
        return;
    }
    if (field == TextTime) {
        if (hasTag(CommandMoveShift, u"S")) {
            DataBaseShiftValue();
            LabelRange->show();
        }
    } else if (field == TextLength) {
        DataBaseLengthMaxValue();
        LabelRange->show();
    } else {
        DataBaseTransitionMaxValue();
        LabelRange->show();
    }
    TimeBuffer buffer = timeBuffer(field);
    const bool hms = hmsMode();
    editor::putText(field, buffer.text, std::min<int>(field->cursorPosition(), int(buffer.text.size())));
    field->setCursorPosition(editor::caretOnEntry(field->cursorPosition(), hms));
    buffer.caret = field->cursorPosition();
    buffer.text = field->text();
    editor::setTextColour(field, editor::kOrange);
    setTag(field, QStringLiteral("C"));
}

void FormColour::placeEntryCaret(QLineEdit *field)
{
    if (hmsMode()) {
        field->deselect();
        field->setCursorPosition(editor::caretOnEntry(0, true));
    } else {
        field->selectAll(); // typing replaces the value, as after Tab
    }
    TimeBuffer buffer = timeBuffer(field);
    buffer.text = field->text();
    buffer.caret = field->cursorPosition();
}

void FormColour::focusAtEntry(QLineEdit *field)
{
    field->setFocus(Qt::OtherFocusReason);
    placeEntryCaret(field);
}

void FormColour::timeFieldKey(QLineEdit *field, int keyCode)
{
    if (!crossFieldGuard(field))
        return;
    TimeBuffer buffer = timeBuffer(field);
    const bool hms = hmsMode();
    std::optional<qint64> limit;
    if (field == TextLength) {
        limit = editor::DataBaseLengthMaxValue(table(), doc().pointCount(), doc().pointCurrent(),
                                               store::secondsOfText(TextTime->text(), hms), doc().transitionTime(), hms)
                    .value;
        LengthMaxValue = store::format00000(*limit);
    } else if (field == TextTransition) {
        limit = editor::DataBaseTransitionMaxValue(table(), doc().pointCount(), hms).value;
        TransitionMaxValue = store::format00000(*limit);
    }
    const editor::KeyResult result = editor::timeFieldKey(keyCode, {field->text(), field->cursorPosition()},
                                                          {buffer.text, buffer.caret}, hms, limit);
    switch (result.outcome) {
    case editor::KeyOutcome::Confirm:
        editor::putText(field, buffer.text, std::min<int>(buffer.caret, int(buffer.text.size())));
        timeFieldConfirm(field);
        break;
    case editor::KeyOutcome::Reject:
        editor::putText(field, result.shown.text, std::min<int>(result.shown.caret, int(result.shown.text.size())));
        break;
    case editor::KeyOutcome::Accept:
        editor::putText(field, result.shown.text, result.shown.caret);
        buffer.text = field->text();
        buffer.caret = field->cursorPosition();
        break;
    }
}

void FormColour::timeFieldConfirm(QLineEdit *field)
{
    if (!crossFieldGuard(field))
        return;
    const editor::CycleState before = doc().state();
    TimeBuffer buffer = timeBuffer(field);
    const bool hms = hmsMode();
    editor::putText(field, buffer.text, std::min<int>(field->cursorPosition(), int(buffer.text.size())));
    if (field->text().isEmpty())
        field->setText(hms ? QStringLiteral("00:00:00") : QStringLiteral("00000"));
    qint64 v = store::secondsOfText(field->text(), hms);

    if (field == TextTime) {
        if (hasTag(CommandMoveShift, u"M")) {
            if (!DataBaseTimeCheck(field->text())) {
                editor::putText(field, buffer.text, std::min<int>(buffer.caret, int(buffer.text.size())));
                return;
            }
        } else {
            editor::ShiftRange range;
            range.min = ShiftRangeMin;
            range.max = ShiftRangeMax;
            if (const auto refusal = editor::shiftOutOfRange(v, range, platform::warningTitle().italian)) {
                say(*refusal);
                v = ShiftRangeMin;
            }
        }
    } else if (field == TextLength) {
        // The limit as it stands now: a field reached with Tab was never
        // clicked, so no limit was taken on entry.
        const qint64 max =
            editor::DataBaseLengthMaxValue(table(), doc().pointCount(), doc().pointCurrent(),
                                           store::secondsOfText(TextTime->text(), hms), doc().transitionTime(), hms)
                .value;
        LengthMaxValue = store::format00000(max);
        if (v > max) {
            say(editor::outOfRangeMessage(QStringLiteral("Length Time")));
            v = max;
        }
    } else {
        const qint64 max = editor::DataBaseTransitionMaxValue(table(), doc().pointCount(), hms).value;
        TransitionMaxValue = store::format00000(max);
        if (v > max) {
            say(editor::outOfRangeMessage(QStringLiteral("Transition Time")));
            v = max;
        }
    }

    field->setText(store::timeText(v, hms));
    if (field == TextTransition)
        doc().setTransitionTime(v);
    buffer.text = field->text();
    buffer.caret = field->cursorPosition();
    editor::setTextColour(field, editor::kNavy);
    setTag(field, QStringLiteral("U"));
    LabelRange->hide();
    field->hide();
    field->show();
    if (field == TextTransition) {
        table().moveTo(doc().pointCurrent());
        pointRefresh();
        doc().record(before, editor::transitionLabel());
    }
}

void FormColour::TextTime_Click() { timeFieldClick(TextTime); }
void FormColour::TextLength_Click() { timeFieldClick(TextLength); }
void FormColour::TextTransition_Click() { timeFieldClick(TextTransition); }
void FormColour::TextTime_KeyUp(int KeyCode) { timeFieldKey(TextTime, KeyCode); }
void FormColour::TextLength_KeyUp(int KeyCode) { timeFieldKey(TextLength, KeyCode); }
void FormColour::TextTransition_KeyUp(int KeyCode) { timeFieldKey(TextTransition, KeyCode); }
void FormColour::TextTime_DblClick() { timeFieldConfirm(TextTime); }
void FormColour::TextLength_DblClick() { timeFieldConfirm(TextLength); }
void FormColour::TextTransition_DblClick() { timeFieldConfirm(TextTransition); }

// ----- Colour fields ---------------------------------------------------------------------

void FormColour::TextRed_Click()
{
    const QString digits = store::CheckNumber(TextRed->text());
    if (digits != TextRed->text())
        TextRed->setText(digits);
    setTag(TextRed, QStringLiteral("C"));
    editor::setTextColour(TextRed, editor::kOrange);
}

void FormColour::TextGreen_Click()
{
    setTag(TextGreen, QStringLiteral("C"));
    editor::setTextColour(TextGreen, editor::kOrange);
}

void FormColour::TextBlue_Click()
{
    setTag(TextBlue, QStringLiteral("C"));
    editor::setTextColour(TextBlue, editor::kOrange);
}

namespace {

void colourKey(QLineEdit *field, int keyCode, const std::function<void()> &confirm)
{
    const editor::KeyResult result = editor::colourFieldKey(keyCode, {field->text(), field->cursorPosition()});
    if (result.outcome == editor::KeyOutcome::Confirm) {
        confirm();
        return;
    }
    if (result.shown.text != field->text())
        editor::putText(field, result.shown.text, result.shown.caret);
}

} // namespace

void FormColour::TextRed_KeyUp(int KeyCode)
{
    colourKey(TextRed, KeyCode, [this] { TextRed_DblClick(); });
}
void FormColour::TextGreen_KeyUp(int KeyCode)
{
    colourKey(TextGreen, KeyCode, [this] { TextGreen_DblClick(); });
}
void FormColour::TextBlue_KeyUp(int KeyCode)
{
    colourKey(TextBlue, KeyCode, [this] { TextBlue_DblClick(); });
}

void FormColour::colourFieldConfirm(QLineEdit *field, QString &colour)
{
    const QString text = editor::confirmedColour(field->text());
    if (field->text() != text)
        field->setText(text);
    // A green confirmed by typing is a darker green than the field's resting
    // look, as the editor has always shown it.
    if (field == TextRed)
        editor::setTextColour(field, QColor(255, 0, 0));
    else if (field == TextGreen)
        editor::setTextColour(field, QColor(0, 192, 0));
    else
        editor::setTextColour(field, QColor(0, 0, 255));
    setTag(field, QStringLiteral("U"));
    colour = store::reformat(field->text(), 3);
    DataBaseData();
    field->hide();
    field->show();
    if (field != TextRed)
        field->deselect();
}

void FormColour::TextRed_DblClick() { colourFieldConfirm(TextRed, ColorRed); }
void FormColour::TextGreen_DblClick() { colourFieldConfirm(TextGreen, ColorGreen); }
void FormColour::TextBlue_DblClick() { colourFieldConfirm(TextBlue, ColorBlue); }

// ----- Sliders --------------------------------------------------------------------------------

void FormColour::sliderChanged(QSlider *slider, QString &colour)
{
    // Setting the sliders to the colour they show is no change of colour:
    // that is how DataBaseData moves them.
    if (editorSliderSync)
        return;
    const QString value = store::format000(slider->value());
    if (value == store::reformat(colour, 3))
        return;
    const QScopedValueRollback<bool> sync(editorSliderSync, true);
    colour = value;
    DataBaseData();
}

void FormColour::SliderRed_Change() { sliderChanged(SliderRed, ColorRed); }
void FormColour::SliderGreen_Change() { sliderChanged(SliderGreen, ColorGreen); }
void FormColour::SliderBlue_Change() { sliderChanged(SliderBlue, ColorBlue); }

void FormColour::SliderRed_MouseDown(Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        mnuEnableRGB_Click();
}

void FormColour::SliderGreen_MouseDown(Qt::MouseButton button) { SliderRed_MouseDown(button); }
void FormColour::SliderBlue_MouseDown(Qt::MouseButton button) { SliderRed_MouseDown(button); }
