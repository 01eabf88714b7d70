#pragma once

#include <QString>

// Every text the user sees exists in English and in Italian. The language in
// force is decided at the moment a text is shown.
struct Bilingual
{
    QString english;
    QString italian;

    const QString &pick(bool inEnglish) const { return inEnglish ? english : italian; }
    bool operator==(const Bilingual &) const = default;
};

// Lines of a message are joined by a carriage return alone.
inline constexpr QChar kLineBreak = QChar(13);
