#include "helpbuilder.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace kinetra::content {

bool readHelpPage(const QString &path, HelpPage &page, QString &error)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        error = path + ": cannot be read";
        return false;
    }
    const QString text = QString::fromUtf8(in.readAll());
    static const QRegularExpression title(R"(<!--\s*title:\s*(.*?)\s*-->)");
    static const QRegularExpression keywords(R"(<!--\s*keywords:\s*(.*?)\s*-->)");
    const QRegularExpressionMatch t = title.match(text);
    if (!t.hasMatch()) {
        error = path + ": no title line";
        return false;
    }
    page.title = t.captured(1);
    page.keywords.clear();
    const QRegularExpressionMatch k = keywords.match(text);
    if (k.hasMatch())
        for (const QString &word : k.captured(1).split(';', Qt::SkipEmptyParts))
            if (!word.trimmed().isEmpty())
                page.keywords << word.trimmed();
    QString body = text;
    body.remove(title).remove(keywords);
    page.body = body.trimmed();
    page.anchor = QFileInfo(path).completeBaseName().section('-', 1);
    return true;
}

QString buildHelp(const std::vector<HelpPage> &pages)
{
    QString html;
    html += "<html><head><meta charset=\"utf-8\"><title>Kinetra Help</title></head><body>\n";
    html += "<a name=\"contents\"></a><h1>Kinetra Help</h1>\n";
    html += "<p>Kinetra is a playbook for baseball and softball coaches. Choose a page, or use "
            "<a href=\"#index\">the keyword index</a>.</p>\n<ul>\n";
    for (const HelpPage &p : pages)
        html += QString("<li><a href=\"#%1\">%2</a></li>\n").arg(p.anchor, p.title);
    html += "<li><a href=\"#index\">Keyword Index</a></li>\n</ul>\n";

    for (const HelpPage &p : pages) {
        html += QString("<hr>\n<a name=\"%1\"></a><h2>%2</h2>\n").arg(p.anchor, p.title);
        html += p.body + "\n";
        html += "<p><a href=\"#contents\">Contents</a> | <a href=\"#index\">Index</a></p>\n";
    }

    struct Entry
    {
        QString text;
        QString anchor;
    };
    std::vector<Entry> entries;
    QMap<QString, int> pagesOf; // how many pages carry a keyword, by its lower-case text
    for (const HelpPage &p : pages) {
        QSet<QString> own{p.title.toLower()};
        for (const QString &k : p.keywords)
            own.insert(k.toLower());
        for (const QString &k : own)
            ++pagesOf[k];
    }
    // A keyword several pages carry says which page each of its entries leads to.
    for (const HelpPage &p : pages) {
        QSet<QString> seen;
        for (const QString &k : QStringList{p.title} + p.keywords) {
            if (seen.contains(k.toLower()))
                continue;
            seen.insert(k.toLower());
            entries.push_back({pagesOf[k.toLower()] > 1 ? QString("%1 (%2)").arg(k, p.title) : k,
                               p.anchor});
        }
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
    });
    html += "<hr>\n<a name=\"index\"></a><h2>Keyword Index</h2>\n<ul>\n<!-- keywords -->\n";
    for (const Entry &e : entries)
        html += QString("<li><a href=\"#%1\">%2</a></li>\n").arg(e.anchor, e.text);
    html += "<!-- /keywords -->\n</ul>\n</body></html>\n";
    return html;
}

} // namespace kinetra::content
