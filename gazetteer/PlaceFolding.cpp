#include "gazetteer/PlaceFolding.h"

#include <QList>
#include <QString>

namespace horvane {
namespace {

// Letters that no decomposition takes apart, by their lower-case form.
struct SpecialLetter {
    char32_t letter;
    const char* plain;
};
constexpr SpecialLetter kSpecialLetters[] = {
    {U'ß', "ss"}, {U'æ', "ae"}, {U'œ', "oe"}, {U'ø', "o"}, {U'đ', "d"}, {U'ð', "d"},
    {U'ł', "l"},  {U'þ', "th"}, {U'ı', "i"},  {U'ħ', "h"}, {U'ŀ', "l"},
};

// Marks dropped inside words: "Xi'an" is typed "xian".
bool IsApostrophe(char32_t c) {
    return c == U'\'' || c == U'’' || c == U'ʼ' || c == U'`' || c == U'´' || c == U'‘';
}

void AppendLetter(char32_t letter, QString& out) {
    for (const SpecialLetter& special : kSpecialLetters) {
        if (special.letter == letter) {
            out += QLatin1String(special.plain);
            return;
        }
    }
    if (QChar::isLetterOrNumber(letter))
        out += QString::fromUcs4(&letter, 1);
    else if (!out.isEmpty() && !out.endsWith(u' '))
        out += u' ';
}

} // namespace

std::string FoldPlaceName(std::string_view utf8) {
    const QString decomposed = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()))
                                   .normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (const char32_t c : decomposed.toUcs4()) {
        if (QChar::category(c) == QChar::Mark_NonSpacing || IsApostrophe(c))
            continue;
        AppendLetter(QChar::toLower(c), folded);
    }
    if (folded.endsWith(u' '))
        folded.chop(1);
    return folded.toStdString();
}

} // namespace horvane
