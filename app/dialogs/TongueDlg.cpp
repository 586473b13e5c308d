#include "app/dialogs/TongueDlg.h"

#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "app/core/Canvas.h"
#include "app/dialogs/DialogLook.h"
#include "app/dialogs/FocusMark.h"
#include "app/texts/TongueTexts.h"

namespace {
constexpr int English = 0;
constexpr int German = 1;
constexpr int IconSize = 32;
} // namespace

TTongueDlg::TTongueDlg(QWidget* mainWindow)
    : QDialog(mainWindow,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      mainWindow_(mainWindow)
{
    const TongueTexts texts = tongueTexts();
    setModal(true);
    setFixedSize(ClientWidth, ClientHeight);
    setWindowTitle(texts.caption);
    setFont(Canvas::fontPixels(QStringLiteral("MS Sans Serif"), 11));
    QPalette blackText = palette();
    blackText.setColor(QPalette::WindowText, Qt::black);
    blackText.setColor(QPalette::ButtonText, Qt::black);
    setPalette(blackText);

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setGeometry(8, 8, 305, 77);
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("Image1"));
    icon->setGeometry(28, 28, 37, 37);
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    icon->setPixmap(QIcon(QStringLiteral(":/art/icon.png")).pixmap(IconSize, IconSize));

    // English first: it is first in the tab order and holds the focus, so Enter chooses it.
    english_ = makePictureButton(this, QStringLiteral("EnglishBtn"), QRect(84, 16, 221, 27),
                                 QStringLiteral(":/art/btn_english.png"));
    english_->setText(texts.english);
    english_->setDefault(true);
    connect(english_, &QPushButton::clicked, this, [this] { choose(English); });
    german_ = makePictureButton(this, QStringLiteral("GermanBtn"), QRect(84, 48, 221, 27),
                                QStringLiteral(":/art/btn_german.png"));
    german_->setText(texts.german);
    connect(german_, &QPushButton::clicked, this, [this] { choose(German); });
    new FocusMark(this);
}

void TTongueDlg::ChooseLanguage(int& tongue)
{
    chosen_.reset();
    exec();
    if (chosen_)
        tongue = *chosen_;
}

void TTongueDlg::choose(int tongue)
{
    chosen_ = tongue;
    accept();
}

void TTongueDlg::showEvent(QShowEvent* event)
{
    placedInFrames_ = false;
    FormActivate();
    QDialog::showEvent(event);
}

// At the first start the dialog opens before the window manager has framed the main window; once
// the dialog is active both frames are known, and it takes its place again, once per showing.
bool TTongueDlg::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && !placedInFrames_) {
        placedInFrames_ = true;
        placeOverMainWindow();
    }
    return QDialog::event(event);
}

void TTongueDlg::FormActivate()
{
    placeOverMainWindow();
    english_->setFocus();
}

void TTongueDlg::placeOverMainWindow()
{
    if (mainWindow_ == nullptr)
        return;
    move(placedOverClientArea(*mainWindow_, *this));
}
