#pragma once

#include "platform/message.h"

#include <QString>

#include <optional>

// Entry of the editor's value fields: what a keystroke leaves in a field,
// computed from the text the text box holds once it has applied the key, the
// field's buffer (its last accepted text and caret) and the display mode.
namespace editor {

// Key codes as the field handlers know them.
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyRight = 39;
inline constexpr int kKeyDelete = 46;
inline constexpr int kKey0 = 48;
inline constexpr int kKey9 = 57;

// Widest number a time field takes in seconds display.
inline constexpr int kSecondsDigits = 5;

struct FieldText
{
    QString text;
    int caret = 0;
    bool operator==(const FieldText &) const = default;
};

enum class KeyOutcome {
    Accept,  // the field shows `shown`, which also becomes its buffer
    Reject,  // the field is restored from its buffer
    Confirm, // the buffer goes back into the field and the value is confirmed
};

struct KeyResult
{
    KeyOutcome outcome = KeyOutcome::Reject;
    FieldText shown;
};

// A key released in a time field. `typed` is the field after the text box
// applied the key, `buffer` the last accepted text and caret. `limit`, when
// given, lowers every accepted number above it to it (length and transition).
KeyResult timeFieldKey(int keyCode, const FieldText &typed, const FieldText &buffer, bool hms,
                       std::optional<qint64> limit = std::nullopt);

// Caret of a time field entered with a click: in "hh:mm:ss" it never stands
// before a colon's right side or at the start.
int caretOnEntry(int caret, bool hms);

// A key released in a colour field: only digits stay. `typed` is the field
// after the text box applied the key; Enter confirms.
KeyResult colourFieldKey(int keyCode, const FieldText &typed);

// The confirmed text of a colour field: "000".."100".
QString confirmedColour(const QString &text);

// "<caption> is in Editor Mode, thereafter: ..." for a field left being typed.
platform::BilingualMessage editorModeMessage(const QString &caption);

// "The First Point Colour has Position Time = 0. ..."
platform::BilingualMessage firstPointMessage();

// "Length Time is Out of Range!" / "Transition Time is Out of Range!"
platform::BilingualMessage outOfRangeMessage(const QString &englishName);

// "Remove Colour Point! Confirm?"
platform::BilingualMessage removeQuestion();

} // namespace editor
