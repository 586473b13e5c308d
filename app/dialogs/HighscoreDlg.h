#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <array>

#include "app/dialogs/Chiffre.h"
#include "app/dialogs/HighscoreList.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SettingsStore;

// The five best results of one puzzle and level. Enters a new result with the player's name and
// stores the list when OK is pressed; Cancel stores nothing. Created once and reused: it re-centres
// itself over the main window and re-reads the language at every showing.
class THighscoreDlg : public QDialog {
    Q_OBJECT
  public:
    static constexpr int ClientWidth = 320;
    static constexpr int ClientHeight = 200;
    static constexpr int OkResult = 1;
    static constexpr int CancelResult = 2;
    static constexpr int MaxNameLength = 25;

    THighscoreDlg(QWidget* mainWindow, const int& tongue, SettingsStore& settings);

    // Loads the list stored under listKey; a result other than 0 is entered first when it ranks
    // among the five. Returns the dialog's answer, or 0 when the result did not rank and nothing
    // was shown.
    int ShowHighScores(const QString& listKey, int result);

    const QString& playerName() const { return playerName_; }
    int newRow() const { return newRow_; }
    QLineEdit* nameEdit() const { return edit1_; }
    QCheckBox* clearBox() const { return clearBox_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    // Replaces the dialog picture (320 x 200; a null picture gives a plain fill).
    void setPicture(const QImage& picture);

    // Any way of closing other than OK answers Cancel.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void createNameEntry();
    void createClearBox();
    void createButtons();
    void createLabels();
    void FormActivate();
    void applyTexts();
    void fillLabels();
    void showNameEntry();
    void okClick();

    QWidget* mainWindow_;
    const int& tongue_;
    SettingsStore& settings_;
    TChiffre chiffre_;
    QImage picture_;
    QString listKey_;
    HighscoreList list_; // names and scores of the rows
    int newRow_ = -1;
    QString playerName_;
    std::array<QLabel*, HighscoreList::Rows> num_{};
    std::array<QLabel*, HighscoreList::Rows> pla_{};
    std::array<QLabel*, HighscoreList::Rows> sco_{};
    QLineEdit* edit1_ = nullptr;
    QCheckBox* clearBox_ = nullptr;
    QLabel* delcheck_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* ok_ = nullptr;
};
