#pragma once

#include <QDialog>
#include <QStringList>

class QFileSystemModel;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTreeView;

namespace kinetra {

class FolderChain;

/// The "Kinetra Play Directory": lists the play files of a folder by file name, play title
/// and date (read from each file's header line only) so a play can be picked by its title.
/// Modal; its result is the chosen play's full path, empty when nothing was chosen.
/// A folder tree stands in for the drive and folder lists.
class frmdir : public QDialog
{
    Q_OBJECT

public:
    /// Opens at `startFolder` (see startFolder()), placed at the owner's top-left corner.
    explicit frmdir(const QString &startFolder, QWidget *parent = nullptr);

    /// Where the window starts: the "Plays" folder inside the program folder, or the current
    /// folder when there is none.
    static QString startFolder(const QString &programDir);

    /// The folder shown; setting it rebuilds the list.
    QString folder() const { return m_folder; }
    void setFolder(const QString &folder);

    /// The text of one entry: file name, title and date from the file's header line; a header
    /// that cannot be read whole gives the items that could be read and empty ones after them.
    static QString entryText(const QString &folder, const QString &fileName);

    /// The play chosen by "&Open" (full path); empty after "&Cancel" or with nothing selected.
    QString chosenFile() const { return m_chosen; }

    /// The play files of the folder, in the order of the list's entries.
    QStringList File1;

    QTreeView *Dir1 = nullptr;
    QLabel *lblCopy = nullptr;
    QListWidget *List1 = nullptr;
    QPushButton *CmdOpen = nullptr;
    QPushButton *CmdCan = nullptr;

    void Dir1_Change();
    void List1_Click();
    void CmdOpen_Click();
    void CmdCan_Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load(const QString &startFolder);

    QFileSystemModel *m_folders = nullptr;
    FolderChain *m_chain = nullptr;
    QString m_folder;
    QString m_chosen;
};

} // namespace kinetra
