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
#include <QTreeView>

namespace kinetra {

frmdir::frmdir(const QString &startFolder, QWidget *parent)
    : QDialog(parent)
{
    setObjectName("frmdir");
    setWindowTitle("Kinetra Play Directory");
    setModal(true);

    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folders->setRootPath("/");
    Dir1 = new QTreeView(this);
    Dir1->setObjectName("Dir1");
    Dir1->setModel(m_folders);
    for (int c = 1; c < m_folders->columnCount(); ++c)
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
                    setFolder(m_folders->filePath(index));
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

void frmdir::setFolder(const QString &folder)
{
    const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    m_folder = path;
    const QModelIndex index = m_folders->index(path);
    if (index.isValid() && Dir1->currentIndex() != index) {
        const QSignalBlocker quiet(Dir1->selectionModel());
        Dir1->setCurrentIndex(index);
        Dir1->scrollTo(index);
    }
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
