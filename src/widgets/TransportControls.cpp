#include "widgets/TransportControls.h"

#include "base/TimeText.h"
#include "platform/Twips.h"
#include "widgets/Controls.h"

#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>

namespace cantorel {

namespace {

int clampedMs(unsigned ms)
{
    return int(qMin<unsigned>(ms, INT_MAX));
}

void setTextIfChanged(QLineEdit* edit, const QString& text)
{
    if (edit->text() != text)
        edit->setText(text);
}

} // namespace

void TransportControls::createTransport(QWidget* form)
{
    cPlay = makeButton(form, "cPlay", QStringLiteral("Play"));
    cpause = makeButton(form, "cpause", QStringLiteral("pause"));
    cstop = makeButton(form, "cstop", QStringLiteral("Stop"));
    copen = makeButton(form, "copen", QStringLiteral("Open"));
    Check1 = new QCheckBox(QStringLiteral("Mute"), form);
    Check1->setObjectName(QStringLiteral("Check1"));
    Label1 = new QLabel(QStringLiteral("Volume"), form);
    Label1->setObjectName(QStringLiteral("Label1"));

    Slider1 = new QSlider(Qt::Horizontal, form);
    Slider1->setObjectName(QStringLiteral("Slider1"));
    Slider1->setRange(1, 10);
    Slider1->setValue(3);
    Slider1->setSingleStep(1);
    Slider1->setPageStep(5);
    Slider1->setTickPosition(QSlider::TicksBelow);
    Slider1->setFixedWidth(twipsToPixels(1800, form));

    Slider2 = new QSlider(Qt::Horizontal, form);
    Slider2->setObjectName(QStringLiteral("Slider2"));
    Slider2->setTickPosition(QSlider::NoTicks);
    Slider2->setRange(0, 0);
    Slider2->setSingleStep(1);
    Slider2->setPageStep(25);

    cText1 = makeReadout(form, "cText1", QStringLiteral("Position"));
    cText2 = makeReadout(form, "cText2", QStringLiteral("Length"));

    connect(cPlay, &QPushButton::clicked, this, &TransportControls::playRequested);
    connect(cpause, &QPushButton::clicked, this, &TransportControls::pauseRequested);
    connect(cstop, &QPushButton::clicked, this, &TransportControls::stopRequested);
    connect(copen, &QPushButton::clicked, this, &TransportControls::reloadRequested);
    connect(Check1, &QCheckBox::clicked, this, &TransportControls::muteClicked);
    connect(Slider1, &QSlider::valueChanged, this, &TransportControls::volumeChanged);
    // The slider's own moves (setSeekQuietly, showPosition) block its
    // signals, so only the user's moves get here.
    connect(Slider2, &QSlider::valueChanged, this, &TransportControls::seekRequested);
}

void TransportControls::showPlaying()
{
    cpause->setEnabled(true);
    copen->setEnabled(true);
    cstop->setEnabled(true);
    cPlay->setEnabled(false);
    Slider1->setEnabled(true);
    Slider2->setEnabled(true);
    Check1->setEnabled(true);
}

void TransportControls::showStopped()
{
    cPlay->setEnabled(true);
    copen->setEnabled(true);
    cstop->setEnabled(false);
    cpause->setEnabled(false);
    Slider1->setEnabled(false);
    Slider2->setEnabled(false);
    Check1->setEnabled(false);
}

void TransportControls::showNoSong()
{
    for (QWidget* w : std::initializer_list<QWidget*> {cPlay, cpause, cstop, copen, Slider1, Slider2, Check1})
        w->setEnabled(false);
}

void TransportControls::showSeek(unsigned positionMs, unsigned lengthMs)
{
    showPosition(positionMs, lengthMs, positionMs, lengthMs);
    setSeekQuietly(int(positionMs));
}

void TransportControls::showPosition(unsigned positionMs, unsigned lengthMs, unsigned shownMs, unsigned maximumMs)
{
    setTextIfChanged(cText1, timeText(positionMs));
    setTextIfChanged(cText2, timeText(lengthMs));
    // The handle is moved only when it would land on another pixel: a
    // slider repaints on every new value, 20 times a second for nothing.
    const int maximum = clampedMs(maximumMs);
    const int value = std::min(clampedMs(shownMs), maximum);
    const int span = std::max(1, Slider2->width());
    const bool samePixel = maximum == Slider2->maximum()
                           && QStyle::sliderPositionFromValue(0, maximum, value, span)
                                  == QStyle::sliderPositionFromValue(0, maximum, Slider2->value(), span);
    if (samePixel && value != 0 && Slider2->value() != 0)
        return;
    const QSignalBlocker quiet(Slider2);
    Slider2->setMaximum(maximum);
    Slider2->setValue(value);
}

void TransportControls::setSeekQuietly(int value)
{
    const QSignalBlocker quiet(Slider2);
    Slider2->setValue(value);
}

} // namespace cantorel
