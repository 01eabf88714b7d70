#include "editor/cyclehistory.h"

#include <utility>

namespace editor {

CycleCommand::CycleCommand(Apply apply, CycleState before, CycleState after, Bilingual label, int mergeKey)
    : m_apply(std::move(apply))
    , m_before(std::move(before))
    , m_after(std::move(after))
    , m_label(std::move(label))
    , m_mergeKey(mergeKey)
{
    setText(m_label.english);
}

void CycleCommand::undo()
{
    m_done = false;
    m_apply(m_before);
}

void CycleCommand::redo()
{
    // Pushed after the change was made: the first redo finds it done.
    if (std::exchange(m_done, false))
        return;
    m_apply(m_after);
}

bool CycleCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = dynamic_cast<const CycleCommand *>(other);
    if (!next || next->m_label != m_label)
        return false;
    m_after = next->m_after;
    return true;
}

Bilingual undoText(const Bilingual *label)
{
    if (!label)
        return {QStringLiteral("Undo"), QStringLiteral("Annulla")};
    return {QStringLiteral("Undo ") + label->english, QStringLiteral("Annulla ") + label->italian};
}

Bilingual redoText(const Bilingual *label)
{
    if (!label)
        return {QStringLiteral("Redo"), QStringLiteral("Ripeti")};
    return {QStringLiteral("Redo ") + label->english, QStringLiteral("Ripeti ") + label->italian};
}

namespace {

Bilingual numbered(const char *english, const char *italian, int n)
{
    return {QString::fromLatin1(english).arg(n), QString::fromLatin1(italian).arg(n)};
}

} // namespace

Bilingual insertLabel(int point) { return numbered("Insert point %1", "Inserisci punto %1", point); }
Bilingual editLabel(int point) { return numbered("Edit point %1", "Modifica punto %1", point); }
Bilingual shiftLabel(int point) { return numbered("Shift points from %1", "Sposta punti da %1", point); }
Bilingual removeLabel(int point) { return numbered("Remove point %1", "Rimuovi punto %1", point); }
Bilingual transitionLabel()
{
    return {QStringLiteral("Cycle End Transition Time"), QStringLiteral("Tempo Viraggio Fine Ciclo")};
}
Bilingual openLabel(const QString &fileName)
{
    return {QStringLiteral("Open ") + fileName, QStringLiteral("Apri ") + fileName};
}
Bilingual readLabel(int slot) { return numbered("Read slot %1", "Leggi slot %1", slot); }
Bilingual closeLabel() { return {QStringLiteral("Close File"), QStringLiteral("Chiudi File")}; }
Bilingual templateLabel() { return {QStringLiteral("New from Template"), QStringLiteral("Nuovo da Modello")}; }
Bilingual daylightLabel() { return {QStringLiteral("New from Daylight"), QStringLiteral("Nuovo da Luce del Giorno")}; }
Bilingual deleteLabel() { return {QStringLiteral("Remove File"), QStringLiteral("Elimina File")}; }

platform::BilingualMessage unsavedChangesQuestion()
{
    return platform::choice({QStringLiteral("The colour cycle has changes that are not saved. Save them first?"),
                             QStringLiteral("Il ciclo colore ha modifiche non salvate. Salvarle prima?")});
}

} // namespace editor
