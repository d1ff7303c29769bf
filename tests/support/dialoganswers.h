#pragma once

#include "core/host/progress/progressdialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

// Clicks Cancel on the progress dialog of the export or copy under way, as soon as it shows.
inline void cancelWhenShown()
{
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* d = qobject_cast<ProgressDialog*>(w); d && d->isVisible()) {
                QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("cancel")), Qt::LeftButton);
                return;
            }
        }
        cancelWhenShown();
    });
}

// Answers the modal dialog of type T once it is up.
template<typename T>
void answerDialog(const std::function<void(T*)>& answer)
{
    QTimer::singleShot(0, [answer] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()))
            answer(dialog);
        else
            answerDialog<T>(answer);
    });
}

// Answers the save-file dialog once it is up.
inline void answerFileDialog(const std::function<void(QFileDialog*)>& answer)
{
    answerDialog<QFileDialog>(answer);
}
