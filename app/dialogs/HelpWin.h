#pragma once

#include <QDialog>
#include <QImage>

class QPlainTextEdit;
class QPushButton;

// The rules window: a borderless clipboard picture with the rules of the current puzzle on its
// sheet. Created once and reused; it takes the language and its place anew at every showing.
class THelpWin : public QDialog {
    Q_OBJECT
  public:
    static constexpr int ClientWidth = 340;
    static constexpr int ClientHeight = 268;
    static constexpr int TopBelowMainWindow = 90;

    THelpWin(QWidget* mainWindow, const int& tongue);

    // Puts the rules of the puzzle, in the current language, into the memo.
    void loadRules(int puzzle);
    // Shows the rules of the puzzle modally.
    void ShowRules(int puzzle);

    QPlainTextEdit* helpMemo() const { return helpMemo_; }
    QPushButton* okButton() const { return ok_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void placeOverMainWindow();

    QWidget* mainWindow_;
    const int& tongue_;
    QImage picture_;
    QPlainTextEdit* helpMemo_ = nullptr;
    QPushButton* ok_ = nullptr;
};
