#pragma once

#include "store/RegionalSettings.h"

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <vector>

// quorvale-data: a company's data files from the command line, with the record code, the regional
// formats and the settings files of the program.
//
//     quorvale-data COMMAND [options] OPERANDS...
//
// Every command names its operands; COMPANY is resolved to a company before the command runs (by
// name from the data settings, by the path of its folder, or with --company), and the common
// options --data-root, --company and --locale apply to it. Results go to the standard output, one
// line each; messages go to the error output as "quorvale-data COMMAND: text".
//
// Exit status (Status): 0 done (check: nothing found), 1 something found (check: findings; import:
// faults in its sources, nothing written), 2 the command could not run (a bad command line, a
// missing or unreadable folder, a company the settings do not list, a damaged file, a failed write).
//
// Adding a command is one function and one line: write `int RunName(Context& c)` (it finds its
// company in c.company(), its other operands in c.operand(i), its flags with c.has("--flag"), prints
// with c.print() and c.error() and returns a Status), and add its line to the table in Commands():
//     {"name", {"COMPANY"}, {"--dry-run"}, "one line for the program's help", kNameHelp, RunName},
// with kNameHelp the text of `quorvale-data name --help`.
namespace DataCommands {

enum Status { Done = 0, Found = 1, Failed = 2 };

// The company a command works on, as the program would open it.
struct Company {
    QString name;          // as the data settings list it
    QString folder;        // ends in "/"
    QString dataRoot;      // ends in "/"
    QString programFolder; // ends in "/"
    RegionalSettings formats;
    QString formatsOrigin; // where the formats come from, for messages
};

// Finds the company of a COMPANY operand (a name, or a path when it holds a "/" or is "." or
// ".."), or of --company (name, then operand is empty), in the data root of --data-root (else the
// program settings' DataPath, else the program folder), with the formats of --locale (a locale name,
// or "neutral": a point and dd/mm/yyyy), else of the sample company not yet converted (neutral),
// else of the session. Reads the program settings of programFolder; never writes. Empty `error`
// on success.
struct Resolution {
    Company company;
    QString error;
};
Resolution ResolveCompany(const QString& programFolder, const QString& operand, const QString& companyOption,
                          const QString& dataRootOption, const QString& localeOption);

// What a command is given.
class Context {
public:
    Context(const QString& command, const Company& company, const QStringList& operands, const QStringList& flags,
            QTextStream& out, QTextStream& err)
        : m_command(command), m_company(company), m_operands(operands), m_flags(flags), m_out(out), m_err(err) {}

    const Company& company() const { return m_company; }
    // The operands other than COMPANY, in order (export: 0 = OUTDIR; import: 0 = CSVDIR).
    QString operand(int index) const { return m_operands.value(index); }
    bool has(const QString& flag) const { return m_flags.contains(flag); }

    void print(const QString& line) { m_out << line << '\n'; }
    // "quorvale-data COMMAND: message" on the error output.
    void error(const QString& message);
    // The same, returning Failed.
    int fail(const QString& message)
    {
        error(message);
        return Failed;
    }

private:
    QString m_command;
    const Company& m_company;
    QStringList m_operands;
    QStringList m_flags;
    QTextStream& m_out;
    QTextStream& m_err;
};

struct Command {
    QString name;
    QStringList operands; // placeholders in order; "COMPANY" is the company
    QStringList flags;    // the command's own options
    QString summary;      // its line in the program's help
    QString help;         // the text of `quorvale-data name --help` after its usage line
    std::function<int(Context&)> run;

    QString usage() const; // "quorvale-data check [options] COMPANY"
};

const std::vector<Command>& Commands();

// The program's help (`quorvale-data --help`).
QString ProgramHelp();

// Runs a command line (without the program's name) and returns its exit status. The program
// folder is QUORVALE_HOME, else this program's folder (or the user's program folder of an
// installation the user may not write). The regional settings and the program's folders and
// settings files in use are restored when it returns.
int Run(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace DataCommands
