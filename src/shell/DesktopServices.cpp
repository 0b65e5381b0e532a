#include "shell/DesktopServices.h"

#include "accessories/HelpViewer.h"
#include "i18n/Language.h"
#include "shell/MessageBox.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

std::unique_ptr<DesktopServices>& slot()
{
    static std::unique_ptr<DesktopServices> services = std::make_unique<SystemDesktopServices>();
    return services;
}

QString helpCommandName(DesktopServices::HelpCommand c)
{
    switch (c) {
    case DesktopServices::HelpCommand::Contents: return "Contents";
    case DesktopServices::HelpCommand::Index: return "Index";
    case DesktopServices::HelpCommand::Context: return "Context";
    }
    return {};
}

} // namespace

DesktopServices& DesktopServices::instance() { return *slot(); }

std::unique_ptr<DesktopServices> DesktopServices::setInstance(std::unique_ptr<DesktopServices> services)
{
    auto previous = std::move(slot());
    slot() = services ? std::move(services) : std::make_unique<SystemDesktopServices>();
    return previous;
}

QString SystemDesktopServices::findProgram(const QStringList& candidates)
{
    for (const QString& c : candidates) {
        const QString path = QStandardPaths::findExecutable(c);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

QStringList SystemDesktopServices::calculatorCandidates()
{
    return {"gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc"};
}

QStringList SystemDesktopServices::textEditorCandidates()
{
    return {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "xed", "pluma", "featherpad",
            "leafpad", "geany"};
}

bool SystemDesktopServices::openUrl(const QString& url)
{
    return QDesktopServices::openUrl(QUrl(url, QUrl::TolerantMode));
}

bool SystemDesktopServices::startTool(Tool tool)
{
    const QString program = findProgram(tool == Tool::Calculator ? calculatorCandidates() : textEditorCandidates());
    return !program.isEmpty() && QProcess::startDetached(program, {});
}

bool SystemDesktopServices::openTextEditor(const QString& file)
{
    const QString program = findProgram(textEditorCandidates());
    if (!program.isEmpty())
        return QProcess::startDetached(program, {file});
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

bool SystemDesktopServices::showHelp(const QString& helpFile, HelpCommand command, int context)
{
    HelpViewer* viewer = HelpViewer::Open(helpFile, QApplication::activeWindow());
    if (!viewer)
        return false;
    switch (command) {
    case HelpCommand::Contents: viewer->showContents(); break;
    case HelpCommand::Index: viewer->showIndex(); break;
    case HelpCommand::Context: viewer->showContext(context); break;
    }
    return true;
}

void SystemDesktopServices::beep() { QApplication::beep(); }

QStringList SystemDesktopServices::WithPdfPrinter(QStringList systemPrinters)
{
    if (!systemPrinters.contains(QStringLiteral("PDF")))
        systemPrinters << QStringLiteral("PDF");
    return systemPrinters;
}

QStringList SystemDesktopServices::printers() { return WithPdfPrinter(QPrinterInfo::availablePrinterNames()); }

bool RecordingDesktopServices::openUrl(const QString& url)
{
    calls << "openUrl " + url;
    return result;
}

bool RecordingDesktopServices::startTool(Tool tool)
{
    calls << QString("startTool ") + (tool == Tool::Calculator ? "Calculator" : "TextEditor");
    return result;
}

bool RecordingDesktopServices::openTextEditor(const QString& file)
{
    calls << "openTextEditor " + file;
    return result;
}

bool RecordingDesktopServices::showHelp(const QString& helpFile, HelpCommand command, int context)
{
    calls << QString("showHelp %1 %2 %3").arg(helpFile, helpCommandName(command)).arg(context);
    return result;
}

void RecordingDesktopServices::beep() { calls << "beep"; }

ScopedRecordingDesktop::ScopedRecordingDesktop()
{
    auto recording = std::make_unique<RecordingDesktopServices>();
    m_recording = recording.get();
    m_saved = DesktopServices::setInstance(std::move(recording));
}

ScopedRecordingDesktop::~ScopedRecordingDesktop() { DesktopServices::setInstance(std::move(m_saved)); }

void StartToolOrWarn(DesktopServices::Tool tool)
{
    if (DesktopServices::instance().startTool(tool))
        return;
    if (tool == DesktopServices::Tool::Calculator)
        MessageBox::warning(LangText(QStringLiteral("msg_NoCalculator"), QStringLiteral("Windows 'Calculator' not found !")));
    else
        MessageBox::warning(LangText(QStringLiteral("msg_NoNotepad"), QStringLiteral("Windows 'Notepad' not found !")));
}
