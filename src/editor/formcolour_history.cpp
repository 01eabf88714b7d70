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
    QUndoStack *history = doc().history();
    connect(history, &QUndoStack::cleanChanged, this, [this](bool clean) { setWindowModified(!clean); });
    connect(history, &QUndoStack::indexChanged, this, [this] { updateHistoryActions(); });
    // A step undone or redone has put a cycle back into the document.
    connect(m_document, &editor::CycleDocument::stepRestored, this, &FormColour::showRestoredCycle);
    onMenu("mnuEditUndo", &FormColour::mnuEditUndo_Click);
    onMenu("mnuEditRedo", &FormColour::mnuEditRedo_Click);

    // Escape gives up an Insert or Edit in progress, as Annul does.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setObjectName(QStringLiteral("ShortcutEscape"));
    connect(escape, &QShortcut::activated, this, [this] {
        if (editorMode() != EditorMode::Browse && CommandAnnul->isEnabled() && ShapeColorCycle->isEnabled()) {
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

CycleState FormColour::cycleState(bool withSource) const { return doc().state(withSource); }

void FormColour::restoreCycleState(const CycleState &state)
{
    doc().restore(state);
    showRestoredCycle(state.source.has_value());
}

void FormColour::showRestoredCycle(bool wholeCycle)
{
    const int current = doc().pointCurrent();
    if (wholeCycle) {
        showSource();
        // A whole cycle has come back: shown as one that comes in, zoom and
        // cursors set up anew.
        doc().setPointCurrent(1);
        showLoadedCycle();
    } else if (!mnuEnableColorCycle->isChecked()) {
        mnuEnableColorCycle_Click();
    }
    doc().setPointCurrent(std::clamp(current, 1, doc().pointCount()));
    table().moveTo(doc().pointCurrent());
    pointRefresh();
}

void FormColour::recordCycleChange(const CycleState &before, const Bilingual &label, int mergeKey)
{
    doc().record(before, label, mergeKey);
}

void FormColour::markCycleSaved() { doc().markSaved(); }

bool FormColour::cycleModified() const { return doc().isModified(); }

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
    return StartupDone && editorMode() == EditorMode::Browse && !hasTag(ProgressBarWait, u"M") && !SimulatorRunning;
}

void FormColour::mnuEditUndo_Click()
{
    if (historyAllowed() && doc().history()->canUndo())
        doc().history()->undo();
}

void FormColour::mnuEditRedo_Click()
{
    if (historyAllowed() && doc().history()->canRedo())
        doc().history()->redo();
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
    const int index = doc().history()->index();
    const struct
    {
        QAction *item;
        QAction *button;
        bool available;
        Bilingual text;
    } actions[] = {
        {menuItem(QStringLiteral("mnuEditUndo")), toolbarButton(QStringLiteral("Undo")), doc().history()->canUndo(),
         editor::undoText(doc().history()->canUndo() ? labelAt(*doc().history(), index - 1) : nullptr)},
        {menuItem(QStringLiteral("mnuEditRedo")), toolbarButton(QStringLiteral("Redo")), doc().history()->canRedo(),
         editor::redoText(doc().history()->canRedo() ? labelAt(*doc().history(), index) : nullptr)},
    };
    for (const auto &a : actions) {
        a.item->setEnabled(allowed && a.available);
        a.item->setText(a.text.pick(inEnglish));
        a.button->setEnabled(allowed && a.available);
    }
    // The points table changes the cycle only when the history may.
    showPointsTableAccess();
}

void FormColour::updateWindowTitle()
{
    const QString &name = doc().source().title.pick(english());
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
