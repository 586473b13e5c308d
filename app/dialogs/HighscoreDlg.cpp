#include "app/dialogs/HighscoreDlg.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "app/core/Canvas.h"
#include "app/dialogs/DialogLook.h"
#include "app/dialogs/FocusMark.h"
#include "app/settings/SettingsStore.h"
#include "app/texts/HighscoreTexts.h"

namespace {

const QString PlayerKey = QStringLiteral("player");
const QString EmptyScore = QStringLiteral("-----");
const QRect TableFrame(8, 8, 305, 121);
const QRect CheckFrame(168, 136, 145, 21);
constexpr int RowTop = 20;
constexpr int RowStep = 21;
constexpr int NameLeft = 60;
constexpr int NameWidth = 140;
constexpr int EditHeight = 15;
const QColor EditColor(0xFF, 0x80, 0x80);

QFont smallFont()
{
    return Canvas::fontPixels(QStringLiteral("MS Sans Serif"), 11);
}

// The check box's text was measured for a narrow 11-pixel system font; wider substitutes step down
// in size until the text ends inside the check box's frame.
void fitInCheckFrame(QLabel* label)
{
    const int room = CheckFrame.left() + CheckFrame.width() - 2 - label->x();
    QFont font = smallFont();
    while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(label->text()) > room)
        font.setPixelSize(font.pixelSize() - 1);
    label->setFont(font);
    label->adjustSize();
}

QLabel* makeRowLabel(QWidget* parent, const QString& name, int left, int width, int row,
                     Qt::Alignment alignment)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name + QString::number(row));
    label->setGeometry(left, RowTop + RowStep * row, width, RowStep);
    label->setAlignment(alignment | Qt::AlignTop);
    return label;
}

} // namespace

THighscoreDlg::THighscoreDlg(QWidget* mainWindow, const int& tongue, SettingsStore& settings)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint), mainWindow_(mainWindow), tongue_(tongue),
      settings_(settings), picture_(dialogPicture())
{
    setModal(true);
    setFixedSize(ClientWidth, ClientHeight);
    setFont(Canvas::fontPixels(QStringLiteral("Arial"), 15, true));
    QPalette blackText = palette();
    blackText.setColor(QPalette::WindowText, Qt::black);
    blackText.setColor(QPalette::ButtonText, Qt::black);
    setPalette(blackText);

    createNameEntry();
    createClearBox();
    createButtons();
    playerName_ = settings_.ReadString(HighscoreList::Section, PlayerKey, HighscoreList::EmptyName);
    edit1_->setText(playerName_);
    createLabels();
    // The name field stands over a name label, which would otherwise take its clicks.
    edit1_->raise();
    setTabOrder(edit1_, clearBox_);
    setTabOrder(clearBox_, cancel_);
    setTabOrder(cancel_, ok_);
    new FocusMark(this);
    applyTexts();
}

void THighscoreDlg::createNameEntry()
{
    edit1_ = new QLineEdit(this);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    edit1_->setFrame(false);
    edit1_->setMaxLength(MaxNameLength);
    // Reached with Tab like every other control, also once it was left.
    edit1_->setFocusPolicy(Qt::StrongFocus);
    QPalette editColors = edit1_->palette();
    editColors.setColor(QPalette::Base, EditColor);
    editColors.setColor(QPalette::Text, Qt::black);
    edit1_->setPalette(editColors);
    edit1_->hide();
}

void THighscoreDlg::createClearBox()
{
    clearBox_ = new QCheckBox(this);
    clearBox_->setObjectName(QStringLiteral("ClearBox"));
    clearBox_->setGeometry(175, 139, 13, 13);
    delcheck_ = new QLabel(this);
    delcheck_->setObjectName(QStringLiteral("delcheck"));
    delcheck_->move(196, 140);
}

void THighscoreDlg::createButtons()
{
    cancel_ = makePictureButton(this, QStringLiteral("CancelBtn"), QRect(168, 164, 70, 27),
                                QStringLiteral(":/art/btn_cancel.png"));
    cancel_->setFont(smallFont());
    connect(cancel_, &QPushButton::clicked, this, [this] { done(CancelResult); });
    ok_ = makePictureButton(this, QStringLiteral("OKBtn"), QRect(244, 164, 70, 27),
                            QStringLiteral(":/art/btn_ok.png"));
    ok_->setFont(smallFont());
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, [this] {
        okClick();
        done(OkResult);
    });
}

void THighscoreDlg::createLabels()
{
    for (int row = 0; row < HighscoreList::Rows; ++row) {
        num_[row] = makeRowLabel(this, QStringLiteral("num"), 20, 40, row, Qt::AlignRight);
        num_[row]->setText(QString::number(row + 1) + QStringLiteral(".   "));
    }
    for (int row = 0; row < HighscoreList::Rows; ++row)
        pla_[row] = makeRowLabel(this, QStringLiteral("pla"), NameLeft, NameWidth, row, Qt::AlignLeft);
    for (int row = 0; row < HighscoreList::Rows; ++row)
        sco_[row] = makeRowLabel(this, QStringLiteral("sco"), 200, 90, row, Qt::AlignRight);
}

void THighscoreDlg::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

int THighscoreDlg::ShowHighScores(const QString& listKey, int result)
{
    listKey_ = listKey;
    clearBox_->setChecked(false);
    // Left over when the last entry was cancelled.
    edit1_->hide();
    list_.load(settings_, chiffre_, listKey_);
    newRow_ = list_.insert(result, playerName_);
    if (result != 0 && newRow_ < 0)
        return 0;
    fillLabels();
    if (newRow_ >= 0)
        showNameEntry();
    return exec();
}

void THighscoreDlg::fillLabels()
{
    for (int row = 0; row < HighscoreList::Rows; ++row) {
        pla_[row]->setText(list_.names[row]);
        const int score = list_.scores[row];
        sco_[row]->setText(score == 0 ? EmptyScore : QString::number(score));
    }
}

void THighscoreDlg::showNameEntry()
{
    edit1_->setGeometry(NameLeft, RowTop + RowStep * newRow_, NameWidth, EditHeight);
    edit1_->setEnabled(true);
    edit1_->setText(playerName_);
    edit1_->show();
}

void THighscoreDlg::reject()
{
    done(CancelResult);
}

void THighscoreDlg::showEvent(QShowEvent* event)
{
    FormActivate();
    QDialog::showEvent(event);
}

void THighscoreDlg::FormActivate()
{
    if (mainWindow_ != nullptr)
        move(centredOver(*mainWindow_, size()));
    applyTexts();
    if (!edit1_->isHidden())
        edit1_->setFocus();
    else
        ok_->setFocus();
}

void THighscoreDlg::applyTexts()
{
    const HighscoreTexts texts = highscoreTexts(tongue_);
    setWindowTitle(texts.caption);
    delcheck_->setText(texts.clearAll);
    fitInCheckFrame(delcheck_);
    // The check box's text is a label beside it; a screen reader hears it as the box's name.
    clearBox_->setAccessibleName(texts.clearAll);
    edit1_->setAccessibleName(texts.nameField);
    cancel_->setText(texts.cancel);
    ok_->setText(texts.ok);
}

// Removing all entries wins over a name just typed; OK always rewrites the whole list.
void THighscoreDlg::okClick()
{
    if (clearBox_->isChecked()) {
        list_.clear();
        playerName_ = HighscoreList::EmptyName;
        edit1_->setText(playerName_);
        newRow_ = -1;
    }
    if (newRow_ >= 0) {
        playerName_ = edit1_->text();
        list_.names[newRow_] = playerName_;
        pla_[newRow_]->setText(playerName_);
    }
    edit1_->hide();
    settings_.WriteString(HighscoreList::Section, PlayerKey, playerName_);
    list_.store(settings_, chiffre_, listKey_);
}

void THighscoreDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, framedBackground(picture_, size(), {TableFrame, CheckFrame}));
}
