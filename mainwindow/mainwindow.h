// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QMainWindow>

QT_BEGIN_NAMESPACE
class QLabel;
QT_END_NAMESPACE
class QDialog1;
class QDialog2;
class Ui_MainWindow;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The size the form gives the window when it opens.
    static constexpr QSize initialSize { 511, 384 };

    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

public slots:
    void on_asdwg_clicked();

private:
    void setUpPuzzle();
    void setUpKeyboardAndHelp();
    void showClue(QLabel *label, const QString &text);

    Ui_MainWindow *ui;
    QDialog1 *dialog1;
    QDialog2 *dialog2;
};

#endif // MAINWINDOW_H
