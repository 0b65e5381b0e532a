#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

// One entry of a help file's contents tree or keyword index: the text shown, the topics it leads
// to (paths inside the help file, such as "/stock_raw.html#detail"), and the entries below it.
struct HelpEntry {
    QString name;
    QStringList locals;
    QList<HelpEntry> children;
};

// Reads the contents tree or the keyword index of a compiled help file: nested lists of
// <object type="text/sitemap"> blocks with "Name" and "Local" parameters. Paths are made absolute
// inside the file (a leading "/").
QList<HelpEntry> ParseSitemap(const QByteArray& html);

// The title of a topic: the text of its <title> element, entities decoded, blanks collapsed.
QString TopicTitle(const QByteArray& html);

// The context map of the help file: lines "number=topic path"; other lines are ignored.
QHash<int, QString> ParseContextMap(const QByteArray& text);

// A compiled help file (Quorvale.chm) opened for reading: its files, its contents tree, its
// keyword index, its default topic and the topic of each help context number.
class ChmFile {
public:
    ~ChmFile();
    ChmFile(const ChmFile&) = delete;
    ChmFile& operator=(const ChmFile&) = delete;

    // Null when the file cannot be opened as a compiled help file.
    static std::unique_ptr<ChmFile> open(const QString& path);

    // The bytes of a file inside the help file ("/products.html"); null when there is none.
    QByteArray read(const QString& path) const;
    bool contains(const QString& path) const;

    QString title() const { return m_title; }
    QString defaultTopic() const { return m_defaultTopic; }
    const QList<HelpEntry>& contents() const { return m_contents; }
    const QList<HelpEntry>& index() const { return m_index; }
    // The topic of a help context number; empty when the number has none.
    QString topicOfContext(int context) const { return m_contexts.value(context); }
    const QHash<int, QString>& contexts() const { return m_contexts; }

    // The name of the file with the context map that the build puts into the help file.
    static constexpr const char* ContextMapName = "/context.map";

private:
    ChmFile() = default;
    void readSystemFile();

    struct Handle;
    Handle* m_handle = nullptr;
    QString m_title;
    QString m_defaultTopic;
    QString m_contentsFile;
    QString m_indexFile;
    QList<HelpEntry> m_contents;
    QList<HelpEntry> m_index;
    QHash<int, QString> m_contexts;
};
