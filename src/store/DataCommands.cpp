#include "store/DataCommands.h"

#include "accessories/ProgramInfo.h"
#include "i18n/IniFile.h"
#include "i18n/LanguageFile.h"
#include "i18n/ProgramState.h"
#include "i18n/Settings.h"
#include "i18n/SettingsFiles.h"
#include "i18n/UserProgramFolder.h"
#include "shell/Companies.h"
#include "store/CompanyCheck.h"
#include "store/CsvRecords.h"
#include "store/RecordFile.h"
#include "store/RecordLayout.h"
#include "store/StoreError.h"
#include "stock/StockCalculation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <memory>

namespace DataCommands {

namespace {

const QString kProgram = QStringLiteral("quorvale-data");
const QString kCompany = QStringLiteral("COMPANY");
// The options every command takes, with a value.
const QStringList kValueOptions{QStringLiteral("--data-root"), QStringLiteral("--company"), QStringLiteral("--locale")};

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

// --- check ---------------------------------------------------------------------------------------

const char* const kCheckHelp = R"(Reads the company's twelve data files and reports every fault, one line each:
"file:record: field: text" (record numbers from 1, as the screens show them). It finds a file
that is not a whole number of records, a length byte above its field's capacity, a number or date
that does not read in the company's formats, a flag other than 0 and 1, an order state other than
0, 1 and 2, two stock records for one item, a product stock record whose available is not
stock - ordered, an order, stock record, movement, production entry, composition line or raw
material naming a product, raw material, supplier, client or equipment the master files do not
hold, and a composite line naming a product that does not exist or itself. It never writes.

Options:
  --json    the findings as JSON lines: {"file":...,"record":...,"field":...,"kind":...,"text":...}
            with kind one of size, length, number, date, flag, state, duplicate, available,
            reference, component

Exit status: 0 nothing found, 1 findings, 2 the folder or a file could not be read.)";

int RunCheck(Context& c)
{
    const bool json = c.has(QStringLiteral("--json"));
    const CompanyCheck::Result result = CompanyCheck::Check(c.company().folder, false, [&](const CompanyCheck::Finding& f) {
        c.print(json ? QString::fromUtf8(f.json()) : f.line());
    });
    if (!result.error.isEmpty())
        return c.fail(result.error);
    c.error(QStringLiteral("%1: %2 finding(s) in %3 records of %4 data files (%5)")
                .arg(c.company().name)
                .arg(result.found)
                .arg(result.records)
                .arg(result.files)
                .arg(c.company().formatsOrigin));
    return result.found == 0 ? Done : Found;
}

// --- export --------------------------------------------------------------------------------------

const char* const kExportHelp = R"(Writes one UTF-8 CSV file per data file into OUTDIR (made when missing): Produtos.csv for
Produtos.DAT and so on, a header row with the record's field names, then one row per record.
Texts, numbers and dates are written as stored; flags and order states as their values. A missing
data file gives a file with the header only. The twelve files are written to temporary files and
renamed into place together, so OUTDIR never holds half an export. A damaged data file (not a
whole number of records, or a length byte above its field's capacity) is refused and nothing is
written: `quorvale-data check` names the damage.

Exit status: 0 written, 2 a data file could not be read or is damaged, or OUTDIR could not be written.)";

int RunExport(Context& c)
{
    const QString out = QDir(c.operand(0)).absolutePath() + '/';
    std::vector<std::pair<QString, QByteArray>> files;
    std::vector<qint64> counts;
    QStringList damage;
    try {
        for (const RecordLayout::File& layout : RecordLayout::Files()) {
            const QString path = c.company().folder + layout.name;
            const QByteArray bytes = QFileInfo::exists(path) ? ReadFileContents(path) : QByteArray();
            for (const CompanyCheck::Finding& f : CompanyCheck::Damage(layout, bytes, false))
                damage.append(f.line());
            files.emplace_back(out + layout.csvName(), CsvRecords::WriteRecords(layout, bytes));
            counts.push_back(bytes.size() / layout.recordSize);
        }
    } catch (const StoreError& e) {
        return c.fail(e.message());
    }
    if (!damage.isEmpty()) {
        for (const QString& line : damage)
            c.error(line);
        return c.fail(QStringLiteral("%1 damaged field(s) or file(s); nothing written").arg(damage.size()));
    }
    if (!QDir().mkpath(out))
        return c.fail(QStringLiteral("cannot create the folder %1").arg(native(out)));
    try {
        ReplaceFilesContents(files);
    } catch (const StoreError& e) {
        return c.fail(e.message() + QStringLiteral("; nothing written"));
    }
    for (size_t i = 0; i < files.size(); ++i)
        c.print(QStringLiteral("%1: %2 records -> %3")
                    .arg(RecordLayout::Files()[i].name)
                    .arg(counts[i])
                    .arg(native(files[i].first)));
    return Done;
}

// --- recalculate ---------------------------------------------------------------------------------

const char* const kRecalculateHelp = R"(Runs the order calculation and the raw-material stock calculation on the company's files, as
"Calculate" of the stock calculation screen does: the ordered and available quantities of every
product with active client orders (StockProduto.DAT), then the on-order quantities of the active
purchase orders and the reservations of every product in shortfall (StockMateria.DAT), with the
company's HoursPerDay, DaysPerWeek and StockAuto. Everything is computed first; the files that
change are then replaced whole, together. It prints, per file, the records rewritten and appended.
A text that does not read as a number or a date stops it before any file is changed.

Options:
  --dry-run   compute and print what would change; write nothing

Exit status: 0 done (or nothing to calculate), 2 a data file could not be read, holds a text that
does not convert, or could not be written.)";

int RunRecalculate(Context& c)
{
    const bool dryRun = c.has(QStringLiteral("--dry-run"));
    StockCalculation::Recalculation done;
    try {
        done = StockCalculation::RecalculateStock(c.company().folder, OrderCalculation::Settings::FromProgram(), {},
                                                  !dryRun);
    } catch (const StoreError& e) {
        return c.fail(e.message() + QStringLiteral("; no file was changed"));
    }
    if (done.outcome.error)
        return c.fail(OrderCalculation::ErrorText(*done.outcome.error));
    if (done.outcome.noProductOrders) {
        c.print(QStringLiteral("%1 holds no order: nothing to calculate, no file changed").arg(DataFile::EncomProduto));
        return Done;
    }
    for (const StockCalculation::FileChange& f : done.changes) {
        if (!f.written)
            c.print(QStringLiteral("%1: unchanged").arg(f.file));
        else
            c.print(QStringLiteral("%1: %2 records %3, %4 appended")
                        .arg(f.file)
                        .arg(f.rewritten)
                        .arg(dryRun ? QStringLiteral("to rewrite") : QStringLiteral("rewritten"))
                        .arg(f.appended));
    }
    if (dryRun)
        c.print(QStringLiteral("dry run: nothing written"));
    return Done;
}

// --- import --------------------------------------------------------------------------------------

const char* const kImportHelp = R"(Writes the company's twelve data files from the CSV files of CSVDIR, such as export writes
them (Produtos.csv for Produtos.DAT and so on, all twelve present). Every field is checked first:
a text must fit its field and have a Windows-1252 character for each of its own (it is refused,
never cut), numbers and dates must read in the company's formats, flags must be 0 or 1 and order
states 0, 1 or 2. Each fault is told as "file:line: field Name: problem", and then nothing is
written. Otherwise the twelve files are written to temporary files and renamed over the company's
files together, so the company is never left half written. Export then import gives the same bytes
(the unused bytes after each text aside).

Options:
  --dry-run   check the CSV files only; write nothing

Exit status: 0 written (or, with --dry-run, all valid), 1 faults in the CSV files (nothing
written), 2 CSVDIR missing or a data file could not be written.)";

int RunImport(Context& c)
{
    const QString sources = QDir(c.operand(0)).absolutePath();
    if (!QFileInfo(sources).isDir())
        return c.fail(QStringLiteral("the folder %1 does not exist").arg(native(sources)));
    const CsvRecords::FolderContents contents = CsvRecords::ReadFolder(sources, CsvRecords::Format::Regional);
    if (!contents.problems.isEmpty()) {
        constexpr int kShown = 1000;
        for (int i = 0; i < contents.problems.size() && i < kShown; ++i)
            c.error(contents.problems[i]);
        if (contents.problems.size() > kShown)
            c.error(QStringLiteral("... and %1 more").arg(contents.problems.size() - kShown));
        c.error(QStringLiteral("%1 fault(s) in the CSV files (%2); nothing written")
                    .arg(contents.problems.size())
                    .arg(c.company().formatsOrigin));
        return Found;
    }
    const bool dryRun = c.has(QStringLiteral("--dry-run"));
    if (!dryRun) {
        try {
            CsvRecords::WriteDataFiles(c.company().folder, contents.files);
        } catch (const StoreError& e) {
            return c.fail(e.message() + QStringLiteral("; the company's files are as they were"));
        }
    }
    for (size_t i = 0; i < contents.files.size(); ++i) {
        const RecordLayout::File& layout = RecordLayout::Files()[i];
        c.print(QStringLiteral("%1: %2 records %3 %4")
                    .arg(layout.csvName())
                    .arg(contents.files[i].second.size() / layout.recordSize)
                    .arg(dryRun ? QStringLiteral("would be written to") : QStringLiteral("->"))
                    .arg(native(c.company().folder + layout.name)));
    }
    return Done;
}

// --- The command line ----------------------------------------------------------------------------

QString findProgramFolder()
{
    const QByteArray home = qgetenv("QUORVALE_HOME");
    if (!home.isEmpty())
        return WithTrailingSlash(QDir(QString::fromLocal8Bit(home)).absolutePath());
    const QString executable = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    return WithTrailingSlash(UserProgramFolder::Find(executable, UserProgramFolder::DefaultLocation()));
}

bool isPath(const QString& operand)
{
    return operand.contains('/') || operand.contains(QDir::separator()) || operand == QLatin1String(".")
           || operand == QLatin1String("..");
}

QString canonical(const QString& path)
{
    const QString c = QFileInfo(path).canonicalFilePath();
    return c.isEmpty() ? QFileInfo(path).absoluteFilePath() : c;
}

// The program's folders, settings files, company and regional settings while a command runs.
class ProgramStateScope {
public:
    ProgramStateScope()
        : m_programFolder(ProgramFolder), m_databaseFolder(DatabaseFolder), m_company(CurrentCompany),
          m_programIni(std::move(ProgramIni)), m_dataIni(std::move(DataIni)), m_formats(RegionalSettings::current())
    {
    }
    ~ProgramStateScope()
    {
        ProgramFolder = m_programFolder;
        DatabaseFolder = m_databaseFolder;
        CurrentCompany = m_company;
        ProgramIni = std::move(m_programIni);
        DataIni = std::move(m_dataIni);
        RegionalSettings::setCurrent(m_formats);
    }
    ProgramStateScope(const ProgramStateScope&) = delete;
    ProgramStateScope& operator=(const ProgramStateScope&) = delete;

private:
    QString m_programFolder, m_databaseFolder, m_company;
    std::unique_ptr<IniFile> m_programIni, m_dataIni;
    RegionalSettings m_formats;
};

struct Parsed {
    QString command;
    QStringList positional;
    QStringList flags;
    QString dataRoot, company, locale;
    bool help = false, version = false;
    QString error;
};

Parsed parse(const QStringList& arguments)
{
    Parsed p;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString a = arguments[i];
        if (a == QLatin1String("--")) {
            p.positional += arguments.mid(i + 1);
            break;
        }
        if (!a.startsWith('-') || a == QLatin1String("-")) {
            if (p.command.isEmpty())
                p.command = a;
            else
                p.positional.append(a);
            continue;
        }
        if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            p.help = true;
            continue;
        }
        if (a == QLatin1String("--version")) {
            p.version = true;
            continue;
        }
        const qsizetype eq = a.indexOf('=');
        const QString name = eq < 0 ? a : a.left(eq);
        if (kValueOptions.contains(name)) {
            QString value;
            if (eq >= 0) {
                value = a.mid(eq + 1);
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            } else {
                p.error = QStringLiteral("%1 needs a value").arg(name);
                return p;
            }
            (name == kValueOptions[0] ? p.dataRoot : name == kValueOptions[1] ? p.company : p.locale) = value;
            continue;
        }
        p.flags.append(a);
    }
    return p;
}

const Command* findCommand(const QString& name)
{
    for (const Command& c : Commands())
        if (c.name == name)
            return &c;
    return nullptr;
}

QString commandHelp(const Command& c)
{
    return QStringLiteral("Usage: %1\n\n%2\n\nCOMPANY and the options --data-root, --company and --locale: see %3 --help.\n")
        .arg(c.usage(), c.help, kProgram);
}

RegionalSettings neutralFormats() { return RegionalSettings::pointLocale(); }

} // namespace

// -------------------------------------------------------------------------------------------------

const std::vector<Command>& Commands()
{
    // name, operands, own options, summary, help, function
    static const std::vector<Command> commands = {
        {"check", {kCompany}, {"--json"}, "report every fault of the company's data files", kCheckHelp, RunCheck},
        {"recalculate", {kCompany}, {"--dry-run"}, "run the order and raw-material stock calculations on the files",
         kRecalculateHelp, RunRecalculate},
        {"export", {kCompany, "OUTDIR"}, {}, "write one CSV file per data file into OUTDIR", kExportHelp, RunExport},
        {"import", {"CSVDIR", kCompany}, {"--dry-run"}, "write the data files from the CSV files of CSVDIR", kImportHelp,
         RunImport},
    };
    return commands;
}

QString Command::usage() const
{
    return QStringLiteral("%1 %2 [options] %3").arg(kProgram, name, operands.join(' '));
}

void Context::error(const QString& message) { m_err << kProgram << ' ' << m_command << ": " << message << '\n'; }

QString ProgramHelp()
{
    QString commands;
    for (const Command& c : Commands())
        commands += QStringLiteral("  %1 %2\n      %3\n").arg(c.name, c.operands.join(' '), c.summary);
    return QStringLiteral(R"(Usage: %1 COMMAND [options] OPERANDS...

The data files of a Quorvale company from the command line, read and written as the program
reads and writes them.

Commands:
%2
COMPANY is the name of a company as the data settings list it (Quorvale.ini in the data root,
[Supliers]), or the path of its folder (anything holding a "/", such as ./Acme), which must be a
listed company of the data root it lies in. A company the settings do not list is refused.

Options of every command:
  --data-root DIR   the data root holding the companies and their settings (default: DataPath of
                    the program's Quorvale.ini, else the program folder)
  --company NAME    the company by name (COMPANY is then left out)
  --locale NAME     numbers and dates in the formats of the locale NAME (pt_PT, de_DE, en_US ...),
                    or "neutral" (a point and dd/mm/yyyy); default: those of the session, or
                    neutral for the sample company the program has not yet converted
  -h, --help        this help; with a command, the command's help
  --version         the program's version

The program folder (Quorvale.ini, Quorvale.LNG) is the folder of this program, or QUORVALE_HOME.

Exit status: 0 done (check: nothing found), 1 found something (check: findings; import: faults
in its CSV files, nothing written), 2 the command could not run (bad command line, missing or
unreadable folder, a company the settings do not list, a damaged file, a failed write).

See "%1 COMMAND --help" for each command.
)")
        .arg(kProgram, commands);
}

Resolution ResolveCompany(const QString& programFolder, const QString& operand, const QString& companyOption,
                          const QString& dataRootOption, const QString& localeOption)
{
    Resolution r;
    Company& c = r.company;
    c.programFolder = WithTrailingSlash(programFolder);
    const IniFile programIni(c.programFolder + Settings::FileName);

    // The data root and the company's name.
    QString name;
    QString givenFolder;
    if (!companyOption.isEmpty()) {
        name = companyOption;
    } else if (isPath(operand)) {
        givenFolder = QDir(operand).absolutePath();
        const QString parent = QFileInfo(givenFolder).absolutePath();
        if (!dataRootOption.isEmpty() && canonical(dataRootOption) != canonical(parent)) {
            r.error = QStringLiteral("the folder %1 is not in the data root %2").arg(native(givenFolder), native(dataRootOption));
            return r;
        }
        name = QFileInfo(givenFolder).fileName();
        c.dataRoot = WithTrailingSlash(parent);
    } else {
        name = operand;
    }
    if (c.dataRoot.isEmpty())
        c.dataRoot = dataRootOption.isEmpty() ? DataRootFolder(programIni, c.programFolder)
                                              : WithTrailingSlash(QDir(dataRootOption).absolutePath());
    if (!QFileInfo(c.dataRoot).isDir()) {
        r.error = QStringLiteral("the data root %1 does not exist").arg(native(c.dataRoot));
        return r;
    }

    // Listed in the data settings.
    const QString dataSettings = c.dataRoot + Settings::FileName;
    const QStringList listed = Companies::ReadList(IniFile(dataSettings));
    for (const QString& entry : listed)
        if (entry.compare(name, Qt::CaseInsensitive) == 0 && c.name.isEmpty())
            c.name = entry;
    if (c.name.isEmpty() || !Companies::NameProblem(c.name).isEmpty()) {
        r.error = QStringLiteral("'%1' is not a company of %2 (%3)")
                      .arg(name, native(dataSettings),
                           listed.isEmpty() ? QStringLiteral("it lists none")
                                            : QStringLiteral("it lists: ") + listed.join(QStringLiteral(", ")));
        return r;
    }
    c.folder = WithTrailingSlash(c.dataRoot + c.name);
    if (!givenFolder.isEmpty() && canonical(givenFolder) != canonical(c.folder)) {
        r.error = QStringLiteral("the folder %1 is not the folder of the company '%2' (%3)")
                      .arg(native(givenFolder), c.name, native(c.folder));
        return r;
    }
    const QFileInfo folder(c.folder);
    if (!folder.isDir()) {
        r.error = QStringLiteral("the folder %1 of the company '%2' does not exist").arg(native(c.folder), c.name);
        return r;
    }
    if (!folder.isReadable() || !folder.isExecutable()) {
        r.error = QStringLiteral("the folder %1 of the company '%2' cannot be read").arg(native(c.folder), c.name);
        return r;
    }

    // The regional formats its files are written in.
    const bool unconvertedSample = canonical(c.folder) == canonical(c.programFolder + QStringLiteral("Test_database"))
                                   && !programIni.ReadBool(Settings::Options, QStringLiteral("NeutralFormat"), false);
    if (localeOption == QLatin1String("neutral")) {
        c.formats = neutralFormats();
        c.formatsOrigin = QStringLiteral("neutral formats");
    } else if (!localeOption.isEmpty()) {
        const QLocale locale(localeOption);
        const bool isC = localeOption == QLatin1String("C") || localeOption == QLatin1String("POSIX");
        if (locale.name() == QLatin1String("C") && !isC) {
            r.error = QStringLiteral("unknown locale '%1'").arg(localeOption);
            return r;
        }
        c.formats = RegionalSettings::fromLocale(isC ? QLocale::c() : locale);
        c.formatsOrigin = QStringLiteral("formats of %1").arg(localeOption);
    } else if (unconvertedSample) {
        c.formats = neutralFormats();
        c.formatsOrigin = QStringLiteral("neutral formats: the program has not converted the sample yet");
    } else {
        c.formats = RegionalSettings::fromSystem();
        c.formatsOrigin = QStringLiteral("formats of the session");
    }
    c.formatsOrigin += QStringLiteral(": decimal separator '%1', dates %2")
                           .arg(c.formats.decimalSeparator)
                           .arg(c.formats.shortDatePattern);
    return r;
}

int Run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const Parsed p = parse(arguments);
    const auto usageError = [&](const QString& message, const Command* command) {
        const QString who = command ? kProgram + QStringLiteral(" ") + command->name : kProgram;
        err << who << ": " << message << '\n' << "See \"" << who << " --help\".\n";
        return int(Failed);
    };
    if (!p.error.isEmpty())
        return usageError(p.error, nullptr);
    if (p.version) {
        out << kProgram << ' ' << ProgramVersionText() << '\n';
        return Done;
    }
    QString commandName = p.command;
    QStringList positional = p.positional;
    bool help = p.help;
    if (commandName == QLatin1String("help")) {
        help = true;
        commandName = positional.value(0);
        positional.clear();
    }
    if (commandName.isEmpty()) {
        if (help) {
            out << ProgramHelp();
            return Done;
        }
        err << ProgramHelp();
        return Failed;
    }
    const Command* command = findCommand(commandName);
    if (!command)
        return usageError(QStringLiteral("unknown command '%1'").arg(commandName), nullptr);
    if (help) {
        out << commandHelp(*command);
        return Done;
    }
    for (const QString& flag : p.flags)
        if (!command->flags.contains(flag))
            return usageError(QStringLiteral("unknown option '%1'").arg(flag), command);

    // The operands: COMPANY is left out when --company names it.
    QStringList expected = command->operands;
    const bool companyByOption = !p.company.isEmpty();
    if (companyByOption)
        expected.removeAll(kCompany);
    if (positional.size() != expected.size())
        return usageError(QStringLiteral("expects %1, got %2 operand(s)").arg(expected.join(' ')).arg(positional.size()),
                          command);
    QString companyOperand;
    QStringList others;
    for (int i = 0; i < expected.size(); ++i) {
        if (expected[i] == kCompany)
            companyOperand = positional[i];
        else
            others.append(positional[i]);
    }
    if (companyOperand.isEmpty() && !companyByOption && command->operands.contains(kCompany))
        return usageError(QStringLiteral("no company given"), command);

    ProgramStateScope scope;
    Resolution resolved;
    if (command->operands.contains(kCompany)) {
        resolved = ResolveCompany(findProgramFolder(), companyOperand, p.company, p.dataRoot, p.locale);
        if (!resolved.error.isEmpty()) {
            err << kProgram << ' ' << command->name << ": " << resolved.error << '\n';
            return Failed;
        }
        // The program's state as when the company is opened in the program: its folders, settings
        // files, language (the production-order client text) and regional formats.
        const Company& c = resolved.company;
        ProgramFolder = c.programFolder;
        ProgramIni = std::make_unique<IniFile>(c.programFolder + Settings::FileName);
        DataIni = std::make_unique<IniFile>(c.dataRoot + Settings::FileName);
        DatabaseFolder = c.folder;
        CurrentCompany = c.name;
        ReadCompanySettings(*ProgramIni, *DataIni, c.name);
        OpenLanguage(ProgramIni->ReadString(Settings::Options, QStringLiteral("Language"), QStringLiteral("English")),
                     nullptr);
        RegionalSettings::setCurrent(c.formats);
    }
    Context context(command->name, resolved.company, others, p.flags, out, err);
    try {
        return command->run(context);
    } catch (const StoreError& e) {
        return context.fail(e.message());
    } catch (const ConversionError& e) {
        return context.fail(e.message());
    }
}

} // namespace DataCommands
