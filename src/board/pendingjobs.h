#pragma once
// The board jobs armed and waiting for the link's idle step, and the order
// the link takes them in. A job stays armed until one of its steps reports
// that it has ended.

#include "board/link.h"
#include "board/reports.h"

#include <QList>

#include <array>
#include <optional>

namespace board {

class PendingJobs
{
public:
    // The jobs that can be armed, in the order the idle step takes them.
    static constexpr std::array<Job, 8> kOrder{Job::Clean, Job::Erase,  Job::Read,   Job::Rename,
                                               Job::Write, Job::Device, Job::Backup, Job::Restore};

    // Whether `job` runs in emulator mode too (the others run in interface
    // mode only): the device information is the one job of both modes.
    static bool runsInEmulator(Job job) { return job == Job::Device; }

    // Each returns whether the job's state changed.
    bool arm(Job job) { return set(job, true); }
    bool disarm(Job job) { return set(job, false); }
    bool isArmed(Job job) const { return m_armed[std::size_t(job)]; }

    // The armed jobs, in the order the link takes them.
    QList<Job> armed() const
    {
        QList<Job> jobs;
        for (Job job : kOrder) {
            if (isArmed(job))
                jobs.append(job);
        }
        return jobs;
    }
    // The first armed job that runs in `mode`, if any.
    std::optional<Job> next(LinkMode mode) const
    {
        for (Job job : kOrder) {
            const bool runs = mode == LinkMode::Interface || (mode == LinkMode::Emulator && runsInEmulator(job));
            if (runs && isArmed(job))
                return job;
        }
        return std::nullopt;
    }

private:
    bool set(Job job, bool armed)
    {
        bool &flag = m_armed[std::size_t(job)];
        const bool changed = flag != armed;
        flag = armed;
        return changed;
    }
    std::array<bool, std::size_t(Job::Restore) + 1> m_armed{};
};

} // namespace board
