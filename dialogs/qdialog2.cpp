// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "qdialog2.h"
#include "banner.h"
#include "ui_qdialog2.h"

QDialog2::QDialog2(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui_QDialog2)
{
    ui->setupUi(this);
}

QDialog2::~QDialog2()
{
    delete ui;
}

void QDialog2::paintEvent(QPaintEvent *)
{
    // Lower-case letters, raised only while painting: the finished banner
    // never stands in the binary for a player to search for. Once painted,
    // it stays in memory as the dialog's description for screen readers.
    static const QList<QChar> letters
        = { QLatin1Char('s'), QLatin1Char('u'), QLatin1Char('c'), QLatin1Char('c'),
            QLatin1Char('e'), QLatin1Char('s'), QLatin1Char('s'), QLatin1Char('!') };
    Banner::paint(this, letters);
}
