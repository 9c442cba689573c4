// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#ifndef QDIALOG1_H
#define QDIALOG1_H

#include <QDialog>

class Ui_QDialog1;

class QDialog1 : public QDialog
{
    Q_OBJECT

public:
    explicit QDialog1(QWidget *parent = nullptr);
    ~QDialog1() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Ui_QDialog1 *ui;
};

#endif // QDIALOG1_H
