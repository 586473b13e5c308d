#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "app/ToolbarKeys.h"

namespace {

QString sourceText(const char* path)
{
    QFile file(QStringLiteral(FROBNY_SOURCE_DIR "/") + QLatin1String(path));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The README's key table and both help pages name every key the game answers.
TEST(KeyLists, TheReadmeAndTheHelpPagesListEveryKey)
{
    const QString readme = sourceText("README.md");
    const QString english = sourceText("assets/help/help2.html");
    const QString german = sourceText("assets/help/help1.html");
    ASSERT_FALSE(readme.isEmpty() || english.isEmpty() || german.isEmpty());
    const QString keysSection =
        readme.section(QStringLiteral("## Keys"), 1).section(QStringLiteral("\n## "), 0, 0);
    struct Listed {
        const char* readme;
        const char* english;
        const char* german;
    };
    const Listed cursorKeys[] = {
        {"| arrow keys", "<kbd>←</kbd>", "<kbd>←</kbd>"},
        {"Home / End", "<kbd>Home</kbd>", "<kbd>Pos1</kbd>"},
        {"| J |", "<kbd>J</kbd>", "<kbd>J</kbd>"},
        {"| B |", "<kbd>B</kbd>", "<kbd>B</kbd>"},
        {"Ctrl+Up / Ctrl+Down", "<kbd>Ctrl+↑</kbd>", "<kbd>Strg+↑</kbd>"},
        {"Ctrl+Left / Ctrl+Right", "<kbd>Ctrl+←</kbd>", "<kbd>Strg+←</kbd>"},
        {"Shift+Space", "<kbd>Shift+Space</kbd>", "<kbd>Umschalt+Leertaste</kbd>"},
        {"| R |", "<kbd>R</kbd>", "<kbd>R</kbd>"},
        {"Ctrl+W", "<kbd>Ctrl+W</kbd>", "<kbd>Strg+W</kbd>"},
        {"Tab", "<kbd>Tab</kbd>", "<kbd>Tab</kbd>"},
    };
    for (const Listed& key : cursorKeys) {
        EXPECT_TRUE(keysSection.contains(QString::fromUtf8(key.readme))) << key.readme;
        EXPECT_TRUE(english.contains(QString::fromUtf8(key.english))) << key.english;
        EXPECT_TRUE(german.contains(QString::fromUtf8(key.german))) << key.german;
    }
    // Every toolbar key by its own name: "Ctrl+N", "F1", "P" ...
    for (const ToolbarKey& key : toolbarKeys()) {
        QString name = key.keys.toString(QKeySequence::PortableText);
        if (name.startsWith(QStringLiteral("Num+")) || name.contains(QStringLiteral("+Num+")))
            continue; // the keypad's plus and minus are the same keys
        if (name == QStringLiteral("Ctrl++") || name == QStringLiteral("Ctrl+-") || name == "+" ||
            name == "-")
            continue; // listed as "+ / −" and "Ctrl++ / Ctrl+−"
        if (name == QStringLiteral("Ctrl+2") || name == QStringLiteral("Ctrl+3"))
            continue; // listed as "Ctrl+1 … Ctrl+4"
        const auto listed = [](const QString& key) {
            return QRegularExpression(
                QStringLiteral("(^|[^\\w+])%1([^\\w+]|$)").arg(QRegularExpression::escape(key)));
        };
        EXPECT_TRUE(keysSection.contains(listed(name))) << name.toStdString();
        EXPECT_TRUE(english.contains(listed(name))) << name.toStdString();
        const QString germanName = QString(name).replace(QStringLiteral("Ctrl+"), QStringLiteral("Strg+"));
        EXPECT_TRUE(german.contains(listed(germanName))) << germanName.toStdString();
    }
}

} // namespace
