#include "windows/frmdir.h"

#include "model/playfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>
#include <QTreeView>

namespace kinetra {

namespace {

bool isWithin(const QString &path, const QString &folder)
{
    return path == folder || path.startsWith(folder.endsWith('/') ? folder : folder + '/');
}

} // namespace

/// The folder tree as a folder list shows it: the folders from the root down to the one shown,
/// its subfolders and those beside it, but not what lies beside each folder higher up, which
/// would push the folder shown out of sight under the root's long list.
class FolderChain : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setShown(const QString &folder)
    {
        m_shown = folder;
        m_parent = QFileInfo(folder).path();
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override
    {
        const auto *folders = static_cast<const QFileSystemModel *>(sourceModel());
        const QString path = folders->filePath(folders->index(row, 0, parent));
        const QString above = parent.isValid() ? folders->filePath(parent) : QString();
        return isWithin(m_shown, path) || above == m_shown || above == m_parent;
    }

private:
    QString m_shown;
    QString m_parent;
};

frmdir::frmdir(const QString &startFolder, QWidget *parent)
    : QDialog(parent)
{
    setObjectName("frmdir");
    setWindowTitle("Kinetra Play Directory");
    setModal(true);

    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folders->setRootPath("/");
    m_chain = new FolderChain(this);
    m_chain->setSourceModel(m_folders);
    Dir1 = new QTreeView(this);
    Dir1->setObjectName("Dir1");
    Dir1->setModel(m_chain);
    for (int c = 1; c < m_chain->columnCount(); ++c)
        Dir1->hideColumn(c);
    Dir1->header()->hide();
    Dir1->setMinimumWidth(200);

    lblCopy = new QLabel("Play Files", this);
    lblCopy->setObjectName("lblCopy");
    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setMinimumWidth(340);
    lblCopy->setBuddy(List1);

    CmdOpen = new QPushButton("&Open", this);
    CmdOpen->setObjectName("CmdOpen");
    CmdOpen->setDefault(true);
    CmdCan = new QPushButton("&Cancel", this);
    CmdCan->setObjectName("CmdCan");

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CmdOpen);
    buttons->addWidget(CmdCan);
    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel("Folders", this), 0, 0);
    layout->addWidget(lblCopy, 0, 1);
    layout->addWidget(Dir1, 1, 0);
    layout->addWidget(List1, 1, 1);
    layout->addLayout(buttons, 2, 0, 1, 2);
    layout->setColumnStretch(1, 2);
    layout->setColumnStretch(0, 1);
    resize(640, 380);

    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &index) {
                if (index.isValid())
                    setFolder(m_folders->filePath(m_chain->mapToSource(index)));
            });
    // The tree fills in the background; show the folder once its branch is there.
    connect(m_folders, &QFileSystemModel::directoryLoaded, this,
            [this] { Dir1->scrollTo(Dir1->currentIndex()); });
    connect(List1, &QListWidget::itemClicked, this, &frmdir::List1_Click);
    // A double-click chooses the play, as Open does.
    connect(List1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        List1->setCurrentItem(item);
        item->setSelected(true);
        CmdOpen_Click();
    });
    connect(CmdOpen, &QPushButton::clicked, this, &frmdir::CmdOpen_Click);
    connect(CmdCan, &QPushButton::clicked, this, &frmdir::CmdCan_Click);

    Form_Load(startFolder);
}

QString frmdir::startFolder(const QString &programDir)
{
    const QString plays = QDir(programDir).filePath("Plays");
    return QFileInfo(plays).isDir() ? plays : QDir::currentPath();
}

void frmdir::Form_Load(const QString &startFolder)
{
    if (QWidget *owner = parentWidget())
        move(owner->frameGeometry().topLeft());
    setFolder(startFolder);
    // The arrow keys pick a play at once; Enter opens it through the default button.
    List1->setFocus();
}

void frmdir::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Only now has the tree its size: the folder shown stands in view from the first paint,
    // not the file system's root above it.
    Dir1->scrollTo(Dir1->currentIndex(), QAbstractItemView::PositionAtCenter);
}

void frmdir::setFolder(const QString &folder)
{
    const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    m_folder = path;
    m_chain->setShown(path);
    const QModelIndex index = m_chain->mapFromSource(m_folders->index(path));
    if (index.isValid() && Dir1->currentIndex() != index) {
        const QSignalBlocker quiet(Dir1->selectionModel());
        Dir1->setCurrentIndex(index);
    }
    Dir1->expand(index);
    Dir1->scrollTo(index);
    Dir1_Change();
}

QString frmdir::entryText(const QString &folder, const QString &fileName)
{
    // Only the header is read: a folder of many large plays still lists at once.
    PlayFileHeader header;
    readPlayHeaderFile(QFile::encodeName(QDir(folder).filePath(fileName)).toStdString(), header);
    return fileName + " : " + QString::fromStdString(header.title) + " : "
           + QString::fromStdString(header.date);
}

void frmdir::Dir1_Change()
{
    QDir dir(m_folder);
    dir.setNameFilters({"*.ktr"}); // matches any case
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    File1 = dir.entryList();
    List1->clear();
    for (const QString &name : File1)
        List1->addItem(entryText(m_folder, name));
    // The first play is chosen at once, so Enter (the default button) opens it.
    if (List1->count() > 0)
        List1->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
}

void frmdir::List1_Click()
{
    // The list allows one selected entry; nothing more to do here than keep it so.
    const QList<QListWidgetItem *> selected = List1->selectedItems();
    for (int i = 1; i < selected.size(); ++i)
        selected[i]->setSelected(false);
}

void frmdir::CmdOpen_Click()
{
    m_chosen.clear();
    for (int i = 0; i < List1->count() && i < File1.size(); ++i)
        if (List1->item(i)->isSelected())
            m_chosen = QDir(m_folder).filePath(File1.at(i));
    m_chosen.isEmpty() ? reject() : accept();
}

void frmdir::CmdCan_Click()
{
    m_chosen.clear();
    reject();
}

} // namespace kinetra
