#pragma once

#include <QDialog>
#include <QLabel>
#include <QUrl>
#include <functional>

class QPushButton;

// The maker's addresses, on a domain reserved for examples.
inline const QString FrobnyMailAddress = QStringLiteral("info@frobnygames.example");
inline const QString FrobnyHomepage = QStringLiteral("www.frobnygames.example");

// What a link text opens: a new mail for a text with "@", otherwise the web site.
QUrl linkTarget(const QString& text);

// An address that opens when clicked: blue and underlined, yellow while the left button is held.
class TLinkLabel : public QLabel {
    Q_OBJECT
  public:
    TLinkLabel(const QString& address, QWidget* parent);

    QUrl target() const { return linkTarget(text()); }

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void setHeld(bool held);
};

// The about box: program name and version, the maker's logo and addresses, and the language.
// Created once and reused; it takes the language and its place anew at every showing.
class TInfoDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int ClientWidth = 309;
    static constexpr int ClientHeight = 322;

    TInfoDialog(QWidget* mainWindow, const int& tongue);

    // The language button's action: the language dialog, then the main window's texts. The box
    // puts its own texts into the new language afterwards.
    std::function<void()> onLanguage;

    QLabel* progName() const { return progName_; }
    QLabel* version() const { return version_; }
    QLabel* logo() const { return logo_; }
    QLabel* icon() const { return icon_; }
    TLinkLabel* mailLabel() const { return mail_; }
    TLinkLabel* homepageLabel() const { return homepage_; }
    QPushButton* tongButton() const { return tongBtn_; }
    QPushButton* okButton() const { return ok_; }

    void setVisible(bool visible) override;

  private:
    void buildFrame();
    void FormActivate();
    void placeOverMainWindow();
    void applyTexts();
    void TongBtnClick();

    QWidget* mainWindow_;
    const int& tongue_;
    QLabel* progName_ = nullptr;
    QLabel* version_ = nullptr;
    QLabel* logo_ = nullptr;
    QLabel* icon_ = nullptr;
    TLinkLabel* mail_ = nullptr;
    TLinkLabel* homepage_ = nullptr;
    QPushButton* tongBtn_ = nullptr;
    QPushButton* ok_ = nullptr;
};
