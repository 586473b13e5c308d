#include "app/dialogs/HelpBrowser.h"

#include <QFileInfo>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "app/core/Language.h"
#include "app/dialogs/AccessibleWindow.h"

namespace {
const QSize StartSize(620, 520);
constexpr int Gap = 8; // between the main window and the help beside it

QString missingPage(int topic, const QString& path)
{
    const bool german = topic == HelpBrowser::GermanTopic;
    const QString text = german ? QStringLiteral("Die Hilfedatei wurde nicht gefunden:")
                                : QStringLiteral("The help file was not found:");
    return QStringLiteral("<p>%1</p><p><code>%2</code></p>").arg(text, path.toHtmlEscaped());
}
} // namespace

HelpBrowser::HelpBrowser(QWidget* mainWindow) : QWidget(mainWindow, Qt::Window), mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("HelpBrowser"));
    setAttribute(Qt::WA_QuitOnClose, false);
    browser_ = new QTextBrowser(this);
    // Pages of the game open here; web and mail addresses go to the desktop's own programs.
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(StartSize);
    markAsAccessibleWindow(this);
    // Without a window manager the keys are the only way out.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
}

// The player goes back to the game where the keys left it.
void HelpBrowser::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (mainWindow_ != nullptr && mainWindow_->isVisible()) {
        mainWindow_->raise();
        mainWindow_->activateWindow();
    }
}

int HelpBrowser::topicFor(int tongue)
{
    return isGerman(tongue) ? GermanTopic : EnglishTopic;
}

QString HelpBrowser::topicFile(int topic)
{
    return QStringLiteral("help%1.html").arg(topic);
}

void HelpBrowser::showTopic(const QString& dataDir, int topic)
{
    const QString path = dataDir + topicFile(topic);
    setWindowTitle(topic == GermanTopic ? QStringLiteral("Frobny Office - Hilfe")
                                        : QStringLiteral("Frobny Office - Help"));
    if (QFileInfo(path).isFile())
        browser_->setSource(QUrl::fromLocalFile(path));
    else
        browser_->setHtml(missingPage(topic, path));
    placeFirstTime();
    showNormal();
    raise();
    activateWindow();
}

// The first time beside the main window, so that the game stays in sight while the help is
// read; where neither side has room, at the desktop's edge on the roomier side. Afterwards it
// stays where the player put it.
void HelpBrowser::placeFirstTime()
{
    if (placed_ || mainWindow_ == nullptr)
        return;
    placed_ = true;
    const QRect main = mainWindow_->frameGeometry();
    const QRect desktop = mainWindow_->screen()->availableGeometry();
    const int roomRight = desktop.right() - main.right() - Gap;
    const int roomLeft = main.left() - desktop.left() - Gap;
    int left = desktop.left();
    if (width() <= roomRight)
        left = main.right() + 1 + Gap;
    else if (width() <= roomLeft)
        left = main.left() - Gap - width();
    else if (roomRight >= roomLeft)
        left = std::max(desktop.left(), desktop.right() + 1 - width());
    const int top = std::max(desktop.top(), std::min(main.top(), desktop.bottom() + 1 - height()));
    move(left, top);
}
