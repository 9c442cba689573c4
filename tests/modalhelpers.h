// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#ifndef MODALHELPERS_H
#define MODALHELPERS_H

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

// Closes every dialog as soon as it shows and remembers which one it was and
// whether it ran modally, so a click that opens a dialog with exec() returns
// to the test, and one that merely shows it fails the test instead of
// leaving it open.
class DialogCloser : public QObject
{
public:
    DialogCloser()
    {
        connect(&m_timer, &QTimer::timeout, this, &DialogCloser::closeShown);
        m_timer.start(0);
    }

    // A dialog left open by a failed check does not outlive the test.
    ~DialogCloser() override { closeShown(); }

    QList<QWidget *> opened;
    QList<QWidget *> openedModeless;

private:
    void closeShown()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<QDialog *>(window);
            if (!dialog || !dialog->isVisible())
                continue;
            opened.append(dialog);
            if (QApplication::activeModalWidget() != dialog)
                openedModeless.append(dialog);
            dialog->reject();
        }
    }

    QTimer m_timer;
};

// Ends every dialog still open after a few seconds with a result no button
// gives, whatever the dialog is called and whether or not Qt counts it as the
// active modal widget, so a broken connection fails the test at once instead
// of hanging it until the time-out.
class ModalFallback : public QObject
{
public:
    static constexpr int result = -1;

    ModalFallback()
    {
        QTimer::singleShot(5000, this, [] {
            for (QWidget *window : QApplication::topLevelWidgets()) {
                auto *dialog = qobject_cast<QDialog *>(window);
                if (dialog && dialog->isVisible())
                    dialog->done(result);
            }
        });
    }
};

// Top-level widgets a test left behind: any window but `keep`, except hidden
// ones that `keep` owns (the game's dialogs while they are closed).
inline QWidgetList strayWindows(const QWidget *keep = nullptr)
{
    const auto ownedByKeep = [keep](const QObject *object) {
        for (; object; object = object->parent()) {
            if (object == keep)
                return true;
        }
        return false;
    };
    QWidgetList stray;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != keep && (window->isVisible() || !ownedByKeep(window)))
            stray.append(window);
    }
    return stray;
}

// For cleanup(): whether the test left no window behind. Those it did leave
// are closed, and destroyed unless `keep` owns them, so that one failed test
// costs seconds and does not change the tests after it.
inline bool leftNoWindows(const QWidget *keep = nullptr)
{
    if (QTest::qWaitFor([keep] { return strayWindows(keep).isEmpty(); }, 2000))
        return true;
    const QWidgetList stray = strayWindows(keep);
    // Deleting one window may delete another of the list with it.
    const QList<QPointer<QWidget>> left(stray.cbegin(), stray.cend());
    for (const QPointer<QWidget> &window : left) {
        if (window)
            window->close();
        if (window && !window->parent())
            delete window.data();
    }
    return false;
}

#endif // MODALHELPERS_H
