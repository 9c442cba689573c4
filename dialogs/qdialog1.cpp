// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "qdialog1.h"
#include "banner.h"
#include "ui_qdialog1.h"

QDialog1::QDialog1(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui_QDialog1)
{
    ui->setupUi(this);
}

QDialog1::~QDialog1()
{
    delete ui;
}

void QDialog1::paintEvent(QPaintEvent *)
{
    // Lower-case letters, raised only while painting: the finished banner
    // never stands in the binary for a player to search for. Once painted,
    // it stays in memory as the dialog's description for screen readers.
    static const QList<QChar> letters = { QLatin1Char('f'), QLatin1Char('a'), QLatin1Char('i'),
                                          QLatin1Char('l'), QLatin1Char('!') };
    Banner::paint(this, letters);
}
