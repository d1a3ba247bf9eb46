#include "playlistwindow/Playlist.h"

#include "base/FileNames.h"
#include "base/FilePaths.h"
#include "common/MediaFiles.h"
#include "common/Prompts.h"
#include "lyrics/BackgroundReads.h"
#include "lyrics/LyricSource.h"
#include "platform/FormTable.h"
#include "platform/HelpWindow.h"
#include "platform/Twips.h"
#include "playlist/PlayOrderSettings.h"
#include "playlist/PlaylistFile.h"
#include "playlist/PlaylistModel.h"
#include "playlist/SongAdder.h"
#include "widgets/Controls.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace cantorel {

namespace {

const QString kPlaceholder = QStringLiteral("Enter Search Text Here");

using namespace form;

// clang-format off

// Made in this order, which is the tab order.
const Control kControls[] = {
    // name          kind            caption              tooltip                           width (twips)
    {"List1",        Kind::ListView},
    {"Label2",       Kind::Label,    "Items "},
    {"Text1",        Kind::Edit,     "0",                 nullptr,                          900,  0, ReadOnly},
    {"Text3",        Kind::Edit,     nullptr,             "The song the player has open",   0,    0, ReadOnly},
    {"Text2",        Kind::Edit,     nullptr,             nullptr,                          0,    0, Hidden},
    {"Text4",        Kind::Edit,     "Text4",             nullptr,                          0,    0, Hidden},
    {"Label3",       Kind::Label,    "Find"},
    {"Text5",        Kind::Edit},
    {"Check2",       Kind::Check,    "Has Lyrics?"},
    {"Check1",       Kind::Check,    "Has translation?"},
    {"Command1",     Kind::Button,   "+",                 "Add songs",                      500},
    {"Command2",     Kind::Button,   "-",                 "Remove the selected song",       500},
    {"Command3",     Kind::Button,   "Clear"},
    {"Command4",     Kind::Button,   "Save list"},
    {"Command5",     Kind::Button,   "Open list"},
    {"Command6",     Kind::Button,   "Close"},
    {"Command7",     Kind::Button,   "Play"},
    {"Command8",     Kind::Button,   "Up"},
    {"Command9",     Kind::Button,   "Down"},
    {"Command10",    Kind::Button,   "Help"},
    {"Check3",       Kind::Check,    "Random"},
    {"Check4",       Kind::Check,    "Repeat"},
    {"Option1",      Kind::Radio,    "Repeat one ",       nullptr,                          0,    0, Disabled},
    {"Option2",      Kind::Radio,    "Repeat all",        nullptr,                          0,    0, Checked | Disabled},
    {"playOrder",    Kind::Group,    "Play order"},
    {"selectedSong", Kind::Group,    "Selected song"},
};

// The list on the left, the commands on the right.
const Place kLayout[] = {
    row(nullptr,        "form"),
    column("form",      "left", 1),
    row("left",         "top"),
    put("top",          "Command1"), put("top", "Command2"), stretch("top"), put("top", "Label2"), put("top", "Text1"),
    put("left",         "List1", 1),
    put("left",         "Text3"),
    row("left",         "find"),
    put("find",         "Label3"),   put("find", "Text5", 1),

    column("form",      "right"),
    put("right",        "Command7"), put("right", "Command8"), put("right", "Command9"),
    gap("right",        120),
    put("right",        "playOrder"),
    column("playOrder", "order"),
    put("order",        "Check3"),   put("order", "Check4"), put("order", "Option1"), put("order", "Option2"),
    put("right",        "selectedSong"),
    column("selectedSong", "indicators"),
    put("indicators",   "Check2"),   put("indicators", "Check1"),
    stretch("right"),
    put("right",        "Command4"), put("right", "Command5"), put("right", "Command3"), put("right", "Command10"),
    put("right",        "Command6"),
};

// clang-format on

QList<Prompts::FileFilter> playlistFilter()
{
    return {{QStringLiteral("Lyric playlist files (*.mmr)"), QStringLiteral("*.mmr")}};
}

} // namespace

Playlist::Playlist(Prompts& prompts, PlaylistModel& model, PlayOrderSettings& order, QWidget* parent)
    : QWidget(parent, Qt::Window), m_prompts(prompts), m_model(&model), m_order(order),
      m_adder(new SongAdder(model, this)), m_presenceReads(new lyrics::BackgroundReads(this))
{
    setObjectName(QStringLiteral("Playlist"));
    setWindowTitle(QStringLiteral("Playlist"));
    setAcceptDrops(true);
    buildUi();
    wireAdder();
    // The repeat choice, however it is made (a click, the arrow keys).
    connect(m_repeatOne, &QRadioButton::toggled, this, [this](bool one) { m_order.setRepeatOne(one); });
    connect(&m_order, &PlayOrderSettings::changed, this, &Playlist::showPlayOrder);
    showPlayOrder();
    showCount(); // the list may hold songs already

    // Selects the player's current song once, just after the window is made.
    m_highlight = new QTimer(this);
    m_highlight->setObjectName(QStringLiteral("Timer1"));
    m_highlight->setSingleShot(true);
    m_highlight->setInterval(10);
    connect(m_highlight, &QTimer::timeout, this, &Playlist::text3Change);
    m_highlight->start();
}

Playlist::~Playlist()
{
    // The scan's thread ends before the list it would fill goes.
    m_adder->abandon();
}

void Playlist::buildUi()
{
    form::FormBuilder ui(this);
    ui.make(kControls);
    ui.layOut(kLayout);
    resize(twipsToPixels(7200, this), twipsToPixels(6000, this));

    m_list = ui.get<QListView>("List1");
    m_count = ui.get<QLineEdit>("Text1");
    m_current = ui.get<QLineEdit>("Text3");
    m_dropped = ui.get<QLineEdit>("Text4");
    m_search = ui.get<QLineEdit>("Text5");
    m_hasLyrics = ui.get<QCheckBox>("Check2");
    m_hasTranslation = ui.get<QCheckBox>("Check1");
    m_add = ui.get<QPushButton>("Command1");
    m_random = ui.get<QCheckBox>("Check3");
    m_repeat = ui.get<QCheckBox>("Check4");
    m_repeatOne = ui.get<QRadioButton>("Option1");
    m_repeatAll = ui.get<QRadioButton>("Option2");

    m_list->setModel(m_model);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setUniformItemSizes(true);
    m_current->setPlaceholderText(tr("The song the player has open"));
    m_search->installEventFilter(this);
    {
        // The placeholder look, without running the search at start.
        const QSignalBlocker block(m_search);
        m_search->setText(kPlaceholder);
        QFont f(QStringLiteral("Times New Roman"));
        f.setPointSizeF(9.75);
        f.setItalic(true);
        m_search->setFont(f);
        QPalette p = m_search->palette();
        p.setColor(QPalette::Text, palette().color(QPalette::Dark));
        m_search->setPalette(p);
    }

    m_addMenu = new QMenu(this);
    m_addMenu->setObjectName(QStringLiteral("mn_m"));
    QAction* openFile = m_addMenu->addAction(QStringLiteral("Open File...    "));
    openFile->setObjectName(QStringLiteral("mnopen_f"));
    QAction* openDir = m_addMenu->addAction(QStringLiteral("Open Dir...    "));
    openDir->setObjectName(QStringLiteral("mnopendir"));
    connect(openFile, &QAction::triggered, this, &Playlist::mnopenfClick);
    connect(openDir, &QAction::triggered, this, &Playlist::mnopendirClick);
    m_entryMenu = new QMenu(this);
    m_entryMenu->setObjectName(QStringLiteral("mn_entries"));
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (!m_entryMenu->isEmpty())
            m_entryMenu->popup(m_list->viewport()->mapToGlobal(at));
    });
    connectControls(ui);
}

void Playlist::connectControls(const form::FormBuilder& ui)
{
    // The selection, not the current row: a click moves the current row
    // before it selects, so the indicators would show the entry left behind.
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &Playlist::showIndicators);
    connect(m_list, &QListView::doubleClicked, this, &Playlist::command7Click);
    // The counter follows the list whoever changes it.
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &Playlist::showCount);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &Playlist::showCount);
    connect(m_model, &QAbstractItemModel::modelReset, this, &Playlist::showCount);
    connect(m_current, &QLineEdit::textChanged, this, &Playlist::text3Change);
    connect(m_search, &QLineEdit::textChanged, this, &Playlist::text5Change);

    ui.connectClicks(this, {
                               {"Command1", &Playlist::command1Click},
                               {"Command2", &Playlist::command2Click},
                               {"Command3", &Playlist::command3Click},
                               {"Command4", &Playlist::command4Click},
                               {"Command5", &Playlist::command5Click},
                               {"Command6", &Playlist::command6Click},
                               {"Command7", &Playlist::command7Click},
                               {"Command8", &Playlist::command8Click},
                               {"Command9", &Playlist::command9Click},
                               {"Command10", &Playlist::command10Click},
                           });
    connect(m_random, &QCheckBox::clicked, this, &Playlist::check3Click);
    connect(m_repeat, &QCheckBox::clicked, this, &Playlist::check4Click);
}

// ---------------------------------------------------------------- list state

int Playlist::entryCount() const
{
    return m_model->count();
}

int Playlist::selectedIndex() const
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void Playlist::selectEntry(int row)
{
    auto* selection = m_list->selectionModel();
    if (row < 0 || row >= m_model->count()) {
        selection->clearSelection();
        return;
    }
    // A new selection shows its indicators through selectionChanged; the
    // same one again says nothing, so its lyric files are looked at here.
    const bool same = selectedIndex() == row;
    const QModelIndex index = m_model->index(row);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_list->scrollTo(index);
    if (same)
        showIndicators();
}

void Playlist::showCount()
{
    const QString count = QString::number(m_model->count());
    if (m_count->text() != count)
        m_count->setText(count);
}

void Playlist::showIndicators()
{
    const int asked = ++m_indicatorsAsked; // an older answer still on its way is not shown
    const int k = selectedIndex();
    if (k < 0 || m_model->count() == 0)
        return;
    // Wherever the player would find the lyric: the pair, an LRC file, or
    // the song's own tags. The pair's files are a look each and show at once;
    // the rest is read off the window thread and shows when it comes.
    const QString path = m_model->path(k);
    const lyrics::LyricPresence pair = lyrics::pairPresence(path);
    showPresence(pair);
    if (pair.lyric)
        return;
    m_presenceReads->read<lyrics::LyricPresence>([path] { return lyrics::lyricPresence(path); },
                                                 [this, asked](const lyrics::LyricPresence& found) {
                                                     if (asked == m_indicatorsAsked)
                                                         showPresence(found);
                                                 });
}

void Playlist::showPresence(const lyrics::LyricPresence& found)
{
    m_hasTranslation->setChecked(found.translation);
    m_hasLyrics->setChecked(found.lyric);
    m_hasLyrics->setToolTip(found.lyricTip);
    m_hasTranslation->setToolTip(found.translationTip);
}

void Playlist::refuseFull()
{
    m_prompts.message(
        this,
        tr("The playlist is full: it holds at most %1 songs, so nothing was added.").arg(PlaylistModel::kCapacity),
        Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
}

// ---------------------------------------------------------------- adding

void Playlist::command1Click()
{
    // Just under the "+" button.
    m_addMenu->popup(m_add->mapToGlobal(QPoint(0, m_add->height())));
}

void Playlist::mnopenfClick()
{
    const QString chosen = m_prompts.openFile(this, QStringLiteral("Add a media file"), mediaFileFilters(), {}, true);
    if (!chosen.isEmpty())
        m_adder->addFile(cleanChosenPath(chosen));
}

void Playlist::mnopendirClick()
{
    const QString folder = m_prompts.chooseFolder(this, QStringLiteral("Please select a folder"));
    if (!folder.isEmpty())
        m_adder->addFolder(folder);
}

void Playlist::dropPaths(const QStringList& paths)
{
    m_adder->addDropped(paths);
}

void Playlist::addNamedPaths(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (fileFacts(path).isDir)
            m_adder->addFolder(path);
        else
            m_adder->addFile(path);
    }
}

bool Playlist::scanning() const
{
    return m_adder->scanning();
}

FolderScanner& Playlist::folderScanner()
{
    return m_adder->scanner();
}

void Playlist::wireAdder()
{
    m_adder->clearFirst = [this] {
        return m_prompts.message(this, QStringLiteral("Do you wish to clear the Playlist first?"),
                                 Prompts::Buttons::YesNo)
               == Prompts::Answer::Yes;
    };
    // A long scan shows how far it has come and can be cancelled; a short
    // one is over before the dialog would show.
    m_scanDelay = new QTimer(this);
    m_scanDelay->setSingleShot(true);
    m_scanDelay->setInterval(kProgressDelayMs);
    connect(m_scanDelay, &QTimer::timeout, this, &Playlist::showScan);
    connect(m_adder, &SongAdder::scanStarted, this, [this] {
        m_scanProgress = new QProgressDialog(tr("Looking for songs..."), tr("Cancel"), 0, 0, this);
        m_scanProgress->setObjectName(QStringLiteral("ScanProgress"));
        m_scanProgress->setWindowTitle(tr("Adding a folder"));
        m_scanProgress->setWindowModality(Qt::WindowModal);
        m_scanProgress->setAutoReset(false);
        m_scanProgress->setAutoClose(false);
        connect(m_scanProgress, &QProgressDialog::canceled, m_adder, &SongAdder::cancelScan);
        connect(m_scanProgress, &QDialog::rejected, m_adder, &SongAdder::cancelScan);
        m_scanDelay->start();
    });
    connect(m_adder, &SongAdder::scanProgress, this, [this](int found) {
        if (m_scanProgress)
            m_scanProgress->setLabelText(tr("%n song(s) found so far...", nullptr, found));
    });
    connect(m_adder, &SongAdder::scanEnded, this, &Playlist::endScan);
    connect(m_adder, &SongAdder::songDropped, m_dropped, &QLineEdit::setText);
    connect(m_adder, &SongAdder::refused, this, &Playlist::refuseFull);
    connect(m_adder, &SongAdder::listFailed, this, [this](const QString& name, const QString& error) {
        m_prompts.message(this, tr("The playlist %1 could not be opened: %2").arg(name, error), Prompts::Buttons::Ok,
                          Prompts::Icon::Exclamation);
    });
}

void Playlist::showScan()
{
    if (m_scanProgress)
        m_scanProgress->show();
}

void Playlist::endScan()
{
    m_scanDelay->stop();
    delete m_scanProgress;
    m_scanProgress = nullptr;
}

void Playlist::closeEvent(QCloseEvent* event)
{
    // A closed window adds nothing more: the scan stops, waiting adds go.
    m_adder->abandon();
    QWidget::closeEvent(event);
}

void Playlist::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void Playlist::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    dropPaths(droppedFiles(event->mimeData()));
}

// ---------------------------------------------------------------- list commands

void Playlist::command2Click()
{
    const int k = selectedIndex();
    if (m_model->count() > 0 && k >= 0) {
        m_model->remove(k);
        m_list->selectionModel()->clearSelection();
    } else if (m_model->count() == 0) {
        m_model->clear();
    }
    showCount();
}

void Playlist::command3Click()
{
    m_model->clear();
    showCount();
}

void Playlist::command4Click()
{
    if (m_model->count() == 0)
        return;
    if (const QString bad = unstorablePath(m_model->paths()); !bad.isEmpty()) {
        m_prompts.message(this,
                          tr("The playlist cannot be saved: the name of the song\n%1\nholds a double quote or a "
                             "line break, which a playlist file cannot hold. Rename the file or remove it from "
                             "the list.")
                              .arg(bad),
                          Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
        return;
    }
    const QString chosen = m_prompts.saveFile(this, QStringLiteral("Save The Playlist File"), playlistFilter());
    if (chosen.isEmpty()) {
        m_prompts.message(this, QStringLiteral("Some error has occured the Playlist has not been saved!!!"));
        return;
    }
    const QString name = playlistFileName(chosen);
    if (!confirmReplacing(m_prompts, this, name))
        return;
    QString error;
    if (!savePlaylist(name, m_model->paths(), &error)) {
        m_prompts.message(this, tr("The playlist could not be saved as %1: %2").arg(name, error), Prompts::Buttons::Ok,
                          Prompts::Icon::Exclamation);
    }
}

void Playlist::command5Click()
{
    const QString chosen = m_prompts.openFile(this, QStringLiteral("Open The Playlist File"), playlistFilter());
    if (chosen.isEmpty()) {
        m_prompts.message(this, QStringLiteral("an error has occured in the operation the file may be corrupt"));
        return;
    }
    m_adder->addList(cleanChosenPath(chosen));
}

void Playlist::command6Click()
{
    m_adder->abandon();
    hide();
}

void Playlist::command10Click()
{
    showHelp(this, m_prompts);
}

// ---------------------------------------------------------------- play order

void Playlist::command7Click()
{
    const int k = selectedIndex();
    if (m_model->count() == 0 || k < 0)
        return;
    const QString path = m_model->path(k);
    if (!ordinaryFileExists(path)) {
        m_prompts.message(this, QStringLiteral("File not found!!"), Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
        return;
    }
    // The song that is already open plays again too (a one-song list on
    // "Repeat all", Forward on one entry).
    Q_EMIT playRequested(path);
}

void Playlist::command8Click()
{
    const int k = selectedIndex();
    if (k < 1)
        return;
    m_model->swapWithNext(k - 1);
    selectEntry(k - 1);
}

void Playlist::command9Click()
{
    const int k = selectedIndex();
    if (k < 0 || k >= m_model->count() - 1)
        return;
    m_model->swapWithNext(k);
    selectEntry(k + 1);
}

void Playlist::check3Click()
{
    m_order.setRandom(m_random->isChecked());
}

void Playlist::check4Click()
{
    m_order.setRepeat(m_repeat->isChecked());
}

void Playlist::showPlayOrder()
{
    m_random->setChecked(m_order.random());
    m_repeat->setChecked(m_order.repeat());
    (m_order.repeatOne() ? m_repeatOne : m_repeatAll)->setChecked(true);
    // The choice can be made while Repeat is ticked; it holds all the same.
    m_repeatOne->setEnabled(m_order.repeat());
    m_repeatAll->setEnabled(m_order.repeat());
}

void Playlist::showCurrentSong(const QString& fileName)
{
    m_current->setText(QString());
    m_current->setText(fileName);
}

void Playlist::text3Change()
{
    if (m_model->count() < 2)
        return;
    const int row = m_model->findNamed(m_current->text());
    if (row >= 0)
        selectEntry(row);
}

// ---------------------------------------------------------------- search

void Playlist::text5Change()
{
    if (m_model->count() < 2)
        return;
    const int row = m_model->findContaining(m_search->text());
    if (row >= 0)
        selectEntry(row);
}

void Playlist::placeholderRule()
{
    QFont f = m_search->font();
    QPalette p = m_search->palette();
    if (m_search->text().isEmpty()) {
        m_search->setText(kPlaceholder);
        f.setItalic(true);
        p.setColor(QPalette::Text, palette().color(QPalette::Dark));
    } else if (m_search->text() == kPlaceholder) {
        m_search->setText(QString());
        f.setItalic(false);
        p.setColor(QPalette::Text, Qt::black);
    } else {
        return;
    }
    m_search->setFont(f);
    m_search->setPalette(p);
}

bool Playlist::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_search && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusOut))
        placeholderRule();
    return QWidget::eventFilter(watched, event);
}

} // namespace cantorel
