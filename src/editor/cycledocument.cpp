#include "editor/cycledocument.h"

#include "store/numbers.h"

#include <QUndoStack>

#include <algorithm>

namespace editor {

CycleDocument::CycleDocument(QObject *parent)
    : QObject(parent)
    , m_history(new QUndoStack(this))
{
    m_history->setObjectName(QStringLiteral("History"));
    store::emptyTable(m_table);
    m_table.MoveFirst();
    connect(m_history, &QUndoStack::cleanChanged, this, [this](bool clean) { Q_EMIT modifiedChanged(!clean); });
}

void CycleDocument::setPointCount(int count)
{
    count = std::clamp(count, 1, store::kRowCount);
    if (count != m_pointCount) {
        m_pointCount = count;
        Q_EMIT rowsChanged();
    }
}

void CycleDocument::setPointCurrent(int point)
{
    // Kept as the window's counter keeps it: the store's procedures may stand
    // one past the points while they walk.
    point = std::clamp(point, 0, store::kRowCount + 1);
    if (point != m_pointCurrent) {
        m_pointCurrent = point;
        Q_EMIT currentPointChanged(point);
    }
}

void CycleDocument::setTransitionTime(qint64 seconds)
{
    // As its five-digit text holds it.
    seconds = std::clamp<qint64>(seconds, 0, 99999);
    if (seconds != m_transitionTime) {
        m_transitionTime = seconds;
        Q_EMIT rowsChanged();
    }
}

void CycleDocument::setCycle(const store::ColourTable &rows, int pointCount, qint64 transitionSeconds)
{
    for (int r = 1; r <= store::kRowCount; ++r)
        m_table.row(r) = rows.row(r);
    m_pointCount = std::clamp(pointCount, 1, store::kRowCount);
    m_transitionTime = std::clamp<qint64>(transitionSeconds, 0, 99999);
    Q_EMIT rowsChanged();
}

void CycleDocument::setSource(const CycleSource &source)
{
    if (!(source == m_source)) {
        m_source = source;
        Q_EMIT sourceChanged();
    }
}

QString CycleDocument::transitionText() const { return store::format00000(m_transitionTime); }

bool CycleDocument::isModified() const { return !m_history->isClean(); }

void CycleDocument::markSaved() { m_history->setClean(); }

void CycleDocument::markUnsaved() { m_history->resetClean(); }

CycleState CycleDocument::state(bool withSource) const
{
    CycleState s;
    for (int k = 1; k <= store::kRowCount; ++k)
        s.rows[std::size_t(k - 1)] = m_table.row(k);
    s.pointCount = quint8(m_pointCount);
    s.pointCurrent = quint8(std::clamp(m_pointCurrent, 1, m_pointCount));
    s.transitionTime = transitionText();
    if (withSource)
        s.source = m_source;
    return s;
}

void CycleDocument::restore(const CycleState &s)
{
    for (int k = 1; k <= store::kRowCount; ++k)
        m_table.row(k) = s.rows[std::size_t(k - 1)];
    m_pointCount = std::clamp<int>(s.pointCount, 1, store::kRowCount);
    m_transitionTime = store::toNumber(s.transitionTime);
    if (s.source)
        setSource(*s.source);
    m_pointCurrent = std::clamp<int>(s.pointCurrent, 1, m_pointCount);
    m_table.moveTo(m_pointCurrent);
    Q_EMIT rowsChanged();
    Q_EMIT currentPointChanged(m_pointCurrent);
}

void CycleDocument::record(const CycleState &before, const Bilingual &label, int mergeKey)
{
    CycleState after = state(before.source.has_value());
    if (before.sameCycle(after) && before.source == after.source)
        return;
    m_history->push(new CycleCommand(
        [this](const CycleState &s) {
            restore(s);
            Q_EMIT stepRestored(s.source.has_value());
        },
        before, std::move(after), label, mergeKey));
    Q_EMIT rowsChanged();
}

void CycleDocument::renameSource(const CycleSource &from, const CycleSource &to)
{
    // The stack's commands are the document's own; only their sources change.
    const auto command = [this](int index) {
        return dynamic_cast<CycleCommand *>(const_cast<QUndoCommand *>(m_history->command(index)));
    };
    // Back to the step that brought the cycle in, and on to the next step
    // that replaces it: the steps between hold this cycle.
    for (int i = m_history->index() - 1; i >= 0; --i) {
        if (CycleCommand *c = command(i); c && c->after().source) {
            if (*c->after().source == from)
                c->setSource(CycleCommand::After, to);
            break;
        }
    }
    for (int i = m_history->index(); i < m_history->count(); ++i) {
        if (CycleCommand *c = command(i); c && c->before().source) {
            if (*c->before().source == from)
                c->setSource(CycleCommand::Before, to);
            break;
        }
    }
}

void CycleDocument::empty()
{
    store::emptyTable(m_table);
    m_table.MoveFirst();
    m_transitionTime = 0;
    m_pointCount = 1;
    m_pointCurrent = 1;
    Q_EMIT rowsChanged();
    Q_EMIT currentPointChanged(1);
}

} // namespace editor
