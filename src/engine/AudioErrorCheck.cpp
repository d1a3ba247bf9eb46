#include "engine/AudioErrorCheck.h"

#include "common/ProgramEnd.h"
#include "common/Prompts.h"
#include "engine/ResultTexts.h"

namespace cantorel::engine {

AudioErrorCheck::AudioErrorCheck(Prompts& prompts, ProgramEnd& end, QWidget* owner)
    : m_prompts(prompts), m_end(end), m_owner(owner)
{
}

QString AudioErrorCheck::errorMessage(Result code)
{
    return QStringLiteral("FMOD error! (") + QString::number(code) + QStringLiteral(") ")
        + resultText(code);
}

QString AudioErrorCheck::versionMessage(unsigned version)
{
    return QStringLiteral("Error!  You are using an old version of FMOD ")
        + QString::number(version, 16).toUpper() + QStringLiteral(". ")
        + QStringLiteral("This program requires ") + QString::number(kRequiredVersion, 16).toUpper();
}

bool AudioErrorCheck::check(Result code)
{
    if (code == result::Ok)
        return true;
    m_prompts.message(m_owner, errorMessage(code));
    m_end.endNow(1);
    return false;
}

bool AudioErrorCheck::refuse(Result code)
{
    if (code == result::Ok)
        return true;
    m_prompts.message(m_owner, errorMessage(code));
    return false;
}

void AudioErrorCheck::checkVersion(unsigned version)
{
    if (version != kRequiredVersion)
        m_prompts.message(m_owner, versionMessage(version));
}

} // namespace cantorel::engine
