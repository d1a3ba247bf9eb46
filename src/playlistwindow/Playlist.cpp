#include "playlistwindow/Playlist.h"

#include "base/FileNames.h"
#include "base/FilePaths.h"
#include "common/MediaFiles.h"
#include "common/Prompts.h"
#include "lyrics/BackgroundReads.h"
#include "lyrics/LyricSource.h"
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
    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setModel(m_model);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setUniformItemSizes(true);
    // The selection, not the current row: a click moves the current row
    // before it selects, so the indicators would show the entry left behind.
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &Playlist::showIndicators);
    connect(m_list, &QListView::doubleClicked, this, &Playlist::command7Click);
    // The counter follows the list whoever changes it.
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &Playlist::showCount);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &Playlist::showCount);
    connect(m_model, &QAbstractItemModel::modelReset, this, &Playlist::showCount);

    auto* itemsLabel = new QLabel(QStringLiteral("Items "), this);
    itemsLabel->setObjectName(QStringLiteral("Label2"));
    m_count = new QLineEdit(QStringLiteral("0"), this);
    m_count->setObjectName(QStringLiteral("Text1"));
    m_count->setReadOnly(true);
    m_count->setFixedWidth(twipsToPixels(900, this));

    m_current = new QLineEdit(this);
    m_current->setObjectName(QStringLiteral("Text3"));
    m_current->setReadOnly(true);
    m_current->setToolTip(tr("The song the player has open"));
    m_current->setPlaceholderText(tr("The song the player has open"));
    connect(m_current, &QLineEdit::textChanged, this, &Playlist::text3Change);
    auto* scratch = new QLineEdit(this);
    scratch->setObjectName(QStringLiteral("Text2"));
    scratch->hide();
    m_dropped = new QLineEdit(QStringLiteral("Text4"), this);
    m_dropped->setObjectName(QStringLiteral("Text4"));
    m_dropped->hide();

    auto* findLabel = new QLabel(QStringLiteral("Find"), this);
    findLabel->setObjectName(QStringLiteral("Label3"));
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("Text5"));
    m_search->installEventFilter(this);
    connect(m_search, &QLineEdit::textChanged, this, &Playlist::text5Change);
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

    m_hasLyrics = new QCheckBox(QStringLiteral("Has Lyrics?"), this);
    m_hasLyrics->setObjectName(QStringLiteral("Check2"));
    m_hasTranslation = new QCheckBox(QStringLiteral("Has translation?"), this);
    m_hasTranslation->setObjectName(QStringLiteral("Check1"));

    m_add = makeButton(this, "Command1", QStringLiteral("+"), tr("Add songs"));
    m_addMenu = new QMenu(this);
    m_addMenu->setObjectName(QStringLiteral("mn_m"));
    QAction* openFile = m_addMenu->addAction(QStringLiteral("Open File...    "));
    openFile->setObjectName(QStringLiteral("mnopen_f"));
    QAction* openDir = m_addMenu->addAction(QStringLiteral("Open Dir...    "));
    openDir->setObjectName(QStringLiteral("mnopendir"));
    connect(m_add, &QPushButton::clicked, this, &Playlist::command1Click);
    connect(openFile, &QAction::triggered, this, &Playlist::mnopenfClick);
    connect(openDir, &QAction::triggered, this, &Playlist::mnopendirClick);

    auto* remove = makeButton(this, "Command2", QStringLiteral("-"), tr("Remove the selected song"));
    auto* clear = makeButton(this, "Command3", QStringLiteral("Clear"));
    auto* save = makeButton(this, "Command4", QStringLiteral("Save list"));
    auto* open = makeButton(this, "Command5", QStringLiteral("Open list"));
    auto* close = makeButton(this, "Command6", QStringLiteral("Close"));
    auto* play = makeButton(this, "Command7", QStringLiteral("Play"));
    auto* up = makeButton(this, "Command8", QStringLiteral("Up"));
    auto* down = makeButton(this, "Command9", QStringLiteral("Down"));
    auto* help = makeButton(this, "Command10", QStringLiteral("Help"));
    connect(remove, &QPushButton::clicked, this, &Playlist::command2Click);
    connect(clear, &QPushButton::clicked, this, &Playlist::command3Click);
    connect(save, &QPushButton::clicked, this, &Playlist::command4Click);
    connect(open, &QPushButton::clicked, this, &Playlist::command5Click);
    connect(close, &QPushButton::clicked, this, &Playlist::command6Click);
    connect(play, &QPushButton::clicked, this, &Playlist::command7Click);
    connect(up, &QPushButton::clicked, this, &Playlist::command8Click);
    connect(down, &QPushButton::clicked, this, &Playlist::command9Click);
    connect(help, &QPushButton::clicked, this, &Playlist::command10Click);
    for (QPushButton* b : {m_add, remove})
        b->setFixedWidth(twipsToPixels(500, this));

    m_random = new QCheckBox(QStringLiteral("Random"), this);
    m_random->setObjectName(QStringLiteral("Check3"));
    m_repeat = new QCheckBox(QStringLiteral("Repeat"), this);
    m_repeat->setObjectName(QStringLiteral("Check4"));
    m_repeatOne = new QRadioButton(QStringLiteral("Repeat one "), this);
    m_repeatOne->setObjectName(QStringLiteral("Option1"));
    m_repeatAll = new QRadioButton(QStringLiteral("Repeat all"), this);
    m_repeatAll->setObjectName(QStringLiteral("Option2"));
    m_repeatAll->setChecked(true);
    m_repeatOne->setEnabled(false);
    m_repeatAll->setEnabled(false);
    connect(m_random, &QCheckBox::clicked, this, &Playlist::check3Click);
    connect(m_repeat, &QCheckBox::clicked, this, &Playlist::check4Click);
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*> {m_random, m_repeat, m_repeatOne})
        connect(b, &QAbstractButton::toggled, this, &Playlist::playOrderChanged);

    // Layout: the list on the left, the commands on the right.
    auto* top = new QHBoxLayout;
    top->addWidget(m_add);
    top->addWidget(remove);
    top->addStretch(1);
    top->addWidget(itemsLabel);
    top->addWidget(m_count);

    auto* find = new QHBoxLayout;
    find->addWidget(findLabel);
    find->addWidget(m_search, 1);

    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(m_list, 1);
    left->addWidget(m_current);
    left->addLayout(find);

    auto* order = new QGroupBox(tr("Play order"), this);
    auto* orderLayout = new QVBoxLayout(order);
    orderLayout->addWidget(m_random);
    orderLayout->addWidget(m_repeat);
    orderLayout->addWidget(m_repeatOne);
    orderLayout->addWidget(m_repeatAll);

    auto* lyrics = new QGroupBox(tr("Selected song"), this);
    auto* lyricsLayout = new QVBoxLayout(lyrics);
    lyricsLayout->addWidget(m_hasLyrics);
    lyricsLayout->addWidget(m_hasTranslation);

    auto* right = new QVBoxLayout;
    right->addWidget(play);
    right->addWidget(up);
    right->addWidget(down);
    right->addSpacing(twipsToPixels(120, this));
    right->addWidget(order);
    right->addWidget(lyrics);
    right->addStretch(1);
    right->addWidget(save);
    right->addWidget(open);
    right->addWidget(clear);
    right->addWidget(help);
    right->addWidget(close);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);
    resize(twipsToPixels(7200, this), twipsToPixels(6000, this));
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
