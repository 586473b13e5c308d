#include "app/dialogs/HelpWin.h"

#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/core/Canvas.h"
#include "app/dialogs/FocusMark.h"
#include "app/dialogs/RulesTexts.h"

namespace {
const char* const RulesPicturePath = ":/art/rules.png";
const char* const OkIconPath = ":/art/btn_ok.png";
const QRect MemoBox(12, 12, 317, 213);
const QRect OkBox(240, 233, 89, 27);
const QColor SelectionBack(0xF8, 0xF3, 0x9E);
// Stands in for the clipboard picture when it is missing, so the text stays readable.
const QColor PlainFill(0xE0, 0xE0, 0xE0);

// Black text on the picture, selections black on pale yellow, in every state of the window.
QPalette memoPalette(QPalette palette)
{
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Text, Qt::black);
        palette.setColor(group, QPalette::Highlight, SelectionBack);
        palette.setColor(group, QPalette::HighlightedText, Qt::black);
    }
    return palette;
}
} // namespace

THelpWin::THelpWin(QWidget* mainWindow, const int& tongue)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint), mainWindow_(mainWindow), tongue_(tongue),
      picture_(RulesPicturePath)
{
    setModal(true);
    setFixedSize(ClientWidth, ClientHeight);

    helpMemo_ = new QPlainTextEdit(this);
    helpMemo_->setObjectName(QStringLiteral("HelpMemo"));
    helpMemo_->setGeometry(MemoBox);
    helpMemo_->setReadOnly(true);
    helpMemo_->setFont(Canvas::fontPixels(QStringLiteral("MS Sans Serif"), 13));
    helpMemo_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    helpMemo_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    helpMemo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    helpMemo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    helpMemo_->setPalette(memoPalette(helpMemo_->palette()));
    // The picture shows through the memo.
    helpMemo_->viewport()->setAutoFillBackground(false);
    helpMemo_->setTabChangesFocus(true);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("OKBtn"));
    ok_->setGeometry(OkBox);
    const QPixmap icon(OkIconPath);
    if (!icon.isNull())
        ok_->setIcon(icon);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    new FocusMark(this);
}

void THelpWin::loadRules(int puzzle)
{
    helpMemo_->setPlainText(rulesMemoText(storedRulesText(rulesItem(puzzle, tongue_))) +
                            rulesMemoText(storedKeysText(rulesItem(puzzle, tongue_))));
}

void THelpWin::ShowRules(int puzzle)
{
    loadRules(puzzle);
    exec();
}

void THelpWin::showEvent(QShowEvent* event)
{
    placeOverMainWindow();
    ok_->setFocus();
    QDialog::showEvent(event);
}

// Centred across the main window's outer frame and a fixed distance below its top.
void THelpWin::placeOverMainWindow()
{
    if (mainWindow_ == nullptr)
        return;
    const QRect main = mainWindow_->frameGeometry();
    move(main.left() + (main.width() - ClientWidth) / 2, main.top() + TopBelowMainWindow);
}

void THelpWin::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (picture_.isNull())
        painter.fillRect(rect(), PlainFill);
    else
        painter.drawImage(0, 0, picture_);
}
