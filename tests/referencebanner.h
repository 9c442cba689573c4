// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#ifndef REFERENCEBANNER_H
#define REFERENCEBANNER_H

#include <QFont>
#include <QPainter>
#include <QPoint>
#include <QString>

// Paints a result dialog's banner by hand, independently of the dialogs' own
// code, for their pixels to be compared with.
inline void paintReferenceBanner(QPainter &painter, const QString &text, const QPoint &origin)
{
    QFont font;
    font.setFamily(QStringLiteral("微软雅黑"));
    font.setPixelSize(25);
    painter.setFont(font);
    painter.drawText(origin, text);
}

#endif
