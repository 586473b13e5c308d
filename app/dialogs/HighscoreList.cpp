#include "app/dialogs/HighscoreList.h"

#include <tuple>

#include "app/dialogs/Chiffre.h"
#include "app/settings/SettingsStore.h"

const QString HighscoreList::Section = QStringLiteral("highscore");
const QString HighscoreList::EmptyName = QStringLiteral("Mr. Brain");

HighscoreList::HighscoreList()
{
    clear();
}

void HighscoreList::clear()
{
    names.fill(EmptyName);
    scores.fill(0);
}

void HighscoreList::load(const SettingsStore& settings, const TChiffre& chiffre, const QString& listKey)
{
    for (int row = 0; row < Rows; ++row) {
        const QString stored = settings.ReadString(Section, listKey + QString::number(row), QString());
        std::tie(scores[row], names[row]) = parseRow(chiffre.Decode(stored));
    }
}

void HighscoreList::store(SettingsStore& settings, const TChiffre& chiffre, const QString& listKey) const
{
    QList<std::pair<QString, QString>> rows;
    for (int row = 0; row < Rows; ++row)
        rows.append({listKey + QString::number(row), chiffre.Encode(rowText(scores[row], names[row]))});
    // One write, so that an interrupted store never leaves half a list.
    settings.WriteStrings(Section, rows);
}

int HighscoreList::insert(int result, const QString& name)
{
    if (result == 0)
        return -1;
    for (int row = 0; row < Rows; ++row) {
        if (scores[row] != 0 && scores[row] <= result)
            continue;
        for (int below = Rows - 1; below > row; --below) {
            names[below] = names[below - 1];
            scores[below] = scores[below - 1];
        }
        names[row] = name;
        scores[row] = result;
        return row;
    }
    return -1;
}

QString HighscoreList::rowText(int score, const QString& name)
{
    return QString::number(score) + QLatin1Char(',') + name;
}

// The name may hold commas of its own: only the first one ends the result.
std::pair<int, QString> HighscoreList::parseRow(const QString& text)
{
    const auto comma = text.indexOf(QLatin1Char(','));
    bool isNumber = false;
    const int score = comma < 0 ? 0 : text.left(comma).toInt(&isNumber, 10);
    if (!isNumber)
        return {0, EmptyName};
    return {score, text.mid(comma + 1)};
}
