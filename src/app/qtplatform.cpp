#include "app/qtplatform.h"

#include "windows/frmhelp.h"

#include <QApplication>
#include <QBoxLayout>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>

#include <chrono>

namespace kinetra {

QString qtFileFilter(const QString &filter)
{
    // Pairs of "shown text|pattern": Qt shows the text, which already names the pattern.
    const QStringList parts = filter.split('|');
    QStringList shown;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString text = parts[i];
        if (!text.contains('('))
            text += " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
        shown << text;
    }
    return shown.join(";;");
}

Platform::Answer QtPlatform::messageBox(const QString &text, const QString &title,
                                        Buttons buttons, Icon icon)
{
    QMessageBox box(dialogParent());
    box.setText(text);
    box.setWindowTitle(title);
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    }
    switch (buttons) {
    case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    // A pending busy pointer must not hide the pointer over the message.
    const bool busy = m_busy;
    if (busy)
        QApplication::restoreOverrideCursor();
    const int result = box.exec();
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    switch (result) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Ok: return Answer::Ok;
    default: return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

std::optional<QString> QtPlatform::inputBox(const QString &prompt, const QString &title,
                                            const QString &defaultText,
                                            std::optional<QPoint> position)
{
    QInputDialog dialog(dialogParent());
    dialog.setLabelText(prompt);
    dialog.setWindowTitle(title);
    dialog.setTextValue(defaultText);
    if (position)
        dialog.move(*position);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtPlatform::openFileName(const FileDialog &d)
{
    QFileDialog dialog(dialogParent(), d.title, d.startFolder, qtFileFilter(d.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(d.folder      ? QFileDialog::Directory
                       : d.mustExist ? QFileDialog::ExistingFile
                                     : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::ShowDirsOnly, d.folder);
    if (!d.proposedName.isEmpty())
        dialog.selectFile(d.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

namespace {

// The one extension a filter pattern names: "gif" for "*.gif", nothing for "*.*" or "*.a;*.b".
QString patternSuffix(const QString &pattern)
{
    static const QRegularExpression single(QStringLiteral("^\\*\\.([A-Za-z0-9]+)$"));
    return single.match(pattern.trimmed()).captured(1);
}

// A save dialog that adds the extension of the filter chosen in it, not always the first
// one's. QFileDialog adds its default suffix whenever the name is read, so setting it on
// accepting lets the question about replacing name the file that will be written.
class SaveDialog : public QFileDialog
{
public:
    SaveDialog(QWidget *parent, const Platform::FileDialog &d)
        : QFileDialog(parent, d.title, d.startFolder, qtFileFilter(d.filter)), m_request(d)
    {
    }
    int chosenFilter() const
    {
        return int(qtFileFilter(m_request.filter).split(";;").indexOf(selectedNameFilter()));
    }
    void followChosenFilter()
    {
        if (m_request.defaultSuffix.isEmpty())
            return;
        const QStringList pairs = m_request.filter.split('|');
        const int chosen = chosenFilter();
        const QString suffix = chosen >= 0 && 2 * chosen + 1 < pairs.size()
                                   ? patternSuffix(pairs[2 * chosen + 1])
                                   : QString();
        setDefaultSuffix(suffix.isEmpty() ? m_request.defaultSuffix : suffix);
    }
    void accept() override
    {
        followChosenFilter();
        QFileDialog::accept();
    }

private:
    const Platform::FileDialog &m_request;
};

} // namespace

std::optional<QString> QtPlatform::saveFileName(const FileDialog &d)
{
    SaveDialog dialog(dialogParent(), d);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !d.confirmReplace);
    dialog.setDefaultSuffix(d.defaultSuffix);
    if (!d.proposedName.isEmpty())
        dialog.selectFile(d.proposedName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    // A desktop's own dialog accepts without the override above.
    dialog.followChosenFilter();
    if (dialog.selectedFiles().isEmpty())
        return std::nullopt;
    if (d.selectedFilter)
        *d.selectedFilter = dialog.chosenFilter();
    return dialog.selectedFiles().first();
}

std::optional<QColor> QtPlatform::chooseColor(const QColor &initial)
{
    const QColor c = QColorDialog::getColor(initial, dialogParent());
    if (!c.isValid())
        return std::nullopt;
    return c;
}

namespace {

// The font dialog opens on the style its font is named by, or failing that on a style named
// "Normal", "Regular", "Italic" or "Oblique"; a face whose upright style is called "Book"
// would open on another style, and OK would then take that one. The font is given the name
// its own face has for this weight and slant, when the face has a style of them.
QFont withFaceStyleName(QFont font)
{
    if (!font.styleName().isEmpty())
        return font;
    const QFontInfo face(font);
    const QString family = font.family();
    if (face.family().compare(family, Qt::CaseInsensitive) != 0
        || !QFontDatabase::styles(family).contains(face.styleName()))
        return font;
    const QFont styled = QFontDatabase::font(family, face.styleName(), font.pointSize());
    if (styled.weight() == font.weight() && styled.italic() == font.italic())
        font.setStyleName(face.styleName());
    return font;
}

} // namespace

std::optional<Platform::FontChoice> QtPlatform::chooseFont(const QFont &initial,
                                                           const QColor &initialColor)
{
    // Qt's font dialog has the underline and strikethrough effects but no colour: it is
    // embedded here with a colour button beside its own controls.
    QDialog dialog(dialogParent());
    dialog.setWindowTitle("Font");
    auto *fonts = new QFontDialog(withFaceStyleName(initial), &dialog);
    fonts->setWindowFlags(Qt::Widget);
    fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    // Enter and Escape inside the embedded dialog end the whole chooser, not just hide it.
    QObject::connect(fonts, &QDialog::accepted, &dialog, &QDialog::accept);
    QObject::connect(fonts, &QDialog::rejected, &dialog, &QDialog::reject);
    QColor color = initialColor.isValid() ? initialColor : QColor(Qt::black);
    auto *colorButton = new QPushButton("&Color...", &dialog);
    auto *colorSample = new QLabel(&dialog);
    colorSample->setFixedSize(40, 20);
    colorSample->setFrameShape(QFrame::Box);
    colorSample->setAutoFillBackground(true);
    auto showColor = [&] {
        QPalette p = colorSample->palette();
        p.setColor(QPalette::Window, color);
        colorSample->setPalette(p);
    };
    showColor();
    QObject::connect(colorButton, &QPushButton::clicked, &dialog, [&] {
        const QColor c = QColorDialog::getColor(color, &dialog);
        if (c.isValid()) {
            color = c;
            showColor();
        }
    });
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel("Text color:", &dialog));
    colorRow->addWidget(colorSample);
    colorRow->addWidget(colorButton);
    colorRow->addStretch();
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(fonts);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return FontChoice{fonts->currentFont(), color};
}

bool QtPlatform::printerSetup(QPrinter &printer)
{
    // The print dialog is where this desktop chooses the printer (or a PDF file), and its
    // Properties the paper and orientation; here it only sets them up, it prints nothing.
    QPrintDialog dialog(&printer, dialogParent());
    dialog.setWindowTitle("Print Setup");
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>()) {
        if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText("OK");
    }
    const bool busy = m_busy;
    if (busy)
        QApplication::restoreOverrideCursor();
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    return accepted;
}

void QtPlatform::beep()
{
    QApplication::beep();
}

void QtPlatform::sleep(int milliseconds)
{
    QThread::msleep(ulong(std::max(0, milliseconds)));
}

void QtPlatform::processEvents()
{
    QCoreApplication::processEvents();
}

void QtPlatform::setWaitCursor(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

QDateTime QtPlatform::now()
{
    return QDateTime::currentDateTime();
}

qint64 QtPlatform::steadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void QtPlatform::singleShot(int milliseconds, QObject *context, std::function<void()> fn)
{
    // Coarse timers may fire up to 5 % late, which a playback's pace would show.
    QTimer::singleShot(std::max(0, milliseconds), Qt::PreciseTimer, context, std::move(fn));
}

double QtPlatform::random()
{
    return QRandomGenerator::global()->generateDouble();
}

void QtPlatform::showHelp(const QString &helpFile, HelpCommand command,
                          const QString &partialKey)
{
    showHelpWindow(dialogParent(), helpFile, command, partialKey);
}

void showHelpWindow(QWidget *owner, const QString &helpFile, Platform::HelpCommand command,
                    const QString &partialKey)
{
    frmHelp *help = frmHelp::of(owner);
    if (command == Platform::HelpCommand::Contents)
        help->showContents(helpFile);
    else
        help->showIndex(helpFile, partialKey);
}

} // namespace kinetra
