// Fuzzes the cycle-file reader: any bytes must give either a sound cycle or
// a report in both languages, never a crash, an overflow or a field of the
// wrong width. A sound cycle must write back into a file that reads the same.

#include "cyclefile/cyclefile.h"

#include "fuzzchecks.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const cyclefile::ReadResult result = cyclefile::readCycle(bytes);
    check(result.ok() != result.failure.has_value());
    if (!result.ok()) {
        const platform::BilingualMessage &m = *result.failure;
        check(!m.text.english.isEmpty() && !m.text.italian.isEmpty());
        check(m.title.english == QStringLiteral("Error Found") && m.title.italian == QStringLiteral("Errore"));
        check(m.icon == platform::MsgIcon::Critical);
        return 0;
    }

    const cyclefile::LoadedCycle &cycle = *result.cycle;
    store::ColourTable table;
    int used = 0;
    for (int k = 1; k <= store::kRowCount; ++k) {
        const store::ColourPoint &p = cycle.rows[std::size_t(k - 1)];
        for (int f = 0; f < store::kFieldCount; ++f)
            check(digitsOfWidth(p.text(store::Field(f)), store::fieldWidth(store::Field(f))));
        used += p.value(store::Field::PointID) != 0 ? 1 : 0;
        table.row(k) = p;
    }
    check(used == cycle.pointCount);
    check(digitsOfWidth(cycle.transitionTime, 5));

    const QByteArray written = cyclefile::writeCycle(table, cycle.transitionTime);
    check(written.size() == 64 * 42 + 22);
    const cyclefile::ReadResult again = cyclefile::readCycle(written);
    check(again.ok() && !again.cycle->notice);
    check(again.cycle->rows == cycle.rows);
    check(again.cycle->transitionTime == cycle.transitionTime);
    return 0;
}
