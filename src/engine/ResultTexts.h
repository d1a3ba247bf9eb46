#pragma once
// Result codes of the audio engine and their readable texts. The codes are
// those of the engine library's result enumeration, 0 to 88 in its order.
#include "engine/AudioEngine.h"

#include <QString>

namespace cantorel::engine {

// The text of a result code; every code outside 0..88 gives "Unknown error.".
// Most texts end in one blank, which belongs to the text.
QString resultText(Result code);

// "FMOD error! (<code>) <text>": what the user is shown for a failing result.
QString errorMessage(Result code);

// The version warning: "Error!  You are using an old version of FMOD <v>.
// This program requires 42006", versions in upper-case hexadecimal.
QString versionMessage(unsigned version);

} // namespace cantorel::engine
