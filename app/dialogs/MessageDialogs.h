#pragma once

#include <QDialog>
#include <QImage>
#include <QRect>
#include <QString>

class QKeyEvent;
class QLabel;
class QPushButton;

// Where the parts of a message dialog sit, in dialog pixels.
struct MessageDlgLayout {
    QString messageName; // "Msg" or "msg": the component name the dialog has always used
    QRect messageBox;
    int messagePixelSize = 16;
    QRect okBox;
    QString okIcon;
    QRect cancelBox; // empty: the dialog has a single button
};

// German and English texts; an empty cancel caption means there is no cancel button.
struct MessageDlgTexts {
    const char* messageGerman;
    const char* messageEnglish;
    const char* okGerman;
    const char* okEnglish;
    const char* cancelGerman = "";
    const char* cancelEnglish = "";
};

// A borderless 250 x 125 modal message with one or two buttons, drawn on a cut-out of the
// dialog picture. It re-centres itself over the main window and re-reads the language at
// every showing, because it is created once and reused.
class TMessageDlg : public QDialog {
    Q_OBJECT
  public:
    static constexpr int ClientWidth = 250;
    static constexpr int ClientHeight = 125;
    static constexpr int OkResult = 1;
    static constexpr int CancelResult = 2;

    QLabel* messageLabel() const { return message_; }
    QPushButton* okButton() const { return ok_; }
    // Null for the one-button dialogs.
    QPushButton* cancelButton() const { return cancel_; }

    // Replaces the dialog picture (320 x 200; a null picture gives a plain fill).
    void setPicture(const QImage& picture);

    // Any way of closing other than the buttons answers Cancel.
    void reject() override;

  protected:
    TMessageDlg(QWidget* mainWindow, const int& tongue, const MessageDlgLayout& layout,
                const MessageDlgTexts& texts, Qt::WindowFlags extraFlags = {});

    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A key besides Enter that answers OK.
    virtual bool closesOnKey(const QKeyEvent& key) const;

  private:
    void FormActivate();
    void placeOverMainWindow();
    void applyTexts();
    QImage renderBackground() const;

    QWidget* mainWindow_;
    const int& tongue_;
    MessageDlgTexts texts_;
    QImage picture_;
    QLabel* message_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// Shown when a puzzle is solved.
class TDoneDlg : public TMessageDlg {
    Q_OBJECT
  public:
    TDoneDlg(QWidget* mainWindow, const int& tongue);
};

// Shown when a puzzle has no move left.
class TNoMoveDlg : public TMessageDlg {
    Q_OBJECT
  public:
    TNoMoveDlg(QWidget* mainWindow, const int& tongue);
};

// Holds the game while the clock is stopped.
class TPauseDlg : public TMessageDlg {
    Q_OBJECT
  public:
    TPauseDlg(QWidget* mainWindow, const int& tongue);

  protected:
    bool closesOnKey(const QKeyEvent& key) const override;
};

// Asks before a puzzle in progress is given up.
class TNewGameDlg : public TMessageDlg {
    Q_OBJECT
  public:
    TNewGameDlg(QWidget* mainWindow, const int& tongue);
};

// Asks before the program ends; stays above every other window.
class TEndGameDlg : public TMessageDlg {
    Q_OBJECT
  public:
    TEndGameDlg(QWidget* mainWindow, const int& tongue);
};
