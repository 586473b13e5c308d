#pragma once

#include <QDialog>
#include <optional>

class QPushButton;

// Asks for the language. Created once and reused; it places itself over the main window at
// every showing.
class TTongueDlg : public QDialog {
    Q_OBJECT
  public:
    static constexpr int ClientWidth = 320;
    static constexpr int ClientHeight = 91;

    explicit TTongueDlg(QWidget* mainWindow);

    // Shows the dialog modally: English sets tongue to 0, German to 1; the close box leaves it.
    void ChooseLanguage(int& tongue);

    QPushButton* englishButton() const { return english_; }
    QPushButton* germanButton() const { return german_; }

  protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void FormActivate();
    void placeOverMainWindow();
    void choose(int tongue);

    QWidget* mainWindow_;
    QPushButton* english_ = nullptr;
    QPushButton* german_ = nullptr;
    std::optional<int> chosen_;
    bool placedInFrames_ = false;
};
