#include "accessories/HelpViewer.h"

#include "i18n/Language.h"
#include "shell/DesktopServices.h"
#include "shell/MessageBox.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int PathRole = Qt::UserRole;        // the topics of an item (QStringList)
const QString kScheme = QStringLiteral("chm");

QString PathOf(const QUrl& url)
{
    QString path = url.path();
    if (!path.startsWith(QLatin1Char('/')))
        path.prepend(QLatin1Char('/'));
    return path;
}

QPointer<HelpViewer>& currentViewer()
{
    static QPointer<HelpViewer> viewer;
    return viewer;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The page

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("HelpBrowser"));
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::followLink);
}

QUrl HelpBrowser::UrlOf(const QString& path)
{
    QUrl url;
    url.setScheme(kScheme);
    const qsizetype hash = path.indexOf(QLatin1Char('#'));
    url.setPath(hash < 0 ? path : path.left(hash));
    if (hash >= 0)
        url.setFragment(path.mid(hash + 1));
    return url;
}

void HelpBrowser::followLink(const QUrl& link)
{
    QUrl url = link;
    if (url.isRelative())
        url = source().resolved(link);
    if (url.scheme() == kScheme) {
        setSource(url);
        return;
    }
    DesktopServices::instance().openUrl(url.toString());
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    if (!m_chm)
        return {};
    QUrl url = name;
    if (url.isRelative()) {
        const QUrl base(document()->metaInformation(QTextDocument::DocumentUrl));
        url = (base.scheme() == kScheme ? base : source()).resolved(name);
    }
    if (url.scheme() != kScheme && !url.scheme().isEmpty())
        return {};
    const QByteArray data = m_chm->read(PathOf(url));
    if (data.isNull())
        return {};
    if (type == QTextDocument::StyleSheetResource || type == QTextDocument::HtmlResource)
        return QString::fromUtf8(data);
    return data;
}

// ---------------------------------------------------------------------------------------------
// The window

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpViewer"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(6, 4, 6, 4);
    auto button = [&](const char* name, QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        bar->addWidget(b);
        return b;
    };
    m_back = button("Button_HelpBack", QStyle::SP_ArrowBack);
    m_forward = button("Button_HelpForward", QStyle::SP_ArrowForward);
    m_home = button("Button_HelpHome", QStyle::SP_DirHomeIcon);
    bar->addStretch(1);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("TabControl_Help"));
    m_contents = new QTreeWidget(m_tabs);
    m_contents->setObjectName(QStringLiteral("TreeView_HelpContents"));
    m_contents->setHeaderHidden(true);
    m_contents->setUniformRowHeights(true);
    m_tabs->addTab(m_contents, QString());

    m_indexPage = new QWidget(m_tabs);
    auto* indexLayout = new QVBoxLayout(m_indexPage);
    indexLayout->setContentsMargins(4, 6, 4, 4);
    m_indexLabel = new QLabel(m_indexPage);
    m_indexLabel->setWordWrap(true);
    m_keyword = new QLineEdit(m_indexPage);
    m_keyword->setObjectName(QStringLiteral("Edit_HelpKeyword"));
    m_index = new QTreeWidget(m_indexPage);
    m_index->setObjectName(QStringLiteral("ListBox_HelpIndex"));
    m_index->setHeaderHidden(true);
    m_index->setRootIsDecorated(true);
    m_index->setUniformRowHeights(true);
    indexLayout->addWidget(m_indexLabel);
    indexLayout->addWidget(m_keyword);
    indexLayout->addWidget(m_index, 1);
    m_indexLabel->setBuddy(m_keyword);
    m_tabs->addTab(m_indexPage, QString());

    m_browser = new HelpBrowser(this);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("Label_HelpNote"));
    m_note->setWordWrap(true);
    m_note->hide();
    auto* page = new QWidget(this);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(m_note);
    pageLayout->addWidget(m_browser, 1);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_tabs);
    splitter->addWidget(page);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({270, 650});
    splitter->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(splitter, 1);

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_home, &QToolButton::clicked, this, [this] {
        if (m_chm)
            showTopic(m_chm->defaultTopic());
    });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpViewer::topicShown);
    connect(m_contents, &QTreeWidget::itemActivated, this, &HelpViewer::openItem);
    connect(m_contents, &QTreeWidget::itemClicked, this, &HelpViewer::openItem);
    connect(m_index, &QTreeWidget::itemActivated, this, &HelpViewer::openItem);
    connect(m_index, &QTreeWidget::itemClicked, this, &HelpViewer::openItem);
    connect(m_keyword, &QLineEdit::textEdited, this, &HelpViewer::findKeyword);
    connect(m_keyword, &QLineEdit::returnPressed, this, [this] { openItem(m_index->currentItem()); });

    ApplyFormLanguage();
    resize(940, 640);
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::ApplyFormLanguage()
{
    m_tabs->setTabText(0, LangText(QStringLiteral("help_contents"), QStringLiteral("Contents")));
    m_tabs->setTabText(1, LangText(QStringLiteral("help_index"), QStringLiteral("Index")));
    m_indexLabel->setText(LangText(QStringLiteral("help_keyword"), QStringLiteral("Type in the keyword to find:")));
    m_back->setText(LangText(QStringLiteral("help_back"), QStringLiteral("Back")));
    m_forward->setText(LangText(QStringLiteral("help_forward"), QStringLiteral("Forward")));
    m_home->setText(LangText(QStringLiteral("help_home"), QStringLiteral("Home")));
    topicShown(m_browser->source());
}

void HelpViewer::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ApplyFormLanguage();
    QWidget::changeEvent(event);
}

bool HelpViewer::openFile(const QString& path)
{
    auto chm = ChmFile::open(path);
    if (!chm)
        return false;
    m_chm = std::move(chm);
    m_path = path;
    m_browser->setHelpFile(m_chm.get());
    m_browser->clearHistory();
    m_browser->clear();
    fillContents();
    fillIndex();
    return true;
}

namespace {

QTreeWidgetItem* AddEntry(const HelpEntry& entry, QTreeWidgetItem* parent, QTreeWidget* tree,
                          const ChmFile& chm, bool index, QHash<QString, QTreeWidgetItem*>* byPath)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    item->setText(0, entry.name);
    item->setData(0, PathRole, entry.locals);
    // The entry of a topic is its own line rather than the heading above it that leads to it too.
    if (byPath && !entry.locals.isEmpty())
        byPath->insert(entry.locals.first().section(QLatin1Char('#'), 0, 0), item);
    // A keyword of several topics lists them by title below itself.
    if (index && entry.locals.size() > 1) {
        for (const QString& local : entry.locals) {
            auto* topic = new QTreeWidgetItem(item);
            const QString title = TopicTitle(chm.read(local));
            topic->setText(0, title.isEmpty() ? local : title);
            topic->setData(0, PathRole, QStringList{local});
        }
    }
    for (const HelpEntry& child : entry.children)
        AddEntry(child, item, tree, chm, index, byPath);
    return item;
}

} // namespace

void HelpViewer::fillContents()
{
    m_contents->clear();
    m_contentsItems.clear();
    for (const HelpEntry& e : m_chm->contents())
        AddEntry(e, nullptr, m_contents, *m_chm, false, &m_contentsItems);
    m_contents->expandToDepth(0);
}

void HelpViewer::fillIndex()
{
    m_index->clear();
    for (const HelpEntry& e : m_chm->index())
        AddEntry(e, nullptr, m_index, *m_chm, true, nullptr);
}

void HelpViewer::findKeyword(const QString& text)
{
    const QString wanted = text.trimmed();
    if (wanted.isEmpty())
        return;
    for (int i = 0; i < m_index->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_index->topLevelItem(i);
        if (item->text(0).startsWith(wanted, Qt::CaseInsensitive)) {
            m_index->setCurrentItem(item);
            m_index->scrollToItem(item, QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void HelpViewer::openItem(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const QStringList locals = item->data(0, PathRole).toStringList();
    if (locals.size() == 1) {
        showTopic(locals.first());
    } else if (locals.size() > 1 || item->childCount() > 0) {
        item->setExpanded(true);
        if (item->childCount() > 0)
            item->treeWidget()->setCurrentItem(item->child(0));
    }
}

void HelpViewer::showContents()
{
    m_tabs->setCurrentIndex(0);
    if (m_browser->source().isEmpty() && m_chm)
        showTopic(m_chm->defaultTopic());
    m_contents->setFocus();
}

void HelpViewer::showIndex()
{
    m_tabs->setCurrentIndex(1);
    if (m_browser->source().isEmpty() && m_chm)
        showTopic(m_chm->defaultTopic());
    m_keyword->setFocus();
    m_keyword->selectAll();
}

bool HelpViewer::showContext(int context)
{
    if (context == 0) { // a window without a topic of its own
        showContents();
        return true;
    }
    const QString topic = m_chm ? m_chm->topicOfContext(context) : QString();
    if (topic.isEmpty() || !m_chm->contains(topic)) {
        if (m_chm && m_browser->source().isEmpty())
            showTopic(m_chm->defaultTopic());
        m_note->setText(LangText(QStringLiteral("help_nocontext"), QStringLiteral("There is no help topic for help context %1."))
                            .arg(context));
        m_note->show();
        return false;
    }
    m_tabs->setCurrentIndex(0);
    showTopic(topic);
    return true;
}

void HelpViewer::showTopic(const QString& path)
{
    if (path.isEmpty())
        return;
    m_note->hide();
    m_browser->setSource(HelpBrowser::UrlOf(path), QTextDocument::HtmlResource);
}

QString HelpViewer::currentTopic() const { return PathOf(m_browser->source()); }

QString HelpViewer::currentTitle() const { return m_browser->documentTitle(); }

void HelpViewer::topicShown(const QUrl& url)
{
    const QString name = m_chm && !m_chm->title().isEmpty() ? m_chm->title()
                                                            : LangText(QStringLiteral("help_title"), QStringLiteral("Quorvale Help"));
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? name : name + QStringLiteral(" - ") + title);
    if (url.isEmpty())
        return;
    if (QTreeWidgetItem* item = m_contentsItems.value(PathOf(url))) {
        QSignalBlocker block(m_contents);
        m_contents->setCurrentItem(item);
        m_contents->scrollToItem(item);
    }
}

HelpViewer* HelpViewer::Current() { return currentViewer().data(); }

HelpViewer* HelpViewer::Open(const QString& path, QWidget* owner)
{
    QPointer<HelpViewer>& viewer = currentViewer();
    if (owner)
        owner = owner->window();
    // Help asked for from the viewer itself keeps its owner.
    if (viewer && owner == viewer.data())
        owner = viewer->parentWidget() ? viewer->parentWidget()->window() : nullptr;
    if (viewer && viewer->fileName() != path) {
        viewer->close();
        viewer = nullptr;
    }
    if (!viewer) {
        auto* created = new HelpViewer(owner);
        if (!created->openFile(path)) {
            delete created;
            MessageBox::information(LangMsg[29]);
            return nullptr;
        }
        viewer = created;
        if (owner) {
            const QRect area = owner->geometry();
            created->move(area.x() + qMax(0, (area.width() - created->width()) / 2), area.y() + 30);
        }
    } else if (viewer->parentWidget() != owner) {
        // A dialog asking for help owns the viewer while it is open, so the viewer takes input
        // above it; the viewer keeps its place on the screen.
        const QPoint at = viewer->pos();
        viewer->setParent(owner, Qt::Window);
        viewer->move(at);
    }
    viewer->ApplyFormLanguage();
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}
