#ifndef DIALOGCLOSER_H
#define DIALOGCLOSER_H

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

#endif // DIALOGCLOSER_H
