#pragma once

#include "shell/MailtoText.h"

#include <QString>
#include <QStringList>
#include <memory>

// What the program asks of the desktop: a mailto link, a program (the calculator), the text editor
// on a file, the help viewer, the beep and the list of printers. The real implementation uses the
// desktop's handlers; tests install RecordingDesktopServices, which records every call.
class DesktopServices {
public:
    enum class HelpCommand { Contents, Index, Context };
    enum class Tool { Calculator, TextEditor };

    virtual ~DesktopServices() = default;

    virtual bool openUrl(const QString& url) = 0;
    // The desktop's calculator or text editor, found on the PATH; false when none is found.
    virtual bool startTool(Tool tool) = 0;
    virtual bool openTextEditor(const QString& file) = 0;
    virtual bool showHelp(const QString& helpFile, HelpCommand command, int context) = 0;
    virtual void beep() = 0;
    // The installed printers: the system's printers and the built-in "PDF" printer.
    virtual QStringList printers() = 0;

    static DesktopServices& instance();
    // Replaces the services (tests); returns the previous ones.
    static std::unique_ptr<DesktopServices> setInstance(std::unique_ptr<DesktopServices> services);
};

class SystemDesktopServices : public DesktopServices {
public:
    bool openUrl(const QString& url) override;
    bool startTool(Tool tool) override;
    bool openTextEditor(const QString& file) override;
    bool showHelp(const QString& helpFile, HelpCommand command, int context) override;
    void beep() override;
    QStringList printers() override;

    // The system's printers and the built-in "PDF" printer, which stands in for a system printer
    // of that name (a print-to-PDF printer of the desktop) rather than being listed twice.
    static QStringList WithPdfPrinter(QStringList systemPrinters);
    // The first of the candidate programs found on the PATH, or empty.
    static QString findProgram(const QStringList& candidates);
    static QStringList calculatorCandidates();
    static QStringList textEditorCandidates();
};


// Starts the desktop's calculator or text editor; when there is none, a warning says so.
void StartToolOrWarn(DesktopServices::Tool tool);

// Records every call as a line ("openUrl mailto:...", "startTool Calculator", "openTextEditor /tmp/x",
// "showHelp file Context 31", "beep"); results can be set.
class RecordingDesktopServices : public DesktopServices {
public:
    bool openUrl(const QString& url) override;
    bool startTool(Tool tool) override;
    bool openTextEditor(const QString& file) override;
    bool showHelp(const QString& helpFile, HelpCommand command, int context) override;
    void beep() override;
    QStringList printers() override { return printerList; }

    QStringList calls;
    bool result = true;
    QStringList printerList{QStringLiteral("PDF")};
};

// Installs a RecordingDesktopServices for the lifetime of the object (tests).
class ScopedRecordingDesktop {
public:
    ScopedRecordingDesktop();
    ~ScopedRecordingDesktop();
    RecordingDesktopServices& operator*() { return *m_recording; }
    RecordingDesktopServices* operator->() { return m_recording; }

private:
    RecordingDesktopServices* m_recording;
    std::unique_ptr<DesktopServices> m_saved;
};
