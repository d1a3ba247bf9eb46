#pragma once
// Clicks, key presses and bounded waits for the editor's window tests, sent
// straight to the widgets as the platform would deliver them.
#include "support/Wait.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QThread>

namespace cantorel::testing {

inline void mousePress(QWidget* widget, Qt::MouseButton button, const QPoint& at, Qt::KeyboardModifiers modifiers = {})
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(widget->mapToGlobal(at)), button, button,
                      modifiers);
    QApplication::sendEvent(widget, &press);
}

inline void mouseClick(QWidget* widget, Qt::MouseButton button, const QPoint& at, Qt::KeyboardModifiers modifiers = {})
{
    mousePress(widget, button, at, modifiers);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), QPointF(widget->mapToGlobal(at)), button, Qt::NoButton,
                        modifiers);
    QApplication::sendEvent(widget, &release);
}

// A left click on a line of a list, as a user marks lines (Ctrl adds one).
inline void clickRow(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = {})
{
    mouseClick(list->viewport(), Qt::LeftButton, list->visualItemRect(list->item(row)).center(), modifiers);
}

inline void keyClick(QWidget* widget, Qt::Key key, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        keyClick(widget, Qt::Key(QKeySequence(QString(c))[0].key()), QString(c));
}

} // namespace cantorel::testing
