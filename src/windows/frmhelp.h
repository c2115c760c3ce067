#pragma once

#include <QStringList>
#include <QWidget>

#include <vector>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTextBrowser;

namespace kinetra {

/// The program's help viewer: shows the help file KTR.hlp, our own HTML with a contents page,
/// a page per command and window, and a keyword index. One window, owned by the main window.
///
/// The help file's pages are anchors in one document: "contents" is the contents page and
/// "index" the keyword index, whose entries stand between the comments <!-- keywords --> and
/// <!-- /keywords --> as links <a href="#page">keyword</a>.
class frmHelp : public QWidget
{
    Q_OBJECT

public:
    explicit frmHelp(QWidget *owner = nullptr);

    /// Shows the help file at its contents page. Throws a RuntimeError whose description
    /// names the failure when the file is missing or cannot be read; the window then keeps
    /// what it showed.
    void showContents(const QString &helpFile);
    /// Shows the keyword index with `partialKey` in its search field (the list narrowed to
    /// it); failures as showContents.
    void showIndex(const QString &helpFile, const QString &partialKey);

    /// The help window of `owner`, made on first use.
    static frmHelp *of(QWidget *owner);

    /// One keyword of the index and the page it leads to.
    struct Keyword
    {
        QString text;
        QString anchor;
    };
    /// The index entries of a help file's text, in file order.
    static std::vector<Keyword> parseKeywords(const QString &html);

    /// Shows the page at `anchor` ("contents", "index", or a page's name).
    void showPage(const QString &anchor);
    /// The page shown last.
    QString currentPage() const { return m_page; }
    /// The keywords the list shows, in order.
    QStringList shownKeywords() const;

    QTextBrowser *txtPage = nullptr;
    QLineEdit *TxtSearch = nullptr;
    QListWidget *LstKeywords = nullptr;
    QPushButton *CmdDisplay = nullptr;
    QPushButton *CmdContents = nullptr;
    QPushButton *CmdBack = nullptr;

private:
    void load(const QString &helpFile);
    void TxtSearch_Change();
    void CmdDisplay_Click();
    void CmdBack_Click();
    void browser_anchorClicked(const QUrl &url);

    QString m_file;
    QString m_page;
    QStringList m_history;
    std::vector<Keyword> m_keywords;
};

} // namespace kinetra
