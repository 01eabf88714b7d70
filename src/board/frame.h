#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The board's frames. Every command and every reply is two ASCII letters
// ('A' + command letter out, 'B' + the same letter back), fixed-length
// parameters and one checksum byte: the sum of all the bytes before it,
// modulo 256. There is no terminator and no length field.
namespace board {

// Sum of the bytes modulo 256.
quint8 checksum(QByteArrayView bytes);
// The bytes followed by their checksum.
QByteArray withChecksum(QByteArrayView bytes);

// Slot digit '1'..'8' of slot 1..8.
inline char slotDigit(int slot) { return char('0' + slot); }
// Text-record address of a slot's transition record: the slot digit plus 8
// ('9'..'@').
inline char transitionAddress(char slot) { return char(slot + 8); }
// Block digit '0'..'9', 'A'..'F' of block 0..15.
char blockDigit(int block);

// Commands.
QByteArray identifyFrame();                                                  // 'A' 'K' 0x8C
QByteArray emulatorColourFrame(int red, int green, int blue);                // 'A' 'E' R G B cks
QByteArray heartbeatFrame();                                                 // 'A' 'H' 0x89
QByteArray deviceInfoFrame();                                                // 'A' 'D' 0x85
QByteArray readTextFrame(char address);                                      // 'A' 'T' a cks
QByteArray writeTextFrame(char address, QByteArrayView eight);               // 'A' 'N' a n(8) cks
QByteArray cleanFrame(char slot);                                            // 'A' 'C' s cks
QByteArray eraseFrame();                                                     // 'A' 'M' 0x8E
QByteArray writeBlockFrame(char slot, char block, QByteArrayView thirtyTwo); // 37 bytes
QByteArray readBlockFrame(char slot, char block);                            // 'A' 'R' s b cks

// The fixed length of a command frame by its letter ('K', 'E', ...), or 0
// for a letter the board does not know.
int commandLength(char letter);
// The fixed length of the reply to a command letter (the read-block reply
// has no letters and is 33 bytes).
int replyLength(char letter);

// Replies as the board sends them.
QByteArray ackReply(char letter);                       // 'B' letter cks
QByteArray dataReply(char letter, QByteArrayView data); // 'B' letter data cks

// A reply is good when it holds at least `length` bytes, starts with 'B' and
// `letter`, and its byte at `length` is the checksum of the bytes before it.
// Bytes beyond `length` are ignored.
bool replyOk(QByteArrayView reply, char letter, int length);

// The acknowledgement search of the supervision cycle: the three bytes of
// `ack` looked for at positions 1..19 of the text read, and nowhere later.
bool acknowledgementFound(QByteArrayView text, QByteArrayView ack);

} // namespace board
