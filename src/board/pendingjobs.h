#pragma once
// The board jobs the link runs at its idle step, in the order it takes them.
// A job is armed by ticking its menu item, so the USB menu shows what waits
// or runs, and it stays armed until one of its steps reports it ended.

#include "board/link.h"
#include "board/reports.h"

#include <QAction>

#include <functional>
#include <optional>
#include <vector>

namespace board {

class PendingJobs
{
public:
    // One step of a job: true while the job goes on.
    using Step = std::function<bool()>;

    // Adds a job after those already added; `emulator` says whether it runs
    // in emulator mode too (the others run in interface mode only).
    void add(Job job, QAction *item, Step step, bool emulator = false)
    {
        m_jobs.push_back(Entry{job, item, std::move(step), emulator});
    }
    void arm(Job job)
    {
        if (Entry *entry = find(job))
            entry->item->setChecked(true);
    }
    // Nothing armed runs any more (the board was switched off).
    void disarmAll()
    {
        for (Entry &entry : m_jobs)
            entry.item->setChecked(false);
    }
    // The first armed job that runs in `mode`, if any.
    std::optional<Job> next(LinkMode mode) const
    {
        for (const Entry &entry : m_jobs) {
            const bool runs = mode == LinkMode::Interface || (mode == LinkMode::Emulator && entry.emulator);
            if (runs && entry.item->isChecked())
                return entry.job;
        }
        return std::nullopt;
    }
    // One step of `job`; it stays armed while the step says it goes on.
    void step(Job job)
    {
        if (Entry *entry = find(job))
            entry->item->setChecked(entry->step());
    }

private:
    struct Entry
    {
        Job job;
        QAction *item;
        Step step;
        bool emulator;
    };
    Entry *find(Job job)
    {
        for (Entry &entry : m_jobs) {
            if (entry.job == job)
                return &entry;
        }
        return nullptr;
    }
    std::vector<Entry> m_jobs;
};

} // namespace board
