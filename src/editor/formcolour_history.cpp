// The cycle in memory as a document: its history of changes with undo and
// redo, the modified state the window title shows, the question asked before
// a command drops unsaved changes, and the editor's lock while a board job runs.

#include "app/formcolour.h"

#include "app/tags.h"
#include "editor/cyclehistory.h"

#include <QAction>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QUndoStack>

#include "app/shape.h"

using editor::CycleState;

void FormColour::connectHistory()
{
    History = new QUndoStack(this);
    History->setObjectName(QStringLiteral("History"));
    connect(History, &QUndoStack::cleanChanged, this, [this](bool clean) { setWindowModified(!clean); });
    connect(History, &QUndoStack::indexChanged, this, [this] { updateHistoryActions(); });
    onMenu("mnuEditUndo", &FormColour::mnuEditUndo_Click);
    onMenu("mnuEditRedo", &FormColour::mnuEditRedo_Click);

    // Escape gives up an Insert or Edit in progress, as Annul does.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setObjectName(QStringLiteral("ShortcutEscape"));
    connect(escape, &QShortcut::activated, this, [this] {
        if (!hasTag(CommandSave, u"D") && CommandAnnul->isEnabled() && ShapeColorCycle->isEnabled()) {
            CommandAnnul_Click();
        } else if (hasTag(TextTransition, u"C") && ShapeTransition->isEnabled()) {
            // A transition time half typed goes back to the one in force.
            setTag(TextTransition, QStringLiteral("U"));
            showConfirmedLook();
            pointRefresh();
        }
    });
    updateWindowTitle();
    updateHistoryActions();
}

CycleState FormColour::cycleState(bool withSource) const
{
    CycleState state;
    const store::ColourTable &points = DataSource->Recordset;
    for (int k = 1; k <= store::kRowCount; ++k)
        state.rows[std::size_t(k - 1)] = points.row(k);
    state.pointCount = PointCount;
    state.pointCurrent = PointCurrent;
    state.transitionTime = TransitionTime;
    if (withSource)
        state.source = editor::CycleSource{FileName, CycleTitle};
    return state;
}

void FormColour::restoreCycleState(const CycleState &state)
{
    store::ColourTable &points = table();
    for (int k = 1; k <= store::kRowCount; ++k)
        points.row(k) = state.rows[std::size_t(k - 1)];
    PointCount = state.pointCount;
    TransitionTime = state.transitionTime;
    if (state.source) {
        if (state.source->fileName.isEmpty())
            showNoFile();
        else
            nameFile(state.source->fileName);
        CycleTitle = state.source->title;
        updateWindowTitle();
        // A whole cycle has come back: shown as one that comes in, zoom and
        // cursors set up anew.
        PointCurrent = 1;
        showLoadedCycle();
    } else if (!mnuEnableColorCycle->isChecked()) {
        mnuEnableColorCycle_Click();
    }
    PointCurrent = std::clamp<quint8>(state.pointCurrent, 1, PointCount);
    points.moveTo(PointCurrent);
    pointRefresh();
}

void FormColour::recordCycleChange(const CycleState &before, const Bilingual &label, int mergeKey)
{
    CycleState after = cycleState(before.source.has_value());
    if (before.sameCycle(after) && before.source == after.source)
        return;
    History->push(new editor::CycleCommand([this](const CycleState &s) { restoreCycleState(s); }, before,
                                           std::move(after), label, mergeKey));
}

void FormColour::markCycleSaved() { History->setClean(); }

void FormColour::renameCycleSource(const editor::CycleSource &from, const editor::CycleSource &to)
{
    // The stack's commands are the window's own; only their sources change.
    const auto command = [this](int index) {
        return dynamic_cast<editor::CycleCommand *>(const_cast<QUndoCommand *>(History->command(index)));
    };
    // Back to the step that brought the cycle in, and on to the next step
    // that replaces it: the steps between hold this cycle.
    for (int i = History->index() - 1; i >= 0; --i) {
        if (editor::CycleCommand *c = command(i); c && c->after().source) {
            if (*c->after().source == from)
                c->setSource(editor::CycleCommand::After, to);
            break;
        }
    }
    for (int i = History->index(); i < History->count(); ++i) {
        if (editor::CycleCommand *c = command(i); c && c->before().source) {
            if (*c->before().source == from)
                c->setSource(editor::CycleCommand::Before, to);
            break;
        }
    }
}

bool FormColour::cycleModified() const { return !History->isClean(); }

bool FormColour::confirmDropChanges()
{
    if (!cycleModified())
        return true;
    switch (say(editor::unsavedChangesQuestion())) {
    // Only a cycle that the save has really written lets the command go on.
    // Yes is the confirmation: Save does not ask again.
    case platform::MsgResult::Yes: return saveCycle(true) == SaveResult::Written;
    case platform::MsgResult::No: return true;
    default: return false;
    }
}

bool FormColour::historyAllowed() const
{
    return StartupDone && hasTag(CommandSave, u"D") && !hasTag(ProgressBarWait, u"M") && !SimulatorRunning;
}

void FormColour::mnuEditUndo_Click()
{
    if (historyAllowed() && History->canUndo())
        History->undo();
}

void FormColour::mnuEditRedo_Click()
{
    if (historyAllowed() && History->canRedo())
        History->redo();
}

namespace {

const Bilingual *labelAt(const QUndoStack &stack, int index)
{
    const auto *command = dynamic_cast<const editor::CycleCommand *>(stack.command(index));
    return command ? &command->label() : nullptr;
}

} // namespace

void FormColour::updateHistoryActions()
{
    const bool allowed = historyAllowed();
    const bool inEnglish = english();
    const int index = History->index();
    const struct
    {
        QAction *item;
        QAction *button;
        bool available;
        Bilingual text;
    } actions[] = {
        {menuItem(QStringLiteral("mnuEditUndo")), toolbarButton(QStringLiteral("Undo")), History->canUndo(),
         editor::undoText(History->canUndo() ? labelAt(*History, index - 1) : nullptr)},
        {menuItem(QStringLiteral("mnuEditRedo")), toolbarButton(QStringLiteral("Redo")), History->canRedo(),
         editor::redoText(History->canRedo() ? labelAt(*History, index) : nullptr)},
    };
    for (const auto &a : actions) {
        a.item->setEnabled(allowed && a.available);
        a.item->setText(a.text.pick(inEnglish));
        a.button->setEnabled(allowed && a.available);
    }
    // The points table changes the cycle only when the history may.
    refreshPointsTable();
}

void FormColour::updateWindowTitle()
{
    const QString &name = CycleTitle.pick(english());
    setWindowTitle(name.isEmpty() ? QStringLiteral("Orvanta[*]") : QStringLiteral("Orvanta - %1[*]").arg(name));
}

void FormColour::setEditorLocked(bool locked)
{
    // The panels, not their controls: each control keeps its own state and
    // shows it again when the panel comes back.
    for (Shape *panel : {ShapeColorCycle, ShapeTransition, ShapeRed, ShapeGreen, ShapeBlue})
        panel->setEnabled(!locked);
    updateHistoryActions();
}
