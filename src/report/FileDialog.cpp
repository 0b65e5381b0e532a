#include "report/FileDialog.h"

#include <QFileDialog>
#include <deque>

namespace {

struct State {
    bool scripted = false;
    std::deque<QString> answers;
    QStringList asked;
    QString lastSuggestion;
};

State& state()
{
    static State s;
    return s;
}

} // namespace

QString FileDialog::getSaveFileName(QWidget* parent, const QString& caption, const QString& suggestedPath,
                                    const QString& filter)
{
    State& s = state();
    s.asked << caption;
    s.lastSuggestion = suggestedPath;
    if (s.scripted) {
        if (s.answers.empty())
            return QString();
        QString answer = s.answers.front();
        s.answers.pop_front();
        return answer;
    }
    return QFileDialog::getSaveFileName(parent, caption, suggestedPath, filter);
}

void FileDialog::setTestMode(bool scripted)
{
    state().scripted = scripted;
    state().answers.clear();
}

bool FileDialog::testMode() { return state().scripted; }

void FileDialog::setNextFileName(const QString& path) { state().answers.push_back(path); }

void FileDialog::clearAnswers() { state().answers.clear(); }

QStringList FileDialog::asked() { return state().asked; }

QString FileDialog::lastSuggestion() { return state().lastSuggestion; }

void FileDialog::clearAsked()
{
    state().asked.clear();
    state().lastSuggestion.clear();
}
