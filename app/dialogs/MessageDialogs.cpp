#include "app/dialogs/MessageDialogs.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "app/core/Language.h"
#include "app/dialogs/DialogLook.h"
#include "app/dialogs/FocusMark.h"

namespace {

const char* const OkIconPath = ":/art/btn_ok.png";
const char* const ContinueIconPath = ":/art/btn_continue.png";
const char* const CancelIconPath = ":/art/btn_cancel.png";

const QRect MessageFrame(8, 8, 233, 45);
const QRect SingleButtonBox(168, 88, 70, 27);
const QRect ConfirmOkBox(92, 88, 70, 27);
const QRect ConfirmCancelBox(168, 88, 70, 27);

} // namespace

TMessageDlg::TMessageDlg(QWidget* mainWindow, const int& tongue, const MessageDlgLayout& layout,
                         const MessageDlgTexts& texts, Qt::WindowFlags extraFlags)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint | extraFlags), mainWindow_(mainWindow),
      tongue_(tongue), texts_(texts), picture_(dialogPicture())
{
    setModal(true);
    setFixedSize(ClientWidth, ClientHeight);

    QFont baseFont("MS Sans Serif");
    baseFont.setPixelSize(11);
    setFont(baseFont);
    QPalette blackText = palette();
    blackText.setColor(QPalette::WindowText, Qt::black);
    blackText.setColor(QPalette::ButtonText, Qt::black);
    setPalette(blackText);

    message_ = new QLabel(this);
    message_->setObjectName(layout.messageName);
    message_->setGeometry(layout.messageBox);
    QFont messageFont("Arial");
    messageFont.setBold(true);
    messageFont.setPixelSize(layout.messagePixelSize);
    message_->setFont(messageFont);
    message_->setAlignment(Qt::AlignCenter);
    message_->setWordWrap(true);

    // Created first, so it is first in the tab order and holds the focus at start.
    ok_ = makePictureButton(this, "OKBtn", layout.okBox, layout.okIcon);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, [this] { done(OkResult); });
    if (!layout.cancelBox.isEmpty()) {
        cancel_ = makePictureButton(this, "CancelBtn", layout.cancelBox, CancelIconPath);
        connect(cancel_, &QPushButton::clicked, this, [this] { done(CancelResult); });
    }
    new FocusMark(this);
    applyTexts();
}

void TMessageDlg::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void TMessageDlg::reject()
{
    done(CancelResult);
}

void TMessageDlg::showEvent(QShowEvent* event)
{
    FormActivate();
    QDialog::showEvent(event);
}

void TMessageDlg::FormActivate()
{
    placeOverMainWindow();
    applyTexts();
    ok_->setFocus();
}

// Centred over the main window's outer frame, caption included, even when that lies partly
// off the screen.
void TMessageDlg::placeOverMainWindow()
{
    if (mainWindow_ != nullptr)
        move(centredOver(*mainWindow_, size()));
}

void TMessageDlg::applyTexts()
{
    const QString message = pick(tongue_, texts_.messageGerman, texts_.messageEnglish);
    message_->setText(message);
    // A screen reader names the window by its message and says it with the focused button.
    setAccessibleName(message);
    ok_->setAccessibleDescription(message);
    if (cancel_ != nullptr)
        cancel_->setAccessibleDescription(message);
    ok_->setText(pick(tongue_, texts_.okGerman, texts_.okEnglish));
    if (cancel_ != nullptr)
        cancel_->setText(pick(tongue_, texts_.cancelGerman, texts_.cancelEnglish));
}

void TMessageDlg::keyPressEvent(QKeyEvent* event)
{
    // Without a cancel button Esc does nothing: the message is closed with its button or Enter.
    if (event->key() == Qt::Key_Escape && cancel_ == nullptr) {
        event->accept();
        return;
    }
    if (closesOnKey(*event)) {
        event->accept();
        done(OkResult);
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TMessageDlg::closesOnKey(const QKeyEvent&) const
{
    return false;
}

// The key that paused the game lets it go on.
bool TPauseDlg::closesOnKey(const QKeyEvent& key) const
{
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    return !key.isAutoRepeat() && modifiers == Qt::NoModifier &&
           (key.key() == Qt::Key_P || key.key() == Qt::Key_Pause);
}

void TMessageDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, renderBackground());
}

QImage TMessageDlg::renderBackground() const
{
    return framedBackground(picture_, size(), {MessageFrame});
}

TDoneDlg::TDoneDlg(QWidget* mainWindow, const int& tongue)
    : TMessageDlg(mainWindow, tongue, {"Msg", QRect(32, 20, 185, 21), 16, SingleButtonBox, OkIconPath, {}},
                  {"Hurra, geschafft!", "Hurrah, you did it!", "OK", "OK"})
{
}

TNoMoveDlg::TNoMoveDlg(QWidget* mainWindow, const int& tongue)
    : TMessageDlg(mainWindow, tongue, {"Msg", QRect(32, 20, 185, 21), 16, SingleButtonBox, OkIconPath, {}},
                  {"Leider, das war's wohl!", "Sorry, that was it!", "OK", "OK"})
{
}

TPauseDlg::TPauseDlg(QWidget* mainWindow, const int& tongue)
    : TMessageDlg(mainWindow, tongue,
                  {"msg", QRect(32, 21, 185, 24), 16, QRect(144, 88, 94, 27), ContinueIconPath, {}},
                  {"Spiel angehalten!", "Game paused!", "Fortsetzen", "Continue"})
{
}

TNewGameDlg::TNewGameDlg(QWidget* mainWindow, const int& tongue)
    : TMessageDlg(mainWindow, tongue,
                  {"msg", QRect(40, 13, 169, 37), 15, ConfirmOkBox, OkIconPath, ConfirmCancelBox},
                  {"Willst Du das Rätsel wirklich aufgeben?", "Do you really want to giveup the puzzle?",
                   "Ja", "Yes", "Nein", "No"})
{
}

TEndGameDlg::TEndGameDlg(QWidget* mainWindow, const int& tongue)
    : TMessageDlg(mainWindow, tongue,
                  {"msg", QRect(32, 13, 185, 37), 13, ConfirmOkBox, OkIconPath, ConfirmCancelBox},
                  {"Willst Du das Spiel wirklich beenden?", "Do you really want to end the game?", "Ja",
                   "Yes", "Nein", "No"},
                  Qt::WindowStaysOnTopHint)
{
}
