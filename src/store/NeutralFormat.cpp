#include "store/NeutralFormat.h"

#include "i18n/IniFile.h"
#include "store/Cp1252.h"
#include "store/DateText.h"
#include "store/RecordFile.h"
#include "store/Records.h"
#include "store/RegionalSettings.h"

#include <QDir>
#include <QFileInfo>
#include <vector>

namespace {

struct Field {
    int offset;
    int capacity;
};

struct ConvertedFile {
    const QString* name;
    int recordSize;
    std::vector<Field> numbers;
    std::vector<Field> dates;
};

const std::vector<ConvertedFile>& convertedFiles()
{
    static const std::vector<ConvertedFile> files = {
        {&DataFile::Produtos, 142, {{93, 10}, {110, 5}, {116, 10}}, {}},
        // The price of a raw material and the unit cost a purchase order copies from it are numbers
        // like the others: left with a point, a comma locale could not read them.
        {&DataFile::MateriasPrimas, 105, {{57, 10}}, {}},
        {&DataFile::StockMateria, 85, {{41, 10}, {52, 10}, {63, 10}}, {{74, 10}}},
        {&DataFile::StockProduto, 96, {{52, 10}, {63, 10}, {74, 10}}, {{85, 10}}},
        {&DataFile::EncomProduto, 135, {{83, 10}, {123, 10}}, {{94, 10}, {105, 10}}},
        {&DataFile::EncomMateria, 151, {{88, 10}, {128, 10}, {139, 10}}, {{99, 10}, {110, 10}}},
        {&DataFile::MovimProduto, 77, {{41, 10}}, {{52, 10}, {63, 10}}},
        {&DataFile::MovimMateria, 77, {{41, 10}}, {{52, 10}, {63, 10}}},
        {&DataFile::HorasProducao, 156,
         {{52, 10}, {63, 6}, {114, 6}, {121, 6}, {128, 6}, {135, 6}, {142, 6}, {149, 6}},
         {{70, 10}, {81, 10}}},
        {&DataFile::Equipamentos, 73, {{55, 5}}, {}},
    };
    return files;
}

QString readField(const char* record, const Field& f)
{
    int len = static_cast<unsigned char>(record[f.offset]);
    if (len > f.capacity)
        len = f.capacity;
    return Cp1252::decode(record + f.offset + 1, len);
}

void writeField(char* record, const Field& f, const QString& text)
{
    record[f.offset] = char(Cp1252::encodeInto(text, record + f.offset + 1, f.capacity));
}

bool digitsAt(const QString& s, int from, int count)
{
    if (s.size() < from + count)
        return false;
    for (int i = from; i < from + count; ++i)
        if (s[i].unicode() < '0' || s[i].unicode() > '9')
            return false;
    return true;
}

} // namespace

QByteArray ConvertNeutralFile(const QString& fileName, const QByteArray& contents, QStringList* problems)
{
    const ConvertedFile* converted = nullptr;
    for (const auto& f : convertedFiles())
        if (*f.name == fileName)
            converted = &f;
    if (!converted)
        return contents;
    const QChar dec = RegionalSettings::current().decimalSeparator;
    QByteArray out = contents;
    const qsizetype n = out.size() / converted->recordSize;
    for (qsizetype k = 0; k < n; ++k) {
        char* record = out.data() + k * converted->recordSize;
        for (const Field& f : converted->numbers) {
            QString text = readField(record, f);
            const qsizetype point = text.lastIndexOf('.');
            if (point >= 0) {
                text[point] = dec;
                writeField(record, f, text);
            }
        }
        for (const Field& f : converted->dates) {
            const QString text = readField(record, f);
            if (text.trimmed().isEmpty())
                continue;
            QDate date;
            if (digitsAt(text, 0, 2) && digitsAt(text, 3, 2) && digitsAt(text, 6, 4))
                date = QDate(text.mid(6, 4).toInt(), text.mid(3, 2).toInt(), text.mid(0, 2).toInt());
            if (!date.isValid()) {
                if (problems)
                    problems->append(QStringLiteral("%1, record %2: '%3' is not a valid date")
                                         .arg(fileName).arg(k + 1).arg(text));
                continue;
            }
            writeField(record, f, DateText::DateToStr(date));
        }
    }
    return out;
}

NeutralConversion ConvertNeutralFormat(IniFile& programIni, const QString& sampleFolder)
{
    NeutralConversion result;
    if (programIni.ReadBool("Options", "NeutralFormat", false))
        return result;
    result.ran = true;
    // The flag must be writable before anything is converted: files converted without the flag
    // would be converted a second time at the next start.
    programIni.WriteBool("Options", "NeutralFormat", false);
    const QString folder = sampleFolder.endsWith('/') ? sampleFolder : sampleFolder + '/';
    // Everything is converted in memory before anything is written.
    std::vector<std::pair<QString, QByteArray>> converted;
    for (const auto& f : convertedFiles()) {
        const QString path = folder + *f.name;
        if (!QFileInfo::exists(path))
            continue;
        converted.emplace_back(path, ConvertNeutralFile(*f.name, ReadFileContents(path), &result.problems));
    }
    // All files are written before the first one replaces its original, so a failure of the file
    // system leaves the sample as it was.
    ReplaceFilesContents(converted);
    programIni.WriteBool("Options", "NeutralFormat", true);
    return result;
}
