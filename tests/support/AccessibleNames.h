#pragma once

#include <QAccessible>
#include <QSet>
#include <QWidget>
#include <gtest/gtest.h>

// What a screen reader gets: every control of `window` that Tab reaches has a name of its own.
inline void expectDistinctNames(QWidget* window) {
    QSet<QString> seen;
    for (QWidget* control : window->findChildren<QWidget*>())
        if (control->isVisibleTo(window) && control->isEnabled() && !control->focusProxy() &&
            (control->focusPolicy() & Qt::TabFocus)) {
            const QString name =
                QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
            EXPECT_TRUE(!name.isEmpty() && !seen.contains(name)) << name.toStdString();
            seen.insert(name);
        }
    EXPECT_GE(seen.size(), 2);
}
