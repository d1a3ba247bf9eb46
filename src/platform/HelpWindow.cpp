#include "platform/HelpWindow.h"

#include "base/ProgramDirectory.h"
#include "common/Prompts.h"
#include "platform/FormTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QUrl>

namespace cantorel {

namespace {

const QString kFallbackTitle = QStringLiteral("Cantorel Help");

QPointer<HelpWindow> g_window;

using namespace form;

// clang-format off

// Made in this order, which is the tab order.
const Control kControls[] = {
    // name           kind              caption    tooltip                      width height flags
    {"backButton",    Kind::ToolButton, "Back",    "Back to the previous page", 0,    0,     Disabled},
    {"forwardButton", Kind::ToolButton, "Forward", "Forward to the next page",  0,    0,     Disabled},
    {"homeButton",    Kind::ToolButton, "Home",    "Back to the start page"},
    {"helpBrowser",   Kind::Browser},
};

// The buttons over the page.
const Place kLayout[] = {
    column(nullptr,  "form"),    margins("form", 90, 90), spacing("form", 60),
    row("form",      "buttons"), margins("buttons", 0, 0),
    put("buttons",   "backButton"), put("buttons", "forwardButton"), put("buttons", "homeButton"),
    stretch("buttons"),
    put("form",      "helpBrowser", 1),
};

// clang-format on

// Places a newly made window over the middle of the window that asked for it.
void centreOver(QWidget* window, QWidget* owner)
{
    if (!owner)
        return;
    const QWidget* top = owner->window();
    const QRect frame = top->frameGeometry();
    QRect mine = window->frameGeometry();
    mine.moveCenter(frame.center());
    window->move(mine.topLeft());
}

} // namespace

HelpWindow::HelpWindow(const QString& homePage, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(kFallbackTitle);
    setAttribute(Qt::WA_QuitOnClose, false);

    form::FormBuilder ui(this);
    ui.make(kControls);
    ui.layOut(kLayout);
    m_back = ui.get<QToolButton>("backButton");
    m_forward = ui.get<QToolButton>("forwardButton");
    m_home = ui.get<QToolButton>("homeButton");
    m_browser = ui.get<QTextBrowser>("helpBrowser");
    m_back->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    m_forward->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    m_home->setIcon(style()->standardIcon(QStyle::SP_DirHomeIcon));
    m_browser->setOpenExternalLinks(true);

    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_home, &QToolButton::clicked, this, &HelpWindow::goHome);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::sourceChange);

    resize(680, 600);
    setHomePage(homePage);
}

void HelpWindow::setHomePage(const QString& page)
{
    const QString path = QFileInfo(page).absoluteFilePath();
    if (path == m_homePage)
        return;
    m_homePage = path;
    // Images and pages named relative to the start page are found beside it.
    m_browser->setSearchPaths({QFileInfo(path).absolutePath()});
    goHome();
    // Back must not lead to a page of the previous home.
    m_browser->clearHistory();
}

QString HelpWindow::pageTitle() const
{
    return m_browser->documentTitle();
}

void HelpWindow::goHome()
{
    const QUrl home = QUrl::fromLocalFile(m_homePage);
    if (m_browser->source() == home) {
        // Already there: back to the top of the page.
        m_browser->verticalScrollBar()->setValue(0);
        return;
    }
    m_browser->setSource(home);
}

void HelpWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HelpWindow::sourceChange()
{
    const QString title = pageTitle().trimmed();
    setWindowTitle(title.isEmpty() ? kFallbackTitle : title);
}

QString missingHelpText(const QString& page)
{
    return QStringLiteral("The help page could not be found.\n\nCantorel looked for it here:\n%1")
        .arg(QDir::toNativeSeparators(page));
}

void showHelpPage(QWidget* owner, Prompts& prompts, const QString& page)
{
    const QFileInfo info(page);
    if (!info.isFile() || !info.isReadable()) {
        prompts.message(owner, missingHelpText(page), Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
        return;
    }
    if (!g_window) {
        g_window = new HelpWindow(page);
        centreOver(g_window, owner);
        // The window lives until the program ends; take it down while the
        // application object still exists.
        if (auto* app = QCoreApplication::instance())
            QObject::connect(app, &QCoreApplication::aboutToQuit, g_window.data(), &QObject::deleteLater);
    } else {
        g_window->setHomePage(page);
    }
    if (g_window->isMinimized())
        g_window->showNormal();
    else
        g_window->show();
    g_window->raise();
    g_window->activateWindow();
}

void showHelp(QWidget* owner, Prompts& prompts)
{
    showHelpPage(owner, prompts, bundledDataPath(QStringLiteral("help/Welcome.htm")));
}

HelpWindow* helpWindow()
{
    return g_window.data();
}

} // namespace cantorel
