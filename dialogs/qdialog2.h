// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#ifndef QDIALOG2_H
#define QDIALOG2_H

#include <QDialog>

class Ui_QDialog2;

class QDialog2 : public QDialog
{
    Q_OBJECT

public:
    explicit QDialog2(QWidget *parent = nullptr);
    ~QDialog2() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Ui_QDialog2 *ui;
};

#endif // QDIALOG2_H
