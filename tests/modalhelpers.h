// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#ifndef MODALHELPERS_H
#define MODALHELPERS_H

#include <QApplication>
#include <QDialog>
#include <QTimer>

// Closes every modal dialog as soon as it runs and remembers which one it was,
// so a click that opens a dialog with exec() returns to the test.
class DialogCloser : public QObject
{
public:
    DialogCloser()
    {
        connect(&m_timer, &QTimer::timeout, this, &DialogCloser::closeModal);
        m_timer.start(0);
    }

    QList<QWidget *> opened;

private:
    void closeModal()
    {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            opened.append(dialog);
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
