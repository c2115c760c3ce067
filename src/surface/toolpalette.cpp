#include "surface/toolpalette.h"

#include <QTabBar>

namespace kinetra {

ToolPalette::ToolPalette(QWidget *parent)
    : QObject(parent)
{
    tbsPicList = new QTabBar(parent);
    tbsPicList->setObjectName("tbsPicList");
    tbsPicList->setExpanding(false);
    tbsPicList->setDrawBase(true);
    static const char *const captions[4] = {"Player", "Symbol", "Action", "Chalk"};
    static const char *const hints[4] = {
        "Drag and drop players onto field.",
        "Drag and drop symbols and text onto field",
        "Select Action type and draw with mouse on field.",
        "Select Action type and draw with mouse on field.",
    };
    for (int i = 0; i < 4; ++i) {
        tbsPicList->addTab(captions[i]);
        QWidget *page = new QWidget(parent);
        page->setObjectName(QString("PicList%1").arg(i));
        page->setToolTip(hints[i]);
        page->setAutoFillBackground(true);
        page->setVisible(i == 0);
        PicList[size_t(i)] = page;
    }
    connect(tbsPicList, &QTabBar::currentChanged, this, [this] { tbsPicList_Click(); });
}

int ToolPalette::currentPage() const
{
    return tbsPicList->currentIndex();
}

void ToolPalette::tbsPicList_Click()
{
    const int page = currentPage();
    for (int i = 0; i < 4; ++i)
        PicList[size_t(i)]->setVisible(i == page);
    emit pageChanged(page);
}

} // namespace kinetra
