#pragma once

#include "accessories/ChmFile.h"

#include <QHash>
#include <QTextBrowser>
#include <QWidget>
#include <memory>

class QLabel;
class QLineEdit;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

// The page of the help viewer: shows the topics of a compiled help file, with their pictures and
// style sheet read from the file; links to other topics stay inside the file, mail and web links go
// to the desktop.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);
    void setHelpFile(const ChmFile* chm) { m_chm = chm; }
    QVariant loadResource(int type, const QUrl& name) override;

    // The help-file URL of a path inside the file ("/products.html" -> "chm:/products.html").
    static QUrl UrlOf(const QString& path);

private:
    void followLink(const QUrl& link);
    const ChmFile* m_chm = nullptr;
};

// The help viewer: a window with the contents tree and the keyword index of Quorvale.chm on the
// left, the topic on the right, and back and forward through the topics seen.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);
    ~HelpViewer() override;

    // Opens the help file; false (and nothing shown) when it is missing or not a help file.
    bool openFile(const QString& path);
    QString fileName() const { return m_path; }
    const ChmFile* helpFile() const { return m_chm.get(); }

    void showContents();
    void showIndex();
    // The topic of a help context number; false (the first topic and a note) when it has none.
    // Context 0 (a window without a topic) shows the contents.
    bool showContext(int context);
    // A topic by its path inside the file ("/products.html").
    void showTopic(const QString& path);

    QString currentTopic() const;
    QString currentTitle() const;
    HelpBrowser* browser() const { return m_browser; }
    QTreeWidget* contentsTree() const { return m_contents; }
    QTreeWidget* indexList() const { return m_index; }

    // Texts of the window, from the language file.
    void ApplyFormLanguage();

    // The viewer of the program: one window, shown over the owner (the active window), which it
    // follows when another window asks for help. Null when the file cannot be opened; the user was
    // told "Help file not found".
    static HelpViewer* Open(const QString& path, QWidget* owner);
    static HelpViewer* Current();

protected:
    // A new language shows on the open viewer at once.
    void changeEvent(QEvent* event) override;

private:
    void fillContents();
    void fillIndex();
    void findKeyword(const QString& text);
    void openItem(QTreeWidgetItem* item);
    void topicShown(const QUrl& url);

    QString m_path;
    std::unique_ptr<ChmFile> m_chm;
    QTabWidget* m_tabs;
    QTreeWidget* m_contents;
    QWidget* m_indexPage;
    QLabel* m_indexLabel;
    QLineEdit* m_keyword;
    QTreeWidget* m_index;
    HelpBrowser* m_browser;
    QToolButton* m_back;
    QToolButton* m_forward;
    QToolButton* m_home;
    QLabel* m_note;
    QHash<QString, QTreeWidgetItem*> m_contentsItems;
};
