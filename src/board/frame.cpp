#include "board/frame.h"

namespace board {

quint8 checksum(QByteArrayView bytes)
{
    unsigned sum = 0;
    for (char c : bytes)
        sum += quint8(c);
    return quint8(sum & 0xFF);
}

QByteArray withChecksum(QByteArrayView bytes)
{
    QByteArray frame = bytes.toByteArray();
    frame.append(char(checksum(bytes)));
    return frame;
}

char blockDigit(int block) { return "0123456789ABCDEF"[block & 0xF]; }

namespace {

QByteArray command(char letter, QByteArrayView parameters = {})
{
    QByteArray body;
    body.reserve(3 + parameters.size());
    body.append('A');
    body.append(letter);
    body.append(parameters.data(), parameters.size());
    return withChecksum(body);
}

// Exactly `n` bytes: cut, or padded with spaces.
QByteArray fixed(QByteArrayView bytes, int n)
{
    QByteArray out = bytes.first(std::min<qsizetype>(bytes.size(), n)).toByteArray();
    out.append(QByteArray(n - out.size(), ' '));
    return out;
}

} // namespace

QByteArray identifyFrame() { return command('K'); }

QByteArray emulatorColourFrame(int red, int green, int blue)
{
    const char rgb[3] = {char(quint8(red)), char(quint8(green)), char(quint8(blue))};
    return command('E', QByteArrayView(rgb, 3));
}

QByteArray heartbeatFrame() { return command('H'); }
QByteArray deviceInfoFrame() { return command('D'); }
QByteArray readTextFrame(char address) { return command('T', QByteArrayView(&address, 1)); }

QByteArray writeTextFrame(char address, QByteArrayView eight)
{
    QByteArray parameters(1, address);
    parameters.append(fixed(eight, 8));
    return command('N', parameters);
}

QByteArray cleanFrame(char slot) { return command('C', QByteArrayView(&slot, 1)); }
QByteArray eraseFrame() { return command('M'); }

QByteArray writeBlockFrame(char slot, char block, QByteArrayView thirtyTwo)
{
    QByteArray parameters;
    parameters.append(slot);
    parameters.append(block);
    parameters.append(fixed(thirtyTwo, 32));
    return command('W', parameters);
}

QByteArray readBlockFrame(char slot, char block)
{
    const char parameters[2] = {slot, block};
    return command('R', QByteArrayView(parameters, 2));
}

int commandLength(char letter)
{
    switch (letter) {
    case 'K':
    case 'H':
    case 'D':
    case 'M': return 3;
    case 'T':
    case 'C': return 4;
    case 'R': return 5;
    case 'E': return 6;
    case 'N': return 12;
    case 'W': return 37;
    default: return 0;
    }
}

int replyLength(char letter)
{
    switch (letter) {
    case 'K':
    case 'E':
    case 'H':
    case 'M':
    case 'W': return 3;
    case 'T':
    case 'N':
    case 'C': return 11;
    case 'D': return 20;
    case 'R': return 33;
    default: return 0;
    }
}

QByteArray ackReply(char letter)
{
    const char body[2] = {'B', letter};
    return withChecksum(QByteArrayView(body, 2));
}

QByteArray dataReply(char letter, QByteArrayView data)
{
    QByteArray body;
    body.append('B');
    body.append(letter);
    body.append(data.data(), data.size());
    return withChecksum(body);
}

bool replyOk(QByteArrayView reply, char letter, int length)
{
    if (length < 3 || reply.size() < length)
        return false;
    if (reply[0] != 'B' || reply[1] != letter)
        return false;
    return quint8(reply[length - 1]) == checksum(reply.first(length - 1));
}

bool acknowledgementFound(QByteArrayView text, QByteArrayView ack)
{
    // Windows start at positions 1..19 (0-based 0..18) and need all three bytes.
    for (qsizetype start = 0; start < 19 && start + ack.size() <= text.size(); ++start) {
        if (text.sliced(start, ack.size()) == ack)
            return true;
    }
    return false;
}

} // namespace board
