#include "app/dialogs/RulesTexts.h"

#include <QFile>

#include "app/core/Language.h"

namespace {
const QString EndMark = QStringLiteral("@");
const QString Indent = QStringLiteral("   ");
} // namespace

const std::array<RulesItem, 2 * RulesPuzzleCount>& rulesItems()
{
    static const std::array<RulesItem, 2 * RulesPuzzleCount> items = {{
        {"PLIVA deutsch", ":/rules/pliva_de.txt"},
        {"ZUPEL deutsch", ":/rules/zupel_de.txt"},
        {"VEXOR deutsch", ":/rules/vexor_de.txt"},
        {"HUXEL deutsch", ":/rules/huxel_de.txt"},
        {"PLIVA englisch", ":/rules/pliva_en.txt"},
        {"ZUPEL englisch", ":/rules/zupel_en.txt"},
        {"VEXOR englisch", ":/rules/vexor_en.txt"},
        {"HUXEL englisch", ":/rules/huxel_en.txt"},
    }};
    return items;
}

int rulesItem(int puzzle, int tongue)
{
    if (puzzle < 0 || puzzle >= RulesPuzzleCount)
        return -1;
    return isGerman(tongue) ? puzzle : puzzle + RulesPuzzleCount;
}

QString storedRulesText(int item)
{
    if (item < 0 || item >= static_cast<int>(rulesItems().size()))
        return {};
    QFile file(QString::fromLatin1(rulesItems()[item].resource));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// Beside each text, its keys: "pliva_de.txt" has "pliva_keys_de.txt".
QString storedKeysText(int item)
{
    if (item < 0 || item >= static_cast<int>(rulesItems().size()))
        return {};
    QString path = QString::fromLatin1(rulesItems()[item].resource);
    const int languageAt = path.lastIndexOf(QLatin1Char('_'));
    if (languageAt < 0)
        return {};
    path.insert(languageAt, QStringLiteral("_keys"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList rulesParagraphs(const QString& stored)
{
    QStringList lines = stored.split(QLatin1Char('\n'));
    // The line end of the last line starts no line of its own.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    QStringList paragraphs;
    for (QString line : lines) {
        // A text saved with Windows line ends reads the same.
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line == EndMark)
            break;
        paragraphs << line;
    }
    return paragraphs;
}

QString rulesMemoText(const QString& stored)
{
    QString text;
    for (const QString& paragraph : rulesParagraphs(stored))
        text += Indent + paragraph + QStringLiteral("\n\n");
    return text;
}
