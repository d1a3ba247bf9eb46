#include "engine/ResultTexts.h"

#include <iterator>

namespace cantorel::engine {

namespace {

// Indexed by result code, 0 to 88, in the order of the result enumeration.
// The trailing blanks belong to the texts; long ones are split over lines.
// NOLINTBEGIN(bugprone-suspicious-missing-comma)
const char16_t* const kTexts[] = {
    u"No errors.",
    u"Tried to call lock a second time before unlock was called. ",
    u"Tried to call a function on a data type that does not allow this type of functionality (ie calling Sound::lock "
    u"on a streaming sound). ",
    u"Neither NTSCSI nor ASPI could be initialised. ",
    u"An error occurred while initialising the CDDA subsystem. ",
    u"Couldn't find the specified device. ",
    u"No audio tracks on the specified disc. ",
    u"No CD/DVD devices were found. ",
    u"No disc present in the specified drive. ",
    u"A CDDA read error occurred. ",
    u"Error trying to allocate a channel. ",
    u"The specified channel has been reused to play another sound. ",
    u"A Win32 COM related error occured. COM failed to initialize or a QueryInterface failed meaning a Windows codec "
    u"or driver was not installed properly. ",
    u"DMA Failure.  See debug output for more information. ",
    u"DSP connection error.  Connection possibly caused a cyclic dependancy. ",
    u"DSP Format error.  A DSP unit may have attempted to connect to this network with the wrong format. ",
    u"DSP connection error.  Couldn't find the DSP unit specified. ",
    u"DSP error.  Cannot perform this operation while the network is in the middle of running.  This will most likely "
    u"happen if a connection or disconnection is attempted in a DSP callback. ",
    u"DSP connection error.  The unit being connected to or disconnected should only have 1 input or output. ",
    u"Error loading file. ",
    u"Couldn't perform seek operation.  This is a limitation of the medium (ie netstreams) or the file format. ",
    u"Media was ejected while reading. ",
    u"End of file unexpectedly reached while trying to read essential data (truncated data?). ",
    u"File not found. ",
    u"Unwanted file access occured. ",
    u"Unsupported file or audio format. ",
    u"A HTTP error occurred. This is a catch-all for HTTP errors not listed elsewhere. ",
    u"The specified resource requires authentication or is forbidden. ",
    u"Proxy authentication is required to access the specified resource. ",
    u"A HTTP server error occurred. ",
    u"The HTTP request timed out. ",
    u"FMOD was not initialized correctly to support this function. ",
    u"Cannot call this command after System::init. ",
    u"An error occured that wasn't supposed to.  Contact support. ",
    u"On Xbox 360, this memory address passed to FMOD must be physical, (ie allocated with XPhysicalAlloc.) ",
    u"Value passed in was a NaN, Inf or denormalized float. ",
    u"An invalid object handle was used. ",
    u"An invalid parameter was passed to this function. ",
    u"An invalid speaker was passed to this function based on the current speaker mode. ",
    u"The syncpoint did not come from this sound handle.",
    u"The vectors passed in are not unit length, or perpendicular. ",
    u"PS2 only.  fmodex.irx failed to initialize.  This is most likely because you forgot to load it. ",
    u"Reached maximum audible playback count for this sound's soundgroup. ",
    u"Not enough memory or resources. ",
    u"Can't use FMOD_OPENMEMORY_POINT on non PCM source data, or non mp3/xma/adpcm data if FMOD_CREATECOMPRESSEDSAMPLE "
    u"was used. ",
    u"PS2 only.  Not enough memory or resources on PlayStation 2 IOP ram. ",
    u"Not enough memory or resources on console sound ram. ",
    u"Tried to call a command on a 3d sound when the command was meant for 2d sound. ",
    u"Tried to call a command on a 2d sound when the command was meant for 3d sound. ",
    u"Tried to use a feature that requires hardware support.  (ie trying to play a VAG compressed sound in software on "
    u"PS2). ",
    u"Tried to use a feature that requires the software engine.  Software engine has either been turned off, or "
    u"command was executed on a hardware channel which does not support this feature. ",
    u"Couldn't connect to the specified host. ",
    u"A socket error occurred.  This is a catch-all for socket-related errors not listed elsewhere. ",
    u"The specified URL couldn't be resolved. ",
    u"Operation on a non-blocking socket could not complete immediately. ",
    u"Operation could not be performed because specified sound is not ready. ",
    u"Error initializing output device, but more specifically, the output device is already in use and cannot be "
    u"reused. ",
    u"Error creating hardware sound buffer. ",
    u"A call to a standard soundcard driver failed, which could possibly mean a bug in the driver or resources were "
    u"missing or exhausted. ",
    u"Error enumerating the available driver list. List may be inconsistent due to a recent device addition or "
    u"removal.",
    u"Soundcard does not support the minimum features needed for this soundsystem (16bit stereo output). ",
    u"Error initializing output device. ",
    u"FMOD_HARDWARE was specified but the sound card does not have the resources nescessary to play it. ",
    u"Attempted to create a software sound but no software channels were specified in System::init. ",
    u"Panning only works with mono or stereo sound sources. ",
    u"An unspecified error has been returned from a 3rd party plugin. ",
    u"The number of allowed instances of a plugin has been exceeded ",
    u"A requested output, dsp unit type or codec was not available. ",
    u"A resource that the plugin requires cannot be found. (ie the DLS file for MIDI playback) ",
    u"An error occured trying to initialize the recording device. ",
    u"Specified Instance in FMOD_REVERB_PROPERTIES couldn't be set. Most likely because another application has locked "
    u"the EAX4 FX slot. ",
    u"This subsound is already being used by another sound, you cannot have more than one parent to a sound.  Null out "
    u"the other parent's entry first. ",
    u"Shared subsounds cannot be replaced or moved from their parent stream, such as when the parent stream is an FSB "
    u"file.",
    u"The subsound's mode bits do not match with the parent sound's mode bits.  See documentation for function that it "
    u"was called with.",
    u"The error occured because the sound referenced contains subsounds.  (ie you cannot play the parent sound as a "
    u"static sample, only its subsounds.) ",
    u"The specified tag could not be found or there are no tags. ",
    u"The sound created exceeds the allowable input channel count.  This can be increased using the maxinputchannels "
    u"parameter in System::setSoftwareFormat. ",
    u"Something in FMOD hasn't been implemented when it should be! contact support! ",
    u"This command failed because System::init or System::setDriver was not called. ",
    u"A command issued was not supported by this object.  Possibly a plugin without certain callbacks specified. ",
    u"An error caused by System::update occured. ",
    u"The version number of this file format is not supported. ",
    u"An Event failed to be retrieved, most likely due to 'just fail' being specified as the max playbacks behavior. ",
    u"Can't execute this command on an EVENT_INFOONLY event. ",
    u"An error occured that wasn't supposed to.  See debug log for reason. ",
    u"Event failed because 'Max streams' was hit when FMOD_INIT_FAIL_ON_MAXSTREAMS was specified. ",
    u"FSB mis-matches the FEV it was compiled with. ",
    u"A category with the same name already exists. ",
    u"The requested event, event group, event category or event property could not be found. ",
};
// NOLINTEND(bugprone-suspicious-missing-comma)

} // namespace

QString resultText(Result code)
{
    if (code < 0 || code >= Result(std::size(kTexts)))
        return QStringLiteral("Unknown error.");
    return QString::fromUtf16(kTexts[code]);
}

QString errorMessage(Result code)
{
    return QStringLiteral("FMOD error! (") + QString::number(code) + QStringLiteral(") ") + resultText(code);
}

QString versionMessage(unsigned version)
{
    return QStringLiteral("Error!  You are using an old version of FMOD ") + QString::number(version, 16).toUpper()
           + QStringLiteral(". ") + QStringLiteral("This program requires ")
           + QString::number(kRequiredVersion, 16).toUpper();
}

} // namespace cantorel::engine
