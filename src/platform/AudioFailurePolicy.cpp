#include "platform/AudioFailurePolicy.h"

#include "common/ProgramEnd.h"
#include "common/Prompts.h"
#include "engine/ResultTexts.h"

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

} // namespace cantorel
