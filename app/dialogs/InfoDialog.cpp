#include "app/dialogs/InfoDialog.h"

#include <QDesktopServices>
#include <QFrame>
#include <QIcon>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

#include "app/core/Canvas.h"
#include "app/core/Language.h"
#include "app/dialogs/DialogLook.h"
#include "app/dialogs/FocusMark.h"

namespace {
const char* const LogoPath = ":/art/about.png";
const char* const IconPath = ":/art/icon.png";
const char* const OkIconPath = ":/art/btn_ok.png";
constexpr int IconSize = 32;
constexpr int CaptionsRight = 106; // the contact captions end here, their links start at 112
const QColor LinkColor(0x00, 0x00, 0xFF);
const QColor HeldLinkColor(0xFF, 0xFF, 0x00);

QLabel* makeLabel(QWidget* parent, const QString& name, const QRect& box, const QString& text = {})
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(box);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLabel* makeCaption(QWidget* parent, const QString& text, int top)
{
    constexpr int width = 80;
    QLabel* caption = makeLabel(parent, {}, QRect(CaptionsRight - width, top, width, 13), text);
    caption->setAlignment(Qt::AlignRight | Qt::AlignTop);
    return caption;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QRect& box)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setGeometry(box);
    return button;
}
} // namespace

QUrl linkTarget(const QString& text)
{
    if (text.contains(QLatin1Char('@')))
        return QUrl(QStringLiteral("mailto:") + text);
    return QUrl(QStringLiteral("https://") + text + QLatin1Char('/'));
}

TLinkLabel::TLinkLabel(const QString& address, QWidget* parent) : QLabel(address, parent)
{
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    setHeld(false);
    // A link is reached with Tab and opened with Space or Enter, as a button is.
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleDescription(QStringLiteral("Link"));
}

void TLinkLabel::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (event->modifiers() == Qt::NoModifier &&
        (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        event->accept();
        if (!event->isAutoRepeat())
            QDesktopServices::openUrl(target());
        return;
    }
    QLabel::keyPressEvent(event);
}

void TLinkLabel::setHeld(bool held)
{
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, held ? HeldLinkColor : LinkColor);
    setPalette(colors);
}

void TLinkLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        setHeld(true);
    event->accept();
}

// Like a button: the link opens when the press ends over it.
void TLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setHeld(false);
    if (rect().contains(event->position().toPoint()))
        QDesktopServices::openUrl(target());
}

TInfoDialog::TInfoDialog(QWidget* mainWindow, const int& tongue)
    : QDialog(mainWindow,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      mainWindow_(mainWindow), tongue_(tongue)
{
    setModal(true);
    setFixedSize(ClientWidth, ClientHeight);
    setFont(Canvas::fontPixels(QStringLiteral("MS Sans Serif"), 11));
    QPalette blackText = palette();
    blackText.setColor(QPalette::WindowText, Qt::black);
    blackText.setColor(QPalette::ButtonText, Qt::black);
    setPalette(blackText);

    buildFrame();
    tongBtn_ = makeButton(this, QStringLiteral("TongBtn"), QRect(120, 290, 89, 27));
    connect(tongBtn_, &QPushButton::clicked, this, &TInfoDialog::TongBtnClick);
    ok_ = makeButton(this, QStringLiteral("OKBtn"), QRect(216, 290, 89, 27));
    ok_->setText(QStringLiteral("OK"));
    const QPixmap okIcon(OkIconPath);
    if (!okIcon.isNull())
        ok_->setIcon(okIcon);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    setTabOrder(mail_, homepage_);
    setTabOrder(homepage_, tongBtn_);
    setTabOrder(tongBtn_, ok_);
    new FocusMark(this);
    applyTexts();
}

void TInfoDialog::buildFrame()
{
    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setGeometry(4, 4, 301, 197);
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);

    logo_ = makeLabel(this, QStringLiteral("Logo"), QRect(8, 8, 100, 75));
    logo_->setPixmap(QPixmap(LogoPath));

    icon_ = makeLabel(this, QStringLiteral("ProgramIcon"), QRect(36, 96, 37, 37));
    QIcon programIcon = mainWindow_ ? mainWindow_->windowIcon() : QIcon();
    if (programIcon.isNull())
        programIcon = QIcon(IconPath);
    icon_->setPixmap(programIcon.pixmap(IconSize, IconSize));

    progName_ =
        makeLabel(this, QStringLiteral("progname"), QRect(112, 8, 189, 25), QStringLiteral("Frobny Office"));
    progName_->setFont(Canvas::fontPixels(QStringLiteral("Arial"), 19, true));
    version_ =
        makeLabel(this, QStringLiteral("version"), QRect(112, 32, 189, 13), QStringLiteral("Version  V1.3"));

    makeCaption(this, QStringLiteral("E-Mail:"), 155);
    mail_ = new TLinkLabel(FrobnyMailAddress, this);
    mail_->setObjectName(QStringLiteral("Mail_URL"));
    mail_->setGeometry(112, 155, 189, 13);
    makeCaption(this, QStringLiteral("Homepage:"), 174);
    homepage_ = new TLinkLabel(FrobnyHomepage, this);
    homepage_->setObjectName(QStringLiteral("Quellorn_URL"));
    homepage_->setGeometry(112, 174, 189, 13);
}

// Placed before the window shows: a place given then is the outer frame's, which the window
// manager adds only afterwards.
void TInfoDialog::setVisible(bool visible)
{
    if (visible && !isVisible())
        FormActivate();
    QDialog::setVisible(visible);
}

void TInfoDialog::FormActivate()
{
    placeOverMainWindow();
    applyTexts();
    ok_->setFocus();
}

void TInfoDialog::placeOverMainWindow()
{
    if (mainWindow_ == nullptr)
        return;
    move(placedOverClientArea(*mainWindow_, *this));
}

void TInfoDialog::applyTexts()
{
    setWindowTitle(pick(tongue_, "Info über ...", "Info about ..."));
    tongBtn_->setText(pick(tongue_, "Sprache", "Tongue"));
}

void TInfoDialog::TongBtnClick()
{
    if (onLanguage)
        onLanguage();
    applyTexts();
}
