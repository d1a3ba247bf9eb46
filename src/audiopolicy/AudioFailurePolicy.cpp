#include "audiopolicy/AudioFailurePolicy.h"

#include "common/ProgramEnd.h"
#include "common/Prompts.h"
#include "engine/ResultTexts.h"
#include "engine/Transport.h"

#include <QWidget>

namespace cantorel {

void AudioFailurePolicy::callFailed(QWidget* owner, engine::Result code)
{
    m_prompts.message(owner, engine::errorMessage(code));
    m_end.endNow(1);
}

void AudioFailurePolicy::songRefused(QWidget* owner, engine::Result code)
{
    m_prompts.message(owner, engine::errorMessage(code));
}

void AudioFailurePolicy::versionMismatch(QWidget* owner, unsigned version)
{
    m_prompts.message(owner, engine::versionMessage(version));
}

void AudioFailurePolicy::watch(engine::Transport& transport, QWidget* owner)
{
    QObject::connect(&transport, &engine::Transport::engineFailed, owner,
                     [this, owner](engine::Result code) { callFailed(owner, code); });
    QObject::connect(&transport, &engine::Transport::versionMismatch, owner,
                     [this, owner](unsigned version) { versionMismatch(owner, version); });
}

} // namespace cantorel
