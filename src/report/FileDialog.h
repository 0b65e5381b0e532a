#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Every question for a file name goes through here. The real dialog is the desktop's own; tests
// switch to scripted mode, where nothing is shown, every question is recorded and the answers come
// from setNextFileName (an unscripted question is answered as if the user cancelled).
class FileDialog {
public:
    // The file name to save to, or empty when the user cancelled.
    static QString getSaveFileName(QWidget* parent, const QString& caption, const QString& suggestedPath,
                                   const QString& filter);

    // Test hooks.
    static void setTestMode(bool scripted);
    static bool testMode();
    static void setNextFileName(const QString& path); // queued, first in first out; "" = cancel
    static void clearAnswers();
    // The captions of the questions asked, in order.
    static QStringList asked();
    static QString lastSuggestion();
    static void clearAsked();
};
