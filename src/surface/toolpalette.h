#pragma once

#include <QWidget>

#include <array>

class QTabBar;

namespace kinetra {

/// The palette beside the surface: the tab strip `tbsPicList` and its four pages `PicList`
/// (players, symbols and text, action lines, chalk). The page shown follows the selected tab.
class ToolPalette : public QObject
{
    Q_OBJECT

public:
    enum Page { PlayerPage = 0, SymbolPage = 1, ActionPage = 2, ChalkPage = 3 };

    /// Creates the tab strip and the pages as children of `parent`; the main window places them.
    explicit ToolPalette(QWidget *parent);

    QTabBar *tbsPicList = nullptr;
    std::array<QWidget *, 4> PicList{};

    int currentPage() const;

signals:
    /// The user chose another page (the mouse mode follows the page).
    void pageChanged(int page);

private:
    void tbsPicList_Click();
};

} // namespace kinetra
