#include "windows/frmhelp.h"

#include "model/runtimeerror.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QUrl>
#include <QVBoxLayout>

namespace kinetra {

frmHelp::frmHelp(QWidget *owner)
    : QWidget(owner, Qt::Window)
{
    setObjectName("frmHelp");
    setWindowTitle("Kinetra Help");

    CmdContents = new QPushButton("&Contents", this);
    CmdContents->setObjectName("CmdContents");
    CmdBack = new QPushButton("&Back", this);
    CmdBack->setObjectName("CmdBack");
    CmdBack->setEnabled(false);

    auto *searchLabel = new QLabel("&Type the first letters of the word you are looking for:", this);
    searchLabel->setWordWrap(true);
    TxtSearch = new QLineEdit(this);
    TxtSearch->setObjectName("TxtSearch");
    TxtSearch->setClearButtonEnabled(true);
    searchLabel->setBuddy(TxtSearch);
    LstKeywords = new QListWidget(this);
    LstKeywords->setObjectName("LstKeywords");
    CmdDisplay = new QPushButton("&Display", this);
    CmdDisplay->setObjectName("CmdDisplay");

    auto *indexPane = new QWidget(this);
    auto *indexLayout = new QVBoxLayout(indexPane);
    indexLayout->setContentsMargins(0, 0, 0, 0);
    indexLayout->addWidget(searchLabel);
    indexLayout->addWidget(TxtSearch);
    indexLayout->addWidget(LstKeywords, 1);
    indexLayout->addWidget(CmdDisplay);

    txtPage = new QTextBrowser(this);
    txtPage->setObjectName("txtPage");
    txtPage->setOpenLinks(false);

    auto *splitter = new QSplitter(this);
    splitter->addWidget(indexPane);
    splitter->addWidget(txtPage);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({200, 520});

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(CmdContents);
    buttons->addWidget(CmdBack);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);
    resize(760, 540);

    connect(CmdContents, &QPushButton::clicked, this, [this] { showPage("contents"); });
    connect(CmdBack, &QPushButton::clicked, this, &frmHelp::CmdBack_Click);
    connect(TxtSearch, &QLineEdit::textChanged, this, &frmHelp::TxtSearch_Change);
    // Enter in the search field shows the first keyword left in the list.
    connect(TxtSearch, &QLineEdit::returnPressed, this, &frmHelp::CmdDisplay_Click);
    connect(LstKeywords, &QListWidget::itemActivated, this, &frmHelp::CmdDisplay_Click);
    connect(CmdDisplay, &QPushButton::clicked, this, &frmHelp::CmdDisplay_Click);
    connect(txtPage, &QTextBrowser::anchorClicked, this, &frmHelp::browser_anchorClicked);
}

frmHelp *frmHelp::of(QWidget *owner)
{
    if (owner)
        if (auto *help = owner->findChild<frmHelp *>(QString(), Qt::FindDirectChildrenOnly))
            return help;
    return new frmHelp(owner);
}

std::vector<frmHelp::Keyword> frmHelp::parseKeywords(const QString &html)
{
    std::vector<Keyword> keywords;
    const qsizetype begin = html.indexOf("<!-- keywords -->");
    const qsizetype end = html.indexOf("<!-- /keywords -->");
    if (begin < 0 || end < begin)
        return keywords;
    static const QRegularExpression link(R"re(<a\s+href="#([^"]+)"\s*>(.*?)</a>)re",
                                         QRegularExpression::DotMatchesEverythingOption);
    const QString part = html.mid(begin, end - begin);
    for (auto it = link.globalMatch(part); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString text = QTextDocumentFragment::fromHtml(m.captured(2)).toPlainText().trimmed();
        if (!text.isEmpty())
            keywords.push_back({text, m.captured(1)});
    }
    return keywords;
}

void frmHelp::load(const QString &helpFile)
{
    const QFileInfo info(helpFile);
    if (!info.exists())
        throw RuntimeError(ErrorCode::FileNotFound,
                           "Help file not found: " + helpFile.toStdString());
    QFile in(helpFile);
    if (!info.isFile() || !in.open(QIODevice::ReadOnly))
        throw RuntimeError(ErrorCode::PathFileAccessError,
                           "The help file " + helpFile.toStdString() + " cannot be read.");
    const QString html = QString::fromUtf8(in.readAll());
    if (in.error() != QFile::NoError)
        throw RuntimeError(ErrorCode::DeviceIOError,
                           "The help file " + helpFile.toStdString() + " cannot be read.");
    // Read each time: a help file replaced while the program runs shows its new pages.
    m_file = helpFile;
    m_keywords = parseKeywords(html);
    std::stable_sort(m_keywords.begin(), m_keywords.end(), [](const Keyword &a, const Keyword &b) {
        return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
    });
    txtPage->setHtml(html);
    m_history.clear();
    CmdBack->setEnabled(false);
    m_page.clear();
    TxtSearch_Change();
}

void frmHelp::showContents(const QString &helpFile)
{
    load(helpFile);
    showPage("contents");
    show();
    raise();
    activateWindow();
}

void frmHelp::showIndex(const QString &helpFile, const QString &partialKey)
{
    load(helpFile);
    TxtSearch->setText(partialKey);
    TxtSearch_Change();
    showPage("index");
    show();
    raise();
    activateWindow();
    TxtSearch->setFocus();
}

void frmHelp::showPage(const QString &anchor)
{
    if (!m_page.isEmpty() && m_page != anchor) {
        m_history.append(m_page);
        CmdBack->setEnabled(true);
    }
    m_page = anchor;
    if (anchor == "contents")
        txtPage->verticalScrollBar()->setValue(0);
    else
        txtPage->scrollToAnchor(anchor);
}

void frmHelp::CmdBack_Click()
{
    if (m_history.isEmpty())
        return;
    m_page = m_history.takeLast();
    CmdBack->setEnabled(!m_history.isEmpty());
    txtPage->scrollToAnchor(m_page);
}

void frmHelp::browser_anchorClicked(const QUrl &url)
{
    // Pages are anchors of the one document; the help leads nowhere outside it.
    if (url.hasFragment() && url.path().isEmpty() && url.scheme().isEmpty())
        showPage(url.fragment());
}

QStringList frmHelp::shownKeywords() const
{
    QStringList shown;
    for (int i = 0; i < LstKeywords->count(); ++i)
        shown << LstKeywords->item(i)->text();
    return shown;
}

void frmHelp::TxtSearch_Change()
{
    // A keyword stays when it, or one of its words, begins with what was typed.
    const QString typed = TxtSearch->text().trimmed();
    LstKeywords->clear();
    for (const Keyword &k : m_keywords) {
        bool match = typed.isEmpty() || k.text.startsWith(typed, Qt::CaseInsensitive);
        for (qsizetype at = k.text.indexOf(' '); !match && at >= 0; at = k.text.indexOf(' ', at + 1))
            match = k.text.mid(at + 1).startsWith(typed, Qt::CaseInsensitive);
        if (!match)
            continue;
        auto *item = new QListWidgetItem(k.text, LstKeywords);
        item->setData(Qt::UserRole, k.anchor);
    }
    if (LstKeywords->count() > 0)
        LstKeywords->setCurrentRow(0);
}

void frmHelp::CmdDisplay_Click()
{
    QListWidgetItem *item = LstKeywords->currentItem();
    if (!item && LstKeywords->count() > 0)
        item = LstKeywords->item(0);
    if (item)
        showPage(item->data(Qt::UserRole).toString());
}

} // namespace kinetra
