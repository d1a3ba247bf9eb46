#include "screensaver/ScreenSaver.h"

#include "base/AppTitle.h"
#include "screensaver/BoxLook.h"
#include "screensaver/CursorCounter.h"
#include "screensaver/LyricBox.h"
#include "screensaver/Setting.h"
#include "screensaver/TextReceiver.h"
#include "widgets/WidgetColors.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cmath>

namespace cantorel::screensaver {

namespace {

const QString kNoTranslation = QStringLiteral("Translated Lyrics");

// Design geometry of the display boxes, in twips.
constexpr double kBoxTop1 = 2160;
constexpr double kBoxTop2 = 3000;
constexpr double kBoxWidth = 15375;
constexpr double kBoxHeight = 1020;
// Where the normal line moves while there is no translation, and how much it
// grows then: from the design's 18 pt to 22 pt, and in that proportion from
// any other chosen size.
constexpr double kAloneTop = 4160;
constexpr double kAloneGrowth = 22.0 / 18.0;
// Gap between the two boxes and the buttons' margin, in twips.
constexpr double kBoxGap = 3000;
constexpr double kButtonMargin = 60;
// What a grown normal-line box leaves free above the translated line.
constexpr double kGrownBoxGap = 120;
constexpr double kTopShare = 6.125;

template <typename Box>
Box* makeBox(const QString& name, QWidget* parent)
{
    auto* box = new Box(parent);
    box->setObjectName(name);
    return box;
}

} // namespace

ScreenSaver::ScreenSaver(Prompts& prompts, CursorCounter& cursor, std::function<void()> endRoutine, QWidget* parent)
    : QWidget(parent), m_prompts(prompts), m_cursor(cursor), m_endRoutine(std::move(endRoutine)),
      m_text1(makeBox<LyricBox>(QStringLiteral("Text1"), this)),
      m_text2(makeBox<LyricBox>(QStringLiteral("Text2"), this)),
      m_text3(makeBox<QLineEdit>(QStringLiteral("Text3"), this)),
      m_text4(makeBox<QLineEdit>(QStringLiteral("Text4"), this)),
      m_text5(makeBox<QLineEdit>(QStringLiteral("Text5"), this)), m_label1(new QLabel(this)),
      m_command1(new QPushButton(QStringLiteral("Quit"), this)),
      m_command2(new QPushButton(QStringLiteral("Options"), this)), m_timer1(new QTimer(this)),
      m_timer2(new QTimer(this)), m_lyricReceiver(new TextReceiver(this)), m_translatedReceiver(new TextReceiver(this))
{
    setObjectName(QStringLiteral("ScreenSaver"));
    setWindowTitle(screenSaverTitle());
    setBackColor(this, Qt::black);

    // The display boxes only show: they never take the focus, so every key
    // reaches the key box.
    for (LyricBox* box : {m_text1, m_text2})
        applyBoxStyle(box, BoxStyle {});
    m_text1->setGeometry(0, pixelsY(kBoxTop1), pixelsX(kBoxWidth), pixelsY(kBoxHeight));
    m_text2->setGeometry(0, pixelsY(kBoxTop2), pixelsX(kBoxWidth), pixelsY(kBoxHeight));
    m_text3->hide();
    m_text4->hide();
    m_text5->setGeometry(-400, -400, 40, 20);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->hide();
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command2->setObjectName(QStringLiteral("Command2"));
    for (QPushButton* button : {m_command1, m_command2}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->resize(button->sizeHint());
        button->hide();
    }
    connect(m_command1, &QPushButton::clicked, this, &ScreenSaver::command1Click);
    connect(m_command2, &QPushButton::clicked, this, &ScreenSaver::command2Click);

    connect(m_text1, &LyricBox::textChanged, this, &ScreenSaver::text1Change);
    connect(m_text2, &LyricBox::textChanged, this, &ScreenSaver::text2Change);
    // Bold follows the "!" of the shown lines: asked when a line changes,
    // not on a 10 ms beat that would wake the screen all night.
    connect(m_text1, &LyricBox::textChanged, this, &ScreenSaver::bolderTick);
    connect(m_text2, &LyricBox::textChanged, this, &ScreenSaver::bolderTick);
    connect(m_text3, &QLineEdit::textChanged, this, &ScreenSaver::text3Change);
    connect(m_text4, &QLineEdit::textChanged, this, &ScreenSaver::text4Change);
    connect(m_lyricReceiver, &TextReceiver::textReceived, m_text3, &QLineEdit::setText);
    connect(m_translatedReceiver, &TextReceiver::textReceived, m_text4, &QLineEdit::setText);

    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(1000);
    m_timer2->setObjectName(QStringLiteral("Timer2"));
    m_timer2->setInterval(2500);
    connect(m_timer1, &QTimer::timeout, this, &ScreenSaver::timer1Tick);
    connect(m_timer2, &QTimer::timeout, this, &ScreenSaver::timer2Tick);
    m_timer1->start();
    m_timer2->start();

    setMouseTracking(true);
    watchEvents(this);
    m_text5->setFocus();
}

ScreenSaver::~ScreenSaver()
{
    closeReceivers();
}

void ScreenSaver::watchEvents(QWidget* widget)
{
    widget->installEventFilter(this);
    widget->setMouseTracking(true);
    for (QObject* child : widget->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && !w->isWindow())
            watchEvents(w);
    }
}

double ScreenSaver::twipsPerPixelX() const
{
    return 1440.0 / logicalDpiX();
}

double ScreenSaver::twipsPerPixelY() const
{
    return 1440.0 / logicalDpiY();
}

int ScreenSaver::pixelsX(double twips) const
{
    return int(std::lround(twips / twipsPerPixelX()));
}

int ScreenSaver::pixelsY(double twips) const
{
    return int(std::lround(twips / twipsPerPixelY()));
}

void ScreenSaver::load()
{
    applyBoxStyle(m_text1, BoxStyle {});
    applyBoxStyle(m_text2, BoxStyle {});

    TextReceiver::removeStaleSockets();
    if (!m_lyricReceiver->listenOnNewId(0) || !m_translatedReceiver->listenOnNewId(m_lyricReceiver->id())) {
        const QString why =
            !m_lyricReceiver->isListening() ? m_lyricReceiver->errorString() : m_translatedReceiver->errorString();
        qWarning().noquote() << QStringLiteral("No lyric receiver could be opened: %1").arg(why);
        closeReceivers();
    } else {
        // The receivers listen in the runtime folder, so it is there.
        const QString path = handOverPath();
        QString error;
        if (!writeHandOver(path, handOver(), &error))
            qWarning().noquote() << QStringLiteral("%1 could not be written: %2").arg(path, error);
    }

    const ScreenSettingsFile file = ScreenSettingsFile::userFile();
    const ScreenSettingsFile::Loaded loaded = file.load();
    if (loaded.status == ScreenSettingsFile::Status::Loaded)
        applyLook(loaded.settings);
    else if (loaded.status == ScreenSettingsFile::Status::Broken)
        qWarning().noquote() << QStringLiteral("%1 ignored, start-up look kept: %2").arg(file.path(), loaded.error);
}

void ScreenSaver::showFullScreenSaver()
{
    if (const QScreen* shownOn = screen())
        setGeometry(shownOn->geometry());
    showFullScreen();
}

HandOver ScreenSaver::handOver() const
{
    return HandOver {m_lyricReceiver->id(), m_translatedReceiver->id()};
}

void ScreenSaver::closeReceivers()
{
    m_lyricReceiver->close();
    m_translatedReceiver->close();
}

Setting* ScreenSaver::settingWindow()
{
    if (!m_setting)
        m_setting = new Setting(*this, m_prompts, this);
    return m_setting;
}

BoxStyle ScreenSaver::lyricStyle() const
{
    BoxStyle style = boxStyleOf(m_text1);
    style.pointSize = m_lyricPointSize;
    return style;
}

BoxStyle ScreenSaver::translatedStyle() const
{
    return boxStyleOf(m_text2);
}

void ScreenSaver::setLyricStyle(const BoxStyle& style)
{
    if (style.pointSize > 0)
        m_lyricPointSize = style.pointSize;
    BoxStyle shown = style;
    shown.pointSize = lyricShownSize();
    applyBoxStyle(m_text1, shown);
    fitBoxHeight(m_text1);
}

void ScreenSaver::setTranslatedStyle(const BoxStyle& style)
{
    applyBoxStyle(m_text2, style);
    fitBoxHeight(m_text2);
}

QColor ScreenSaver::backgroundColor() const
{
    return backColorOf(this);
}

void ScreenSaver::setBackgroundColor(const QColor& color)
{
    setBackColor(this, color);
}

ScreenSettings ScreenSaver::look() const
{
    return ScreenSettings {lyricStyle(), translatedStyle(), backgroundColor()};
}

void ScreenSaver::applyLook(const ScreenSettings& settings)
{
    setLyricStyle(settings.lyric);
    setTranslatedStyle(settings.translated);
    setBackgroundColor(settings.background);
}

void ScreenSaver::setFocusTimerEnabled(bool enabled)
{
    if (enabled && !m_timer1->isActive())
        m_timer1->start();
    else if (!enabled)
        m_timer1->stop();
}

int ScreenSaver::baseBoxHeight(const LyricBox* box) const
{
    // A box keeps its design height unless its font needs more.
    return std::max(pixelsY(kBoxHeight), box->fontMetrics().height() + 8);
}

int ScreenSaver::lowestBoxBottom(const LyricBox* box) const
{
    // The normal line may grow down to the translated line while that
    // shows; otherwise a box may grow down to the window's bottom.
    if (box == m_text1 && m_text2->isEnabled())
        return m_text2->y() - pixelsY(kGrownBoxGap);
    return height() - pixelsY(kButtonMargin);
}

void ScreenSaver::fitBoxHeight(LyricBox* box)
{
    // A line wider than the window wraps: the box grows down to show the
    // wrapped lines as far as there is room.
    const int needed = std::min(box->heightForWidth(box->width()), lowestBoxBottom(box) - box->y());
    const int height = std::max(baseBoxHeight(box), needed);
    if (box->height() != height)
        box->resize(box->width(), height);
}

float ScreenSaver::lyricShownSize() const
{
    return m_text2->isEnabled() ? m_lyricPointSize : float(m_lyricPointSize * kAloneGrowth);
}

void ScreenSaver::text1Change()
{
    m_label1->setText(m_text1->text());
    fitBoxHeight(m_text1);
}

void ScreenSaver::text2Change()
{
    fitBoxHeight(m_text2);
    if (m_text2->text() == kNoTranslation) {
        m_text2->setEnabled(false);
        m_text2->hide();
        m_text1->move(m_text1->x(), pixelsY(kAloneTop));
        showLyricSize();
    } else if (!m_text2->isEnabled()) {
        m_text2->setEnabled(true);
        m_text2->show();
        m_text1->move(m_text1->x(), pixelsY(kBoxTop1));
        showLyricSize();
    }
}

void ScreenSaver::showLyricSize()
{
    QFont font = m_text1->font();
    font.setPointSizeF(lyricShownSize());
    m_text1->setFont(font);
    fitBoxHeight(m_text1);
}

void ScreenSaver::text3Change()
{
    m_text1->setText(m_text3->text());
}

void ScreenSaver::text4Change()
{
    m_text2->setText(m_text4->text());
}

void ScreenSaver::bolderTick()
{
    // The font is touched only when the bold state changes.
    for (LyricBox* box : {m_text1, m_text2}) {
        const bool bold = box->text().contains(u'!');
        if (box->font().bold() == bold)
            continue;
        QFont font = box->font();
        font.setBold(bold);
        box->setFont(font);
        fitBoxHeight(box);
    }
}

void ScreenSaver::timer1Tick()
{
    m_text5->setFocus();
}

void ScreenSaver::timer2Tick()
{
    m_command1->hide();
    m_command2->hide();
}

void ScreenSaver::mouseMoveTwips(double x, double y)
{
    switch (m_mouse.moveTo(x, y)) {
    case MouseRevealRule::Reaction::Reveal:
        m_command1->show();
        m_command2->show();
        m_cursor.show(true);
        break;
    case MouseRevealRule::Reaction::HideCursor:
        m_cursor.show(false);
        break;
    case MouseRevealRule::Reaction::None:
        break;
    }
}

void ScreenSaver::command1Click()
{
    if (m_endRoutine)
        m_endRoutine();
}

void ScreenSaver::command2Click()
{
    Setting* setting = settingWindow();
    if (!setting->isVisible())
        setting->setWindowModality(Qt::NonModal);
    setting->show();
    setting->raise();
    setting->activateWindow();
    setFocusTimerEnabled(false);
}

void ScreenSaver::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutControls();
}

void ScreenSaver::layoutControls()
{
    // Window width and height are the outer size; the buttons go by the
    // inner (client) size. In full screen the two are the same.
    const QRect outer = frameGeometry();
    const double top = outer.height() * twipsPerPixelY() / kTopShare;
    m_text1->resize(outer.width(), m_text1->height());
    // While the translation is hidden the normal line keeps its own place.
    m_text1->move(0, m_text2->isEnabled() ? pixelsY(top) : pixelsY(kAloneTop));
    m_text2->resize(m_text1->width(), m_text2->height());
    // The normal line's height here is the one of its font: a wrapped line
    // that makes the box grow does not push the translated line down.
    m_text2->move(0, pixelsY(top) + baseBoxHeight(m_text1) + pixelsY(kBoxGap + top));
    fitBoxHeight(m_text2);
    fitBoxHeight(m_text1);

    const int margin = pixelsX(kButtonMargin);
    const int quitLeft = width() - m_command1->width() - margin;
    m_command1->move(quitLeft, height() - m_command1->height() - pixelsY(kButtonMargin));
    m_command2->move(quitLeft, height() - m_command1->height() - m_command2->height() - pixelsY(2 * kButtonMargin));
}

bool ScreenSaver::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        command1Click();
        return true;
    case QEvent::MouseMove: {
        // Taken here wherever it lands, so a movement counts once even over
        // a control that would pass it on to the window.
        auto* widget = qobject_cast<QWidget*>(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (widget) {
            const QPointF at = widget->mapTo(this, mouse->position());
            mouseMoveTwips(at.x() * twipsPerPixelX(), at.y() * twipsPerPixelY());
        }
        return true;
    }
    case QEvent::MouseButtonPress:
        if (watched == m_text1 || watched == m_text2)
            m_text5->setFocus();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace cantorel::screensaver
