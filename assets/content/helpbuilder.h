#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace kinetra::content {

/// One page of the help, read from a source file of assets/help: its first lines are
/// "<!-- title: ... -->" and "<!-- keywords: one; two; ... -->", the rest is its HTML body.
struct HelpPage
{
    QString anchor; ///< from the file name without its number: 20-fileopen.html gives fileopen
    QString title;
    QStringList keywords;
    QString body;
};

/// Reads one page source; returns false with `error` set when it lacks a title.
bool readHelpPage(const QString &path, HelpPage &page, QString &error);

/// The help file: a contents page, every page in order, and the keyword index (every keyword
/// and page title, sorted) between <!-- keywords --> and <!-- /keywords -->. A keyword that
/// several pages carry is listed once for each, followed by the page's title in brackets.
QString buildHelp(const std::vector<HelpPage> &pages);

} // namespace kinetra::content
