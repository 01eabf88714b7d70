#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <span>
#include <string_view>

// The window's captions and tool tips in both languages, as plain data. The
// window writes them when it is built (the designed captions), and the
// language switch and the comments switch write them again in the language in
// force; nothing else writes these texts.
namespace captions {

// What a row writes on its target.
enum class Role {
    Text,    // the caption of a menu item or a label
    ToolTip, // a tool tip that is always shown
    Comment, // a tool tip shown only while the comments are on
    Column1, // the labels of the chart's three columns
    Column2,
    Column3,
    Header, // a column header of the points table
};

// When a row applies.
enum class When {
    Always,
    AtStart,      // only as designed: the language switch leaves the caption alone
    HmsTimes,     // times shown as hh:mm:ss
    SecondsTimes, // times shown in seconds
    Moving,       // the editor moves a point (CommandMoveShift "M")
    Shifting,     // the editor shifts points (any other tag)
};

struct Caption
{
    const char *name; // objectName of the menu item, toolbar button or control
    Role role;
    When when;
    const char *english;
    const char *italian;
    // The caption the window is built with, where it differs from the
    // Italian of the language switch.
    const char *designed = nullptr;

    QString text(bool english) const;
    QString designedText() const;
};

// Every row, in the order the language switch writes them: the menu items,
// the chart and the labels, the Language button's tool tip, then the tool
// tips of the comments.
std::span<const Caption> table();

// The row of `name` in `role` that applies in state `when` (a row that
// applies always matches any state), or nullptr.
const Caption *find(std::string_view name, Role role, When when = When::Always);

// The caption of the time display item as the time display switch writes
// it; its Italian ("Tempo = ...") differs from the language switch's
// ("Tempi = ...").
QString timeDisplayCaption(bool hmsTimes, bool english);

// The simulator's speed label as the language switch writes it for a speed
// factor (exact comparison), or nothing for a factor without a label.
std::optional<QString> speedLabel(float factor, bool english);

// The name of the guide in a language.
QString helpFile(bool english);

// Menu texts for captions shown as they are: each "&" doubled, so that
// none is taken for a mnemonic.
QString escaped(const QString &caption);
// Menu texts for the captions of one menu bar, each with its own mnemonic
// where the letters allow: the first letter of the caption when no earlier
// caption took it, otherwise its first letter not yet taken.
QStringList withMnemonics(const QStringList &captions);
// The text a menu shows for a menu text: mnemonic markers left out, "&&"
// shown as "&".
QString visibleText(const QString &menuText);

} // namespace captions
