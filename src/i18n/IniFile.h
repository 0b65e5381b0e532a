#pragma once

#include <QString>
#include <QStringList>
#include <memory>

// A settings file with the desktop's private-profile rules: [section] and key=value lines; section
// and key names match in any letter case; blanks around a value are dropped and a value enclosed in
// matching single or double quotes loses them; text is Windows-1252; CR LF and LF both read. Every
// write goes to disk at once (through a temporary file and a rename) and keeps every line it does
// not touch as it was. All IniFile objects on one path share one view of the file, and a change
// made by another program is picked up at the next read. A missing file reads as empty and is
// created by the first write; a write that fails throws StoreError with the system's text.
class IniFile {
public:
    explicit IniFile(const QString& path);
    ~IniFile();
    IniFile(const IniFile&) = default;
    IniFile& operator=(const IniFile&) = default;

    QString FileName() const;

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // Decimal text; a value that is not a number gives the default.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    // True for any non-zero integer.
    bool ReadBool(const QString& section, const QString& key, bool def) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value); // "1" or "0"

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    QStringList ReadSection(const QString& section) const; // key names in file order
    QStringList ReadSections() const;
    void DeleteKey(const QString& section, const QString& key);
    void EraseSection(const QString& section);

    struct Data;

private:
    std::shared_ptr<Data> d;
};
