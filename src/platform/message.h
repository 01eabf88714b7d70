#pragma once

#include "platform/bilingual.h"

#include <QString>

namespace platform {

enum class MsgIcon { None, Question, Exclamation, Critical, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

// One message box as the program asks for it: the texts already in the
// language in force.
struct Message
{
    QString text;
    QString title;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    MsgResult defaultButton = MsgResult::Ok;
};

// A message in both languages, as the rules build it.
struct BilingualMessage
{
    Bilingual text;
    Bilingual title;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    MsgResult defaultButton = MsgResult::Ok;

    Message in(bool english) const
    {
        return Message{text.pick(english), title.pick(english), icon, buttons, defaultButton};
    }
};

} // namespace platform
