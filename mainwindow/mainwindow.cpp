// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "mainwindow.h"
#include "precisetimers.h"
#include "puzzle.h"
#include "qdialog1.h"
#include "qdialog2.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QThread>
#include <QToolTip>

namespace {

quintptr addressOf(const QObject *object)
{
    return reinterpret_cast<quintptr>(object);
}

// Keys as players expect them: Return or Enter on the focused button clicks
// it, as in a dialog, and Tab or Shift+Tab onto a value selects the whole of
// it, so that Ctrl+C copies it at once (a click selects as usual).
class KeyboardHelp : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            auto *button = qobject_cast<QAbstractButton *>(watched);
            if (button && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
                button->click();
                return true;
            }
        } else if (event->type() == QEvent::FocusIn) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            auto *label = qobject_cast<QLabel *>(watched);
            if (label && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason))
                label->setSelection(0, label->text().size());
        }
        return false;
    }
};

bool fromTouch(const QMouseEvent *event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->pointingDevice()
            && event->pointingDevice()->type() == QInputDevice::DeviceType::TouchScreen;
#else
    return event->source() != Qt::MouseEventNotSynthesized;
#endif
}

// A finger has no hover for the tool tip, no Tab and no Ctrl+C: a tap on a
// value shows it whole and copies it. The mouse keeps its selection.
class TouchHelp : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *label = qobject_cast<QLabel *>(watched);
        if (!label || event->type() != QEvent::MouseButtonRelease
            || !fromTouch(static_cast<QMouseEvent *>(event)))
            return false;
        QGuiApplication::clipboard()->setText(label->text());
        // Over the clipped value itself, undoing the offset Qt gives a tool
        // tip from the pointer, so that it hides nothing below, such as
        // the field under the key.
        QToolTip::showText(label->mapToGlobal(QPoint(-2, -16)), label->toolTip(), label);
        return false;
    }
};

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui_MainWindow)
{
    ui->setupUi(this);
    setUpPuzzle();
    setUpKeyboardAndHelp();
}

MainWindow::~MainWindow()
{
    delete ui;
}

// The order of the allocations matters: the filler objects are
// created between the two dialogs, which is what puts distance between them.
void MainWindow::setUpPuzzle()
{
    dialog1 = new QDialog1(this);

    Puzzle::PassCodes passCodes {};
    // Without this, Linux would stretch each of the many short pauses to
    // batch wake-ups, and the window would appear later than it must.
    const PreciseTimers precise;
    for (int pass = 1; pass <= Puzzle::passCount; ++pass) {
        new QObject(this);
        passCodes[pass]
            = Puzzle::runPass(pass, passCodes[pass], [] { QThread::msleep(Puzzle::pauseMs); });
    }
    const Puzzle::DigitBuffer buffer = Puzzle::digitBuffer(passCodes);
    const qint32 digitSum = Puzzle::digitSum(passCodes);

    dialog2 = new QDialog2(this);

    const qint64 distance = Puzzle::stepDistance(addressOf(dialog1), addressOf(dialog2));
    showClue(ui->cewf, Puzzle::addressText(addressOf(dialog1)));
    showClue(ui->wcxc, Puzzle::clueText(buffer, digitSum, distance));
}

// Lets the game be played by keyboard alone and read by a screen reader, and
// tells the player what to do; nothing here changes what the window shows.
void MainWindow::setUpKeyboardAndHelp()
{
    // The caption names the field for screen readers.
    ui->wcxc_4->setBuddy(ui->geewf);
    // Return in the field, and Return or Enter on the focused button, do
    // what a click does, through the button.
    connect(ui->geewf, &QLineEdit::returnPressed, ui->asdwg, &QAbstractButton::click);
    auto *keyboardHelp = new KeyboardHelp(this);
    ui->asdwg->installEventFilter(keyboardHelp);
    // Closing from the keyboard, as desktop games do.
    auto *quit = new QAction(this);
    // No empty sequence among them: Qt would then not release the others
    // with the action (Windows has no standard Quit key).
    QList<QKeySequence> quitKeys = QKeySequence::keyBindings(QKeySequence::Quit);
    quitKeys.append(QKeySequence(Qt::CTRL | Qt::Key_W));
    quit->setShortcuts(quitKeys);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    addAction(quit);

    // The values are long: let the player select and copy them instead of
    // retyping, and reach them with Tab (selectable labels take focus only
    // on a click by default). A screen reader speaks the caption, the
    // value's label, then the value itself, Qt's name for a label: a
    // caption as the name would leave a blind player without the clue.
    const std::pair<QLabel *, QLabel *> captioned[]
        = { { ui->wcxc_3, ui->cewf }, { ui->wcxc_2, ui->wcxc } };
    auto *touchHelp = new TouchHelp(this);
    for (const auto &[caption, value] : captioned) {
        value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        value->setFocusPolicy(Qt::StrongFocus);
        value->installEventFilter(keyboardHelp);
        value->installEventFilter(touchHelp);
        caption->setBuddy(value);
    }
    setTabOrder(ui->geewf, ui->asdwg);
    setTabOrder(ui->asdwg, ui->cewf);
    setTabOrder(ui->cewf, ui->wcxc);

    const QString fieldHelp = tr("输入 SUCCESS 窗口的十六进制地址，然后按回车键");
    ui->geewf->setToolTip(fieldHelp);
    ui->geewf->setStatusTip(fieldHelp);
    const QString buttonHelp = tr("打开所输入地址处的窗口：地址正确显示 SUCCESS，否则显示 FAIL");
    ui->asdwg->setToolTip(buttonHelp);
    ui->asdwg->setStatusTip(buttonHelp);

    // Digits typed as soon as the window appears go into the field.
    ui->geewf->setFocus();
}

// A 64-bit address or a long clue is wider than its fixed label and gets
// clipped; the tool tip still lets the player read all of it.
void MainWindow::showClue(QLabel *label, const QString &text)
{
    label->setText(text);
    label->setToolTip(text);
}

void MainWindow::on_asdwg_clicked()
{
    // The typed value is only ever compared, never used as a pointer.
    const quintptr typed = Puzzle::parseAddress(ui->geewf->text());
    QDialog *target = dialog1;
    if (typed == addressOf(dialog2))
        target = dialog2;
    target->exec();
}

#include "mainwindow.moc"
