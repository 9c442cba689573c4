// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#ifndef BANNER_H
#define BANNER_H

#include <QList>
#include <QPoint>
#include <QString>

QT_BEGIN_NAMESPACE
class QFont;
class QSize;
class QWidget;
QT_END_NAMESPACE

// The large "FAIL!" / "SUCCESS!" text the result dialogs paint across their middle.
namespace Banner {

// The upper-case form of the given lower-case letters.
QString text(const QList<QChar> &letters);

// Left end of the text's baseline for a widget of the given size.
QPoint origin(const QSize &size);

QFont font();

// Draws text(letters) in font() at origin(widget->size()) on the widget, and
// gives the widget the same words as its accessible description.
void paint(QWidget *widget, const QList<QChar> &letters);

} // namespace Banner

#endif // BANNER_H
