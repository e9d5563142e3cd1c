// The entry of the module dawnhelm-sound: the window program looks this
// function up when it plays its first sound.
#include <QtGlobal>

#include "ui/sound/mediasound.h"

extern "C" Q_DECL_EXPORT dawn::SoundOutput* dawnhelm_make_sound_output(dawn::MessageBoxes* messages,
                                                                       QWidget* messageParent) {
    return new dawn::MediaSound(*messages, messageParent);
}
