// Fuzzes the board jobs with whatever a board might send back: the board is a
// peer the program does not control. Every job must end within its steps,
// never crash, and never leave a value outside its field. The first byte
// picks the job and the slot; then, tick by tick, a length byte and that many
// bytes arrive on the line.

#include "board/jobs.h"
#include "platform/serialport.h"

#include "fuzzchecks.h"

#include <cstddef>
#include <cstdint>

namespace {

// A line whose receive buffer the fuzzer fills between ticks.
class FuzzLine final : public platform::SerialPort
{
public:
    QByteArray buffer;
    bool open(int) override { return true; }
    void close() override {}
    bool isOpen() const override { return true; }
    void write(const QByteArray &bytes) override { check(!bytes.isEmpty() && bytes.size() <= 37); }
    qsizetype bytesWaiting() override { return buffer.size(); }
    QByteArray readAll() override { return std::exchange(buffer, QByteArray()); }
    void flush() override { buffer.clear(); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const int job = data[0] % 7;
    const char slot = char('1' + (data[0] >> 3) % 8);
    std::size_t at = 1;

    FuzzLine line;
    store::ColourTable source;
    for (int k = 1; k <= 10; ++k) {
        source.row(k).setValue(store::Field::PointID, k);
        source.row(k).setValue(store::Field::Time, (k - 1) * 8000);
    }
    board::ReadCycle cycle;
    quint8 eraseCount = 0;
    const int failureSteps[] = {board::kDeviceFailure, board::kTextFailure,  board::kCleanFailure,
                                board::kRenameFailure, board::kEraseFailure, board::kWriteFailure,
                                board::kReadFailure};
    int value = 0;
    for (int tick = 0; tick < 200; ++tick) {
        if (at < size) {
            const std::size_t length = data[at];
            ++at;
            const std::size_t n = std::min(length, size - at);
            line.buffer.append(reinterpret_cast<const char *>(data + at), qsizetype(n));
            at += n;
        }
        board::JobTick t;
        switch (job) {
        case 0: t = board::USBDevice(value, line); break;
        case 1: t = board::USBText(value, line); break;
        case 2: t = board::USBClean(value, slot, line); break;
        case 3: t = board::USBRename(value, slot, "Fuzzed  ", line); break;
        case 4: t = board::USBErase(value, eraseCount, line); break;
        case 5: t = board::USBWrite(value, slot, {&source, 10, 600}, line); break;
        default: t = board::USBRead(value, slot, cycle, line); break;
        }
        check(t.value >= 0 && t.value <= failureSteps[job]);
        check(t.captionSlot >= 0 && t.captionSlot <= 8);
        check(t.captionSlot == 0 || t.caption.size() == 8);
        check(!t.device || t.device->name.size() == 14);
        check(t.success != t.failure.has_value() || !t.ended);
        value = t.value;
        if (t.ended)
            break;
    }

    // Whatever the read took in is a sound cycle of fixed-width fields.
    check(cycle.pointCount >= 0 && cycle.pointCount <= store::kRowCount);
    check(cycle.transitionTime >= 0 && cycle.transitionTime <= 0xFFFFFF);
    int used = 0;
    for (int r = 1; r <= store::kRowCount; ++r) {
        const store::ColourPoint &p = cycle.table.row(r);
        for (int f = 0; f < store::kFieldCount; ++f)
            check(digitsOfWidth(p.text(store::Field(f)), store::fieldWidth(store::Field(f))));
        check(p.value(store::Field::Time) <= 86400);
        if (p.value(store::Field::PointID) != 0) {
            ++used;
            check(p.value(store::Field::PointID) == r);
        }
    }
    check(used == cycle.pointCount);
    return 0;
}
