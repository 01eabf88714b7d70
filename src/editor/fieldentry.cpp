#include "editor/fieldentry.h"

#include "store/numbers.h"

#include <algorithm>

using platform::BilingualMessage;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace editor {

namespace {

bool isDigitKey(int keyCode) { return keyCode >= kKey0 && keyCode <= kKey9; }

bool allDigits(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

KeyResult accept(const QString &text, int caret)
{
    return {KeyOutcome::Accept, {text, std::clamp(caret, 0, int(text.size()))}};
}

KeyResult reject(const FieldText &buffer) { return {KeyOutcome::Reject, buffer}; }

// The digit typed into "hh:mm:ss" replaces the digit before the old caret; the
// caret moves on past the next digit, skipping a colon. `t` is the text with
// the digit inserted (9 characters), `c` the caret just after it.
std::optional<FieldText> overwrite(const QString &t, int c)
{
    if (t.size() != 9)
        return std::nullopt;
    // For each caret after the typed digit: the characters of t (counted
    // from 1) that make hours, minutes and seconds, and the caret after.
    struct Cut
    {
        int caretAfterDigit;
        int h1, h2, m1, m2, s1, s2;
        int caret;
    };
    static constexpr Cut kCuts[] = {
        {2, 2, 3, 5, 6, 8, 9, 2}, {3, 1, 3, 5, 6, 8, 9, 4}, {5, 1, 2, 5, 6, 8, 9, 5},
        {6, 1, 2, 4, 6, 8, 9, 7}, {8, 1, 2, 4, 5, 8, 9, 8}, {9, 1, 2, 4, 5, 7, 9, 8},
    };
    const auto cut =
        std::find_if(std::begin(kCuts), std::end(kCuts), [c](const Cut &k) { return k.caretAfterDigit == c; });
    if (cut == std::end(kCuts))
        return std::nullopt; // the caret never stands there
    const auto two = [&t](int a, int b) -> QString { return QString(t.at(a - 1)) + t.at(b - 1); };
    const QString hh = two(cut->h1, cut->h2);
    const QString mm = two(cut->m1, cut->m2);
    const QString ss = two(cut->s1, cut->s2);
    const int caret = cut->caret;
    if (!allDigits(hh) || !allDigits(mm) || !allDigits(ss))
        return std::nullopt;
    return FieldText{hh + u':' + mm + u':' + ss, caret};
}

} // namespace

KeyResult timeFieldKey(int keyCode, const FieldText &typed, const FieldText &buffer, bool hms,
                       std::optional<qint64> limit)
{
    if (keyCode == kKeyEnter)
        return {KeyOutcome::Confirm, buffer};

    if (keyCode == kKeyBackspace || keyCode == kKeyDelete) {
        if (hms)
            return reject(buffer);
        return accept(typed.text, typed.caret);
    }

    if (keyCode == kKeyLeft || keyCode == kKeyRight) {
        if (!hms)
            return accept(typed.text, int(typed.text.size()));
        // The text stays as accepted; the caret only moves between digits.
        int caret = typed.caret;
        if (keyCode == kKeyLeft) {
            if (caret == 3 || caret == 6)
                --caret;
            caret = std::max(caret, 1);
        } else {
            if (caret == 0 || caret == 3 || caret == 6)
                ++caret;
            caret = std::min(caret, 8);
        }
        return accept(buffer.text, caret);
    }

    if (!isDigitKey(keyCode))
        return reject(buffer);

    if (!hms) {
        if (typed.text.size() > kSecondsDigits || !allDigits(typed.text))
            return reject(buffer);
        if (limit && store::toNumber(typed.text) > *limit)
            return accept(store::format00000(*limit), kSecondsDigits);
        return accept(typed.text, typed.caret);
    }

    std::optional<FieldText> rebuilt = overwrite(typed.text, typed.caret);
    if (!rebuilt)
        return reject(buffer);
    if (limit && store::DataBaseTimeToSEC(rebuilt->text) > *limit)
        rebuilt->text = store::DataBaseTimeToHMS(*limit);
    return accept(rebuilt->text, rebuilt->caret);
}

int caretOnEntry(int caret, bool hms)
{
    if (hms && (caret == 0 || caret == 3 || caret == 6))
        return caret + 1;
    return caret;
}

KeyResult colourFieldKey(int keyCode, const FieldText &typed)
{
    if (keyCode == kKeyEnter)
        return {KeyOutcome::Confirm, typed};
    // Non-digits vanish; the caret keeps its place among the digits.
    const QString digits = store::CheckNumber(typed.text);
    const int caret = int(store::CheckNumber(typed.text.left(typed.caret)).size());
    return accept(digits, caret);
}

QString confirmedColour(const QString &text)
{
    if (text.isEmpty())
        return QStringLiteral("000");
    return store::format000(std::clamp<qint64>(store::toNumber(text), 0, 100));
}

BilingualMessage editorModeMessage(const QString &caption)
{
    const QChar dq(34);
    const QString quoted = dq + caption + dq;
    const QString english = quoted + QStringLiteral(" is in Editor Mode, thereafter:") + kLineBreak
                            + QStringLiteral("or") + kLineBreak + QStringLiteral("- ") + dq
                            + QStringLiteral("Double Click") + dq + QStringLiteral(" of the Mouse on the Value")
                            + kLineBreak + QStringLiteral("or") + kLineBreak
                            + QStringLiteral("- TAB on the Value and push ") + dq + QStringLiteral("Enter") + dq;
    const QString italian = quoted + QString::fromUtf8(" è in Stato Modifica, quindi:") + kLineBreak
                            + QStringLiteral("o") + kLineBreak + QStringLiteral("- ") + dq
                            + QStringLiteral("Doppio Click") + dq + QStringLiteral(" del mouse sul Dato") + kLineBreak
                            + QStringLiteral("o") + kLineBreak + QStringLiteral("- TAB sul Dato e Commando ") + dq
                            + QStringLiteral("Enter") + dq;
    return platform::warning({english, italian});
}

BilingualMessage firstPointMessage()
{
    return platform::warning(
        {QStringLiteral("The First Point Colour has Position Time = 0. It is not possible to change it."),
         QString::fromUtf8("Il primo Punto Colore ha posizione = 0. Non è possibile modificarlo")});
}

BilingualMessage outOfRangeMessage(const QString &englishName)
{
    // The English title names an error, the Italian one warns.
    return platform::warning(
        {englishName + QStringLiteral(" is Out of Range!"), QStringLiteral("Valore fuori Limite!")},
        {QStringLiteral("Error"), platform::warningTitle().italian});
}

BilingualMessage removeQuestion()
{
    return platform::confirmation(
        {QStringLiteral("Remove Colour Point! Confirm?"), QStringLiteral("Eliminare il Punto Colore! Confermi?")},
        platform::englishWarningTitle(), MsgIcon::Exclamation);
}

} // namespace editor
