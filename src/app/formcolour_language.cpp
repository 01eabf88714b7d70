// The language switch, the time display switch, the comments, the guide,
// the information window and the keyboard's way into the menus.

#include "app/formcolour.h"

#include "app/captions.h"
#include "app/forminformation.h"
#include "app/qttranslation.h"
#include "app/tags.h"
#include "chart/chartview.h"
#include "platform/dialogs.h"
#include "store/numbers.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>

using captions::Caption;
using captions::Role;
using captions::When;

namespace {

// Whether a row applies now; as designed, times are shown as hh:mm:ss and
// the editor moves points.
bool applies(const Caption &row, bool designed, bool hmsMode, bool movingMode)
{
    const bool hms = designed || hmsMode;
    const bool moving = designed || movingMode;
    switch (row.when) {
    case When::Always: return true;
    case When::AtStart: return designed;
    case When::HmsTimes: return hms;
    case When::SecondsTimes: return !hms;
    case When::Moving: return moving;
    case When::Shifting: return !moving;
    }
    return false;
}

// A menu item shows its caption as it is: an "&" in it is no mnemonic. The
// caption itself is kept beside the menu text, as for the slot items.
void setMenuCaption(QAction *item, const QString &caption)
{
    item->setProperty("Caption", caption);
    item->setText(captions::escaped(caption));
}

// The object a row of the caption table writes on: a menu item, a toolbar
// button or a control of the window, by its objectName.
QObject *captionTarget(FormColour &w, const char *name)
{
    const QString objectName = QString::fromLatin1(name);
    if (QAction *item = w.menuItem(objectName))
        return item;
    if (auto *button = w.findChild<QAction *>(objectName))
        return button;
    return w.findChild<QWidget *>(objectName);
}

} // namespace

void FormColour::applyCaptions(bool designed)
{
    const bool inEnglish = !designed && english();
    for (const Caption &row : captions::table()) {
        // The points table reads its column headers itself.
        if (row.role == Role::Comment || row.role == Role::Header
            || !applies(row, designed, hmsMode(), hasTag(CommandMoveShift, u"M")))
            continue;
        QObject *target = captionTarget(*this, row.name);
        Q_ASSERT_X(target, "FormColour::applyCaptions", row.name);
        if (!target)
            continue;
        const QString text = designed ? row.designedText() : row.text(inEnglish);
        switch (row.role) {
        case Role::Text:
            if (auto *item = qobject_cast<QAction *>(target))
                setMenuCaption(item, text);
            else
                target->setProperty("text", text);
            break;
        case Role::ToolTip: target->setProperty("toolTip", text); break;
        case Role::Column1:
        case Role::Column2:
        case Role::Column3: MSChartColorCycle->setColumnLabel(int(row.role) - int(Role::Column1) + 1, text); break;
        case Role::Comment:
        case Role::Header: break;
        }
    }
    if (designed)
        showComments(false);

    // The titles of the menu bar carry mnemonics (Alt with the underlined
    // letter opens the menu), chosen again whenever the titles change.
    // The Edit and View menus came later than the others: they take their
    // letters after theirs, so that theirs stay the ones users know.
    QList<QAction *> titles = menuBar()->actions();
    if (titles.removeOne(mnuEdit))
        titles.append(mnuEdit);
    if (titles.removeOne(mnuView))
        titles.append(mnuView);
    QStringList plain;
    for (QAction *title : titles)
        plain << title->property("Caption").toString();
    const QStringList texts = captions::withMnemonics(plain);
    for (qsizetype i = 0; i < titles.size(); ++i)
        titles[i]->setText(texts[i]);

    // The history's items name their step; the title names the cycle (once
    // the window is built).
    if (!designed) {
        updateHistoryActions();
        updateWindowTitle();
    }
}

void FormColour::showComments(bool on)
{
    const bool inEnglish = english();
    QSet<QString> commented;
    for (const Caption &row : captions::table()) {
        if (row.role != Role::Comment)
            continue;
        QObject *target = captionTarget(*this, row.name);
        Q_ASSERT_X(target, "FormColour::showComments", row.name);
        if (!target)
            continue;
        // A button's key is named in its tool tip, comments on or off.
        const QString key = target->property("keyText").toString();
        const QString tip = on ? row.text(inEnglish) : QString();
        target->setProperty("toolTip", key.isEmpty()   ? tip
                                       : tip.isEmpty() ? key
                                                       : tip + QStringLiteral(" (") + key + u')');
        commented.insert(target->objectName());
    }
    if (!on)
        return;
    // The labels without a comment of their own show none.
    for (QLabel *label : findChildren<QLabel *>()) {
        if (!commented.contains(label->objectName()))
            label->setToolTip(QString());
    }
}

void FormColour::mnuConfigLanguage_Click()
{
    const bool toEnglish = !english();
    setLanguage(toEnglish ? Language::English : Language::Italian);
    applyCaptions(false);
    // The speed label only for a speed that has one; any other keeps its caption.
    if (const std::optional<QString> speed = captions::speedLabel(SimulatorSpeed, toEnglish))
        LabelSimulatorSpeed->setText(*speed);
    showStatus();
    HelpFile = captions::helpFile(toEnglish);
    // A guide already open follows the switch.
    m_dialogs.switchHelp(HelpFile);
    qttranslation::follow(toEnglish);

    if (menuItem(QStringLiteral("mnuHelpCommentOn"))->isChecked())
        mnuHelpCommentOn_Click();
    DataBaseView();
}

void FormColour::mnuHelpCommentOn_Click()
{
    QAction *item = menuItem(QStringLiteral("mnuHelpCommentOn"));
    const bool on = !item->isChecked();
    item->setChecked(on);
    showComments(on);
}

void FormColour::mnuHelpGuide_Click() { m_dialogs.showHelp(HelpFile); }

void FormColour::mnuInfoOrvanta_Click()
{
    // One information window at a time; it takes the language as it opens.
    FormInformation *info = nullptr;
    for (FormInformation *open : findChildren<FormInformation *>(Qt::FindDirectChildrenOnly))
        if (open->isVisible())
            info = open;
    if (!info) {
        info = new FormInformation(english(), this);
        info->adjustSize();
        info->move(frameGeometry().center() - info->rect().center());
    }
    info->show();
    info->raise();
    info->activateWindow();
}

void FormColour::openFirstMenu()
{
    for (QAction *title : menuBar()->actions()) {
        if (title->isEnabled() && title->isVisible() && title->menu()) {
            menuBar()->setActiveAction(title);
            return;
        }
    }
}

// -------------------------------------------------------------------------------------
// Switching the time display between "hh:mm:ss" and five-digit seconds.

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
