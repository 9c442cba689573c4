// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#ifndef MODALHELPERS_H
#define MODALHELPERS_H

#include <QApplication>
#include <QDialog>
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

// Ends a modal dialog that is still open after a few seconds with a result no
// button gives, so a broken connection fails the test at once instead of
// hanging it until the time-out.
class ModalFallback : public QObject
{
public:
    static constexpr int result = -1;

    ModalFallback()
    {
        QTimer::singleShot(5000, this, [] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->done(result);
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

#endif // MODALHELPERS_H
