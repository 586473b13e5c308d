#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

// The help: one HTML page per topic in the data folder, topic 1 German and 2 English. A window of
// its own beside the game, not modal, so the game goes on while the help is read.
class HelpBrowser : public QWidget {
    Q_OBJECT
  public:
    static constexpr int GermanTopic = 1;
    static constexpr int EnglishTopic = 2;

    explicit HelpBrowser(QWidget* mainWindow);

    static int topicFor(int tongue);
    static QString topicFile(int topic); // "help1.html"

    // Shows the topic's page from the data folder (with a trailing separator) and brings the
    // window to the front; a missing page is said in the window itself.
    void showTopic(const QString& dataDir, int topic);

    QTextBrowser* browser() const { return browser_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void placeFirstTime();

    QWidget* mainWindow_;
    QTextBrowser* browser_ = nullptr;
    bool placed_ = false;
};
