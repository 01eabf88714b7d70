#pragma once

#include "platform/bilingual.h"

#include <QString>

#include <utility>

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

// The program's vocabulary of messages. Each kind carries its buttons, its
// icon and its default answer; the title is "Warning" / "Attenzione" unless a
// message has its own.
inline Bilingual warningTitle() { return {QStringLiteral("Warning"), QStringLiteral("Attenzione")}; }
// "Warning" in both languages, as some of the board's messages are titled.
inline Bilingual englishWarningTitle() { return {QStringLiteral("Warning"), QStringLiteral("Warning")}; }

// Something to put right: OK, exclamation.
inline BilingualMessage warning(Bilingual text, Bilingual title = warningTitle())
{
    return {std::move(text), std::move(title), MsgIcon::Exclamation, MsgButtons::Ok, MsgResult::Ok};
}
// Something that went wrong: OK, critical.
inline BilingualMessage failure(Bilingual text, Bilingual title = warningTitle())
{
    return {std::move(text), std::move(title), MsgIcon::Critical, MsgButtons::Ok, MsgResult::Ok};
}
// Something that went well or is worth knowing: OK, information.
inline BilingualMessage information(Bilingual text, Bilingual title = warningTitle())
{
    return {std::move(text), std::move(title), MsgIcon::Information, MsgButtons::Ok, MsgResult::Ok};
}
// A question before a command goes on: Yes/No with No the default, question
// icon unless another is given.
inline BilingualMessage confirmation(Bilingual text, Bilingual title = warningTitle(), MsgIcon icon = MsgIcon::Question)
{
    return {std::move(text), std::move(title), icon, MsgButtons::YesNo, MsgResult::No};
}
// A question with a way back: Yes/No/Cancel with Cancel the default.
inline BilingualMessage choice(Bilingual text, Bilingual title = warningTitle())
{
    return {std::move(text), std::move(title), MsgIcon::Question, MsgButtons::YesNoCancel, MsgResult::Cancel};
}

} // namespace platform
